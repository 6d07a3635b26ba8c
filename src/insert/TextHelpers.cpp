#include "insert/TextHelpers.h"


namespace insert {

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

QString HorizontalAlign(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("left");
    case 1:
        return QStringLiteral("center");
    default:
        return QStringLiteral("right");
    }
}

} // namespace insert
