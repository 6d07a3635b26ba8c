#pragma once
// Text helpers shared by the insertion builders: colours as HTML text, the
// piece of a page between two markers, and dialog fields read as numbers.
#include <QString>
#include <QtGlobal>

namespace insert {

// A colour 0x00BBGGRR (red in the low byte) as "#RRGGBB", upper-case hex.
// Bits above the blue byte are ignored.
QString ColourToHtml(quint32 colour);

// The piece of text between the first start marker and the first end marker
// after it, both found without regard to ASCII case. end is the position
// just past the end marker, counted in bytes of the page's GBK text from 1;
// it is -1, with an empty piece, when either marker is missing or nothing
// lies between them.
struct TextPiece {
    QString text;
    int end = -1;
};
TextPiece TextBetween(const QString &text, const QString &startMarker, const QString &endMarker);

// Full-width forms (U+FF01..U+FF5E and the ideographic space) folded to
// their single-byte forms; everything else is kept.
QString FoldFullWidth(const QString &text);

// A field read as a number: full-width characters folded, leading blanks
// skipped, then the longest decimal number at the start ("12.5abc" gives
// 12.5, "1e3" gives 1000); text that does not start with a number gives 0.
double NumberFromField(const QString &text);
// The same truncated toward zero, held within the range of int.
int CountFromField(const QString &text);

// How many bytes the text takes in the page's code page (GBK, with GB18030
// for the characters GBK lacks).
int GbkLength(QStringView text);

} // namespace insert
