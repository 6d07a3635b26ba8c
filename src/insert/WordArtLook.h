#pragma once
// How each WordArt style looks: its colours, gradient, outline, shadow and
// depth, and the guide lines its text is bent between. From these come the
// dialog's preview pictures and the style sheet that lets the design view,
// which cannot draw VML, show an inserted WordArt's text.
#include <QColor>
#include <QImage>
#include <QList>
#include <QPair>
#include <QPointF>
#include <QSize>
#include <QString>

namespace insert {

struct WordArtShape;

struct WordArtLook {
    enum class Fill {
        Solid,   // the first colour
        Linear,  // the colours along gradientAngle
        Radial,  // the first colour in the middle, the last at the edge
        Stripes, // the colours repeated as stripes (a picture fill)
        Dots     // dots of the last colour on the first (a pattern fill)
    };
    enum class Shadow {
        None,
        Offset,   // a copy moved by shadowOffset
        Enlarged, // a larger copy behind and moved (a perspective shadow)
        Flat      // a copy lying down below the text, sheared by shadowShear
    };

    Fill fill = Fill::Solid;
    QList<QPair<qreal, QColor>> colours{{0.0, QColor(Qt::white)}};
    qreal gradientAngle = 180; // as in CSS: 180 runs top to bottom, 90 left to right
    qreal fillOpacity = 1;
    QColor stroke = QColor(Qt::black);
    qreal strokeWidth = 0.75; // points; 0 for no outline
    Shadow shadow = Shadow::None;
    QColor shadowColour = QColor(0x80, 0x80, 0x80);
    qreal shadowOpacity = 1;
    QPointF shadowOffset{2, 2}; // points
    qreal shadowShear = 0;
    QColor extrusion; // invalid: no depth
    QPointF extrusionDirection;
    qreal extrusionDepth = 0; // points
    qreal letterSpacing = 0;  // em
    bool vertical = false;    // a rotated shape with upright letters
};

// Styles count from 1; a number outside 1 to 30 counts as the nearest style.
const WordArtLook &WordArtLookOf(int style);

// The values of a shape type's formulas for the given adjust values, @0 first.
QList<double> EvaluateWordArtFormulas(const QStringList &formulas, const QList<double> &adjust);
// The text's upper and lower guide lines, each as points from the start of
// the text to its end, in the shape's 21600 by 21600 coordinates.
struct WordArtGuides {
    QList<QPointF> upper;
    QList<QPointF> lower;
};
WordArtGuides WordArtGuidesOf(const WordArtShape &shape);

// The style's preview: its sample text bent, filled and shadowed as the
// style does it, on a transparent picture of the given size in device
// independent pixels.
QImage WordArtPreview(int style, const QSize &size, qreal devicePixelRatio = 1.0);

// The style sheet that shows WordArt text in the design view: the shape
// type hidden, the shape's string shown in the style's colours, outline,
// shadow and depth, upright letters stacked for the rotated styles.
QString WordArtDesignSheet();
// The name the design view knows that sheet by.
inline const QString WordArtSheetName = QStringLiteral("wordart");

} // namespace insert
