#include "insert/WordArtFallback.h"

#include "insert/WordArt.h"
#include "insert/WordArtLook.h"

#include <QLineF>
#include <QRectF>
#include <QStringList>
#include <QtMath>

namespace insert {

namespace {

// The shape is 396pt by 36pt; drawn in CSS pixels.
constexpr qreal kAlong = 528;
constexpr qreal kAcross = 48;
constexpr qreal kPixelsPerPoint = 4.0 / 3.0;
constexpr int kPathPoints = 25;
// Room around the box for shadows and depth.
constexpr int kMargin = 24;

// Numbers with one decimal at most, so that the bytes never depend on
// rounding noise.
QString num(qreal value)
{
    QString s = QString::number(qRound(value * 10) / 10.0, 'f', 1);
    if (s.endsWith(QLatin1String(".0")))
        s.chop(2);
    if (s == QLatin1String("-0"))
        s = QStringLiteral("0");
    return s;
}

QString escaped(const QString &text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        switch (c.unicode()) {
        case '&': out += QLatin1String("&amp;"); break;
        case '<': out += QLatin1String("&lt;"); break;
        case '>': out += QLatin1String("&gt;"); break;
        case '"': out += QLatin1String("&quot;"); break;
        case '\r': break;
        case '\n': out += QLatin1Char(' '); break;
        default: out += c;
        }
    }
    return out;
}

QString colour(const QColor &c)
{
    return c.name();
}

QString idOf(int style, const char *part)
{
    return QStringLiteral("zelvo-wordart-%1-%2").arg(style, 2, 10, QLatin1Char('0')).arg(QLatin1String(part));
}

// The fill as a paint server in the defs, or a plain colour.
QString fillPaint(int style, const WordArtLook &look, QString &defs)
{
    using Fill = WordArtLook::Fill;
    const QString id = idOf(style, "fill");
    auto stops = [&] {
        QString out;
        for (const auto &stop : look.colours)
            out += QStringLiteral("<stop offset=\"%1\" stop-color=\"%2\"/>").arg(num(stop.first * 100) + QLatin1Char('%'),
                                                                              colour(stop.second));
        return out;
    };
    switch (look.fill) {
    case Fill::Solid:
        return colour(look.colours.first().second);
    case Fill::Linear: {
        // The angle as in CSS: 180 runs from the top down.
        const qreal a = qDegreesToRadians(look.gradientAngle);
        const qreal dx = qSin(a) / 2, dy = -qCos(a) / 2;
        defs += QStringLiteral("<linearGradient id=\"%1\" x1=\"%2\" y1=\"%3\" x2=\"%4\" y2=\"%5\">")
                    .arg(id, num(50 - dx * 100) + QLatin1Char('%'), num(50 - dy * 100) + QLatin1Char('%'),
                         num(50 + dx * 100) + QLatin1Char('%'), num(50 + dy * 100) + QLatin1Char('%'))
            + stops() + QStringLiteral("</linearGradient>");
        break;
    }
    case Fill::Radial:
        defs += QStringLiteral("<radialGradient id=\"%1\">").arg(id) + stops() + QStringLiteral("</radialGradient>");
        break;
    case Fill::Stripes:
        defs += QStringLiteral("<linearGradient id=\"%1\" gradientUnits=\"userSpaceOnUse\" x2=\"4\" y2=\"4\" "
                               "spreadMethod=\"repeat\">")
                    .arg(id)
            + stops() + QStringLiteral("</linearGradient>");
        break;
    case Fill::Dots:
        defs += QStringLiteral("<pattern id=\"%1\" width=\"4\" height=\"4\" patternUnits=\"userSpaceOnUse\">"
                               "<rect width=\"4\" height=\"4\" fill=\"%2\"/>"
                               "<rect x=\"1\" y=\"1\" width=\"2\" height=\"2\" fill=\"%3\"/></pattern>")
                    .arg(id, colour(look.colours.first().second), colour(look.colours.last().second));
        break;
    }
    return QStringLiteral("url(#%1)").arg(id);
}

// Shadow and depth as one filter: the shadow lowest, the depth's copies from
// the deepest up, the text on top. Empty when the style has neither.
QString effectsFilter(int style, const WordArtLook &look, const QSizeF &box, QString &defs)
{
    using Shadow = WordArtLook::Shadow;
    QString primitives;
    QStringList layers;
    if (look.shadow != Shadow::None) {
        QPointF offset = look.shadowOffset * kPixelsPerPoint;
        if (look.shadow == Shadow::Flat)
            offset = QPointF(2 + 4 * look.shadowShear, 3) * kPixelsPerPoint;
        primitives += QStringLiteral("<feFlood flood-color=\"%1\"").arg(colour(look.shadowColour));
        if (look.shadowOpacity < 1)
            primitives += QStringLiteral(" flood-opacity=\"%1\"").arg(num(look.shadowOpacity));
        primitives += QStringLiteral("/><feComposite in2=\"SourceAlpha\" operator=\"in\"/>");
        if (look.shadow == Shadow::Enlarged) {
            // A larger copy behind: grown, and moved half as far.
            primitives += QStringLiteral("<feMorphology operator=\"dilate\" radius=\"1.5\"/>");
            offset *= 0.5;
        }
        primitives += QStringLiteral("<feOffset dx=\"%1\" dy=\"%2\" result=\"shadow\"/>").arg(num(offset.x()),
                                                                                              num(offset.y()));
        layers << QStringLiteral("shadow");
    }
    if (look.extrusion.isValid()) {
        // A solid side as deep as the copies, each a pixel further.
        const int steps = qBound(3, qRound(look.extrusionDepth * 0.3), 10);
        primitives += QStringLiteral("<feFlood flood-color=\"%1\"/><feComposite in2=\"SourceAlpha\" "
                                     "operator=\"in\" result=\"side\"/>")
                          .arg(colour(look.extrusion.darker(115)));
        QStringList copies;
        for (int k = 1; k <= steps; ++k) {
            const QPointF at = look.extrusionDirection * k;
            primitives += QStringLiteral("<feOffset in=\"side\" dx=\"%1\" dy=\"%2\" result=\"side%3\"/>")
                              .arg(num(at.x()), num(at.y()))
                              .arg(k);
            copies.prepend(QStringLiteral("side%1").arg(k));
        }
        layers << copies;
    }
    if (layers.isEmpty())
        return {};
    const QString id = idOf(style, "effects");
    defs += QStringLiteral("<filter id=\"%1\" filterUnits=\"userSpaceOnUse\" x=\"%2\" y=\"%2\" width=\"%3\" "
                           "height=\"%4\">")
                .arg(id)
                .arg(-kMargin)
                .arg(num(box.width() + 2 * kMargin), num(box.height() + 2 * kMargin))
        + primitives + QStringLiteral("<feMerge>");
    for (const QString &layer : layers)
        defs += QStringLiteral("<feMergeNode in=\"%1\"/>").arg(layer);
    defs += QStringLiteral("<feMergeNode in=\"SourceGraphic\"/></feMerge></filter>");
    return QStringLiteral("url(#%1)").arg(id);
}

// The line the text runs along and the text's height, from the style's
// guides, in the box's pixels.
struct Course {
    QList<QPointF> line;
    qreal height = kAcross;
    qreal length = kAlong;
};

Course courseOf(int style)
{
    const WordArtGuides guides = WordArtGuidesOf(WordArtShapeOf(style));
    QRectF bounds;
    for (const QPointF &p : guides.upper + guides.lower)
        bounds |= QRectF(p, QSizeF(0.01, 0.01));
    auto toBox = [&](const QPointF &p) {
        return QPointF((p.x() - bounds.left()) / bounds.width() * kAlong,
                       (p.y() - bounds.top()) / bounds.height() * kAcross);
    };
    Course course;
    const int count = qMin(guides.upper.size(), guides.lower.size());
    if (count < 2) {
        course.line = {QPointF(0, kAcross / 2), QPointF(kAlong, kAcross / 2)};
        return course;
    }
    qreal heights = 0;
    for (int i = 0; i < kPathPoints; ++i) {
        const int at = qRound(qreal(i) * (count - 1) / (kPathPoints - 1));
        const QPointF up = toBox(guides.upper.at(at)), low = toBox(guides.lower.at(at));
        course.line << (up + low) / 2;
        heights += QLineF(up, low).length();
    }
    course.height = heights / kPathPoints;
    course.length = 0;
    for (int i = 1; i < course.line.size(); ++i)
        course.length += QLineF(course.line.at(i - 1), course.line.at(i)).length();
    return course;
}

} // namespace

