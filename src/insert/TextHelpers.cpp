#include "insert/TextHelpers.h"

#include <QLocale>
#include <QStringEncoder>
#include <cmath>
#include <limits>

namespace insert {

QString ColourToHtml(quint32 colour)
{
    const unsigned red = colour & 0xFFu;
    const unsigned green = (colour & 0xFF00u) / 256u;
    const unsigned blue = (colour & 0xFF0000u) / 65536u;
    return QString::asprintf("#%02X%02X%02X", red, green, blue);
}

namespace {

char16_t foldAscii(char16_t c)
{
    return (c >= u'A' && c <= u'Z') ? char16_t(c + (u'a' - u'A')) : c;
}

// First index at or after from where needle occurs, ignoring ASCII case.
qsizetype findIgnoringCase(const QString &text, const QString &needle, qsizetype from)
{
    const qsizetype last = text.size() - needle.size();
    for (qsizetype i = from; i <= last; ++i) {
        qsizetype k = 0;
        while (k < needle.size()
               && foldAscii(text.at(i + k).unicode()) == foldAscii(needle.at(k).unicode()))
            ++k;
        if (k == needle.size())
            return i;
    }
    return -1;
}

} // namespace

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

TextPiece TextBetween(const QString &text, const QString &startMarker, const QString &endMarker)
{
    const qsizetype start = findIgnoringCase(text, startMarker, 0);
    if (start < 0)
        return {};
    const qsizetype begin = start + startMarker.size();
    const qsizetype stop = findIgnoringCase(text, endMarker, begin);
    if (stop <= begin)
        return {};
    TextPiece piece;
    piece.text = text.mid(begin, stop - begin);
    piece.end = GbkLength(QStringView(text).left(stop)) + 1 + GbkLength(endMarker);
    return piece;
}

QString FoldFullWidth(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000)
            c = QLatin1Char(' ');
    }
    return folded;
}

namespace {

bool isDigit(QChar c)
{
    return c >= QLatin1Char('0') && c <= QLatin1Char('9');
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t') || c == QLatin1Char('\n')
        || c == QLatin1Char('\r') || c == QLatin1Char('\v') || c == QLatin1Char('\f');
}

} // namespace

double NumberFromField(const QString &field)
{
    const QString text = FoldFullWidth(field);
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && isBlank(text.at(i)))
        ++i;
    const qsizetype start = i;
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    qsizetype digits = 0;
    while (i < n && isDigit(text.at(i))) {
        ++i;
        ++digits;
    }
    if (i < n && text.at(i) == QLatin1Char('.')) {
        ++i;
        while (i < n && isDigit(text.at(i))) {
            ++i;
            ++digits;
        }
    }
    if (digits == 0)
        return 0.0;
    // An exponent counts only when at least one digit follows it.
    if (i < n && (text.at(i) == QLatin1Char('e') || text.at(i) == QLatin1Char('E'))) {
        qsizetype j = i + 1;
        if (j < n && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            ++j;
        if (j < n && isDigit(text.at(j))) {
            while (j < n && isDigit(text.at(j)))
                ++j;
            i = j;
        }
    }
    // Out-of-range numbers come back as infinity or zero, like strtod.
    return QLocale::c().toDouble(text.mid(start, i - start));
}

int CountFromField(const QString &text)
{
    const double value = std::trunc(NumberFromField(text));
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int>::max()))
        return std::numeric_limits<int>::max();
    if (value <= double(std::numeric_limits<int>::min()))
        return std::numeric_limits<int>::min();
    return int(value);
}

} // namespace insert
