#pragma once
// What today's browsers draw of a WordArt. Its VML text lives in an attribute
// that no current browser reads; after the VML, the fragment carries the same
// text as an inline SVG drawn the way the style draws it (fill or gradient,
// outline, shadow, depth, the text along the style's shape), at the shape's
// size, inside a conditional that readers drawing VML skip. The text is real
// text: selectable, found by search, read by screen readers.
#include <QString>

namespace insert {

// The class the drawing carries, so that the design view can tell it apart.
inline const QString WordArtDrawingClass = QStringLiteral("zelvo-wordart");

// The conditional block with the drawing of the style with the text; the
// same style and text always give the same bytes. Styles count from 1; a
// number outside 1 to 30 counts as the nearest style.
QString WordArtFallback(int style, const QString &text);

} // namespace insert
