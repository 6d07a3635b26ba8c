#include "codeview/GbkText.h"

#include "app/common/Iconv.h"

namespace codeview {

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

    textcodec::Iconv conv("UTF-8", "GB18030");
    if (!conv.isValid()) {
        // No converter: keep ASCII, mark everything else as undecodable.
        std::string out;
        for (unsigned char c : gbk)
            out += c < 0x80 ? std::string(1, char(c)) : std::string("\xEF\xBF\xBD");
        return out;
    }

    // An invalid byte, or a sequence cut off at the end, loses one byte to U+FFFD.
    const auto replaceOneByte = [](QByteArrayView) { return textcodec::Recovery{1, "\xEF\xBF\xBD"}; };
    const QByteArray out = conv.convert(QByteArrayView(gbk.data(), qsizetype(gbk.size())),
                                        qsizetype(gbk.size()) * 3 / 2 + 4, replaceOneByte)
                               .value_or(QByteArray()); // never stops
    return std::string(out.constData(), size_t(out.size()));
}

} // namespace codeview
