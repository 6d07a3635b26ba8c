#include "text/GbkText.h"

#include "text/Iconv.h"

#include <QStringEncoder>

namespace text {

namespace {

bool isAscii(std::string_view text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

} // namespace

std::string GbkToUtf8(std::string_view gbk)
{
    if (isAscii(gbk))
        return std::string(gbk);

    Iconv conv("UTF-8", "GB18030");
    if (!conv.isValid()) {
        // No converter: keep ASCII, mark everything else as undecodable.
        std::string out;
        for (unsigned char c : gbk)
            out += c < 0x80 ? std::string(1, char(c)) : std::string("\xEF\xBF\xBD");
        return out;
    }

    // An invalid byte, or a sequence cut off at the end, loses one byte to U+FFFD.
    const auto replaceOneByte = [](QByteArrayView) { return Recovery{1, "\xEF\xBF\xBD"}; };
    const QByteArray out = conv.convert(QByteArrayView(gbk.data(), qsizetype(gbk.size())),
                                        qsizetype(gbk.size()) * 3 / 2 + 4, replaceOneByte)
                               .value_or(QByteArray()); // never stops
    return std::string(out.constData(), size_t(out.size()));
}

std::string Utf8ToGbk(std::string_view utf8)
{
    if (isAscii(utf8))
        return std::string(utf8);
    Iconv conv("GB18030", "UTF-8");
    const auto keepByte = [](QByteArrayView rest) { return Recovery{1, rest.first(1)}; };
    const QByteArray out = conv.isValid()
        ? conv.convert(QByteArrayView(utf8.data(), qsizetype(utf8.size())), qsizetype(utf8.size()), keepByte)
              .value_or(QByteArray())
        : QByteArray(utf8.data(), qsizetype(utf8.size()));
    return std::string(out.constData(), size_t(out.size()));
}

int GbkLength(QStringView text)
{
    static QStringEncoder encoder("GB18030", QStringConverter::Flag::Stateless);
    if (encoder.isValid())
        return int(QByteArray(encoder.encode(text)).size());
    int bytes = 0;
    for (const QChar c : text)
        bytes += c.unicode() < 0x80 ? 1 : 2; // a surrogate pair makes four
    return bytes;
}

} // namespace text