QString WordArtFallback(int number, const QString &text)
{
    const int style = qBound(1, number, WordArtStyleCount);
    const WordArtLook &look = WordArtLookOf(style);
    const QSizeF box = look.vertical ? QSizeF(kAcross, kAlong) : QSizeF(kAlong, kAcross);

    QString defs;
    const QString fill = fillPaint(style, look, defs);
    const QString effects = effectsFilter(style, look, box, defs);

    QString paint = QStringLiteral(" fill=\"%1\"").arg(fill);
    if (look.fillOpacity < 1)
        paint += QStringLiteral(" fill-opacity=\"%1\"").arg(num(look.fillOpacity));
    if (look.strokeWidth > 0)
        paint += QStringLiteral(" stroke=\"%1\" stroke-width=\"%2\"")
                     .arg(colour(look.stroke), num(look.strokeWidth * kPixelsPerPoint));
    if (!effects.isEmpty())
        paint += QStringLiteral(" filter=\"%1\"").arg(effects);

    const QString font = QStringLiteral("font-family=\"宋体, SimSun, 'Noto Serif CJK SC', serif\"");
    QString drawing;
    if (look.vertical) {
        // Upright letters one under the other, down the middle of the box.
        drawing = QStringLiteral("<text x=\"%1\" y=\"0\" %2 font-size=\"%3\"%4 "
                                 "style=\"writing-mode: vertical-rl; text-orientation: upright\" "
                                 "textLength=\"%5\" lengthAdjust=\"spacingAndGlyphs\">%6</text>")
                      .arg(num(kAcross / 2), font, num(kAcross * 0.9), paint, num(kAlong), escaped(text));
    } else {
        const Course course = courseOf(style);
        QString d = QStringLiteral("M");
        for (int i = 0; i < course.line.size(); ++i)
            d += (i ? QStringLiteral(" ") : QString()) + num(course.line.at(i).x()) + QLatin1Char(',')
                + num(course.line.at(i).y());
        const QString pathId = idOf(style, "path");
        defs += QStringLiteral("<path id=\"%1\" d=\"%2\"/>").arg(pathId, d);
        drawing = QStringLiteral("<text %1 font-size=\"%2\" dominant-baseline=\"central\"%3 textLength=\"%5\" "
                                 "lengthAdjust=\"spacingAndGlyphs\"><textPath href=\"#%4\">%6</textPath></text>")
                      .arg(font, num(course.height * 0.9), paint, pathId, num(course.length), escaped(text));
    }

    return QStringLiteral("<![if !vml]><svg class=\"%1\" xmlns=\"http://www.w3.org/2000/svg\" width=\"%2pt\" "
                          "height=\"%3pt\" viewBox=\"0 0 %4 %5\" overflow=\"visible\"><defs>")
               .arg(WordArtDrawingClass, num(box.width() / kPixelsPerPoint), num(box.height() / kPixelsPerPoint),
                    num(box.width()), num(box.height()))
        + defs + QStringLiteral("</defs>") + drawing + QStringLiteral("</svg><![endif]>");
}

} // namespace insert
