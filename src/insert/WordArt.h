#pragma once
// WordArt: thirty styles of VML text shapes (plain, curved, shadowed,
// three-dimensional), and the fragment that puts one with the user's text
// into a page. Text only; the dialog is insert/WordArtDialog.h.
#include "insert/BuildResult.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace insert {

constexpr int WordArtStyleCount = 30;

// The text every WordArt dialog starts with.
inline const QString WordArtDefaultText = QStringLiteral("请在此处键入您自己的内容");

// Everything of a style's fragment that comes before the user's text: an
// empty paragraph, the VML behaviour style block, the shape type and the
// shape, up to the textpath's string attribute. Styles count from 1; a
// number outside 1 to 30 counts as the nearest style.
QString WordArtTemplate(int style);
// What follows the text and closes the string attribute, the shape and the span.
inline const QString WordArtClosing = QStringLiteral("\"></v:textpath></v:shape></span>");
// The whole fragment: the VML with the text as it is (line breaks as CR LF),
// then the drawing today's browsers show (insert/WordArtFallback.h).
QString WordArtFragment(int style, const QString &text);
// Refuses an empty text with its message, else the fragment.
BuildResult BuildWordArt(int style, const QString &text);

// The geometry of a style as the engine would draw it: the preset shape
// type's formulas (@0 first), the path of the text's guide lines and the
// adjust values (#0, #1) with the shape's own values over the shape type's.
struct WordArtShape {
    int shapeType = 0;
    QStringList formulas;
    QString path;
    QList<double> adjust;
    bool rotated = false;
};
WordArtShape WordArtShapeOf(int style);

} // namespace insert
