#include "insert/WordArtLook.h"

#include "insert/WordArt.h"
#include "insert/WordArtFallback.h"

#include <QFont>
#include <QFontMetricsF>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>
#include <QRadialGradient>
#include <QRegularExpression>
#include <QtMath>
#include <array>

namespace insert {

namespace {

QColor colour(const char *name)
{
    return QColor(QLatin1String(name));
}

// Builds a look step by step; everything not said keeps the engine's VML
// defaults (white fill, thin black outline, no shadow, no depth).
class Look {
public:
    Look &solid(const char *fill)
    {
        m.fill = WordArtLook::Fill::Solid;
        m.colours = {{0.0, colour(fill)}};
        return *this;
    }
    Look &gradient(WordArtLook::Fill kind, std::initializer_list<QPair<qreal, const char *>> stops,
                   qreal angle = 180)
    {
        m.fill = kind;
        m.colours.clear();
        for (const auto &stop : stops)
            m.colours << qMakePair(stop.first, colour(stop.second));
        m.gradientAngle = angle;
        return *this;
    }
    Look &linear(const char *from, const char *to, qreal angle = 180)
    {
        return gradient(WordArtLook::Fill::Linear, {{0.0, from}, {1.0, to}}, angle);
    }
    Look &opacity(qreal value)
    {
        m.fillOpacity = value;
        return *this;
    }
    Look &stroke(const char *line, qreal width)
    {
        m.stroke = colour(line);
        m.strokeWidth = width;
        return *this;
    }
    Look &noStroke()
    {
        m.strokeWidth = 0;
        return *this;
    }
    Look &shadow(const char *shade, qreal opacity = 1, QPointF offset = {2, 2},
                 WordArtLook::Shadow kind = WordArtLook::Shadow::Offset, qreal shear = 0)
    {
        m.shadow = kind;
        m.shadowColour = colour(shade);
        m.shadowOpacity = opacity;
        m.shadowOffset = offset;
        m.shadowShear = shear;
        return *this;
    }
    // Depth towards the angle (degrees, counter-clockwise from the right).
    Look &extrude(const char *side, qreal angle, qreal depth = 36)
    {
        m.extrusion = colour(side);
        m.extrusionDirection = QPointF(qCos(qDegreesToRadians(angle)), -qSin(qDegreesToRadians(angle)));
        m.extrusionDepth = depth;
        return *this;
    }
    Look &spacing(qreal em)
    {
        m.letterSpacing = em;
        return *this;
    }
    operator WordArtLook() const { return m; }

private:
    WordArtLook m;
};

using Fill = WordArtLook::Fill;
using Shadow = WordArtLook::Shadow;
constexpr qreal kOpaque80 = 0.8; // 52429f

std::array<WordArtLook, WordArtStyleCount> makeLooks()
{
    std::array<WordArtLook, WordArtStyleCount> looks = {
        /*  1 */ Look(),
        /*  2 */ Look().solid("black"),
        /*  3 */ Look().solid("black"),
        /*  4 */ Look().solid("black"),
        /*  5 */ Look().solid("black"),
        /*  6 */ Look().solid("black"),
        /*  7 */ Look().shadow("#808080", kOpaque80),
        /*  8 */ Look().solid("#336699").noStroke().shadow("#b2b2b2", kOpaque80, {3, 2}),
        /*  9 */ Look().solid("#b2b2b2").opacity(0.5).stroke("#3333cc", 1).shadow("#9999ff", 1, {3, 2}),
        /* 10 */ Look().linear("white", "#aaaaaa").noStroke().shadow("#4d4d4d", kOpaque80, {2, 3}).spacing(0.2),
        /* 11 */ Look().solid("#0066cc").stroke("#99ccff", 1.5).shadow("#990000"),
        /* 12 */ Look().solid("maroon").stroke("maroon", 0.75).shadow("#b2b2b2", kOpaque80),
        /* 13 */ Look().gradient(Fill::Radial, {{0.0, "yellow"}, {1.0, "#ff9933"}}).noStroke()
                     .shadow("silver", kOpaque80),
        /* 14 */ Look().linear("#6600cc", "#cc00cc").stroke("#cc99ff", 0.75).shadow("#9999ff", kOpaque80, {3, 3}),
        /* 15 */ Look().gradient(Fill::Stripes, {{0.0, "#006633"}, {0.5, "#3a9a6a"}, {1.0, "#006633"}})
                     .stroke("green", 0.75)
                     .shadow("#c7dfd3", kOpaque80, {-8, -12}, Shadow::Enlarged),
        /* 16 */ Look().gradient(Fill::Linear,
                                 {{0.0, "#a603ab"}, {0.21, "#0819fb"}, {0.35, "#1a8d48"}, {0.52, "yellow"},
                                  {0.73, "#ee3f17"}, {0.88, "#e81766"}, {1.0, "#a603ab"}},
                                 90)
                     .stroke("#eaeaea", 1)
                     .shadow("silver", kOpaque80, {0, 0}, Shadow::Flat, 0.7),
        /* 17 */ Look().linear("#9999ff", "#009999").noStroke().shadow("silver", kOpaque80, {3, 3}),
        /* 18 */ Look().gradient(Fill::Stripes, {{0.0, "#c4b596"}, {0.5, "#9c8a62"}, {1.0, "#c4b596"}})
                     .stroke("#c4b596", 1)
                     .shadow("#cbcbcb", kOpaque80, {3, 3}),
        /* 19 */ Look().gradient(Fill::Stripes, {{0.0, "#ffcc99"}, {0.5, "#d9975a"}, {1.0, "#ffcc99"}})
                     .extrude("#663300", 180, 10),
        /* 20 */ Look().linear("#ffffcc", "#ff9999").extrude("#0066cc", -45, 18),
        /* 21 */ Look().linear("#520402", "#ffcc00").stroke("#b2b2b2", 1)
                     .shadow("#875b0d", 0.7, {0, 0}, Shadow::Flat),
        /* 22 */ Look().gradient(Fill::Dots, {{0.0, "gray"}, {1.0, "yellow"}}).stroke("black", 1)
                     .shadow("#808080", kOpaque80, {3, 2}),
        /* 23 */ Look().gradient(Fill::Dots, {{0.0, "gray"}, {1.0, "yellow"}}).stroke("black", 1)
                     .shadow("#808080", kOpaque80, {3, 2}),
        /* 24 */ Look().linear("lime", "#00ccff").noStroke().shadow("navy", kOpaque80, {-5, 6}),
        /* 25 */ Look().gradient(Fill::Linear,
                                 {{0.0, "#cbcbcb"}, {0.13, "#5f5f5f"}, {0.21, "#5f5f5f"}, {0.63, "white"},
                                  {0.67, "#b2b2b2"}, {0.69, "#292929"}, {0.82, "#777777"}, {1.0, "#eaeaea"}})
                     .extrude("#c8c8c8", -45, 18),
        /* 26 */ Look().gradient(Fill::Stripes, {{0.0, "#006600"}, {0.5, "#3f8f3f"}, {1.0, "#006600"}})
                     .extrude("#006600", -45),
        /* 27 */ Look().linear("white", "#707070", 135).extrude("#939676", -40, 30),
        /* 28 */ Look().linear("#ffe701", "#fe3e02").extrude("#ff6600", -135),
        /* 29 */ Look().gradient(Fill::Linear,
                                 {{0.0, "#dcebf5"}, {0.08, "#83a7c3"}, {0.13, "#768fb9"}, {0.21, "#83a7c3"},
                                  {0.52, "white"}, {0.56, "#9c6563"}, {0.58, "#80302d"}, {0.71, "#c0524e"},
                                  {0.94, "#ebdad4"}, {1.0, "#55261c"}})
                     .extrude("silver", 135),
        /* 30 */ Look().solid("#cc0000").extrude("#ff9966", -45, 18),
    };
    for (int i = 0; i < WordArtStyleCount; ++i)
        looks[i].vertical = WordArtShapeOf(i + 1).rotated;
    return looks;
}

// How many pixels of the preview a point of the shape's effects takes.
constexpr qreal kEffectScale = 0.5;
constexpr qreal kDepthScale = 0.3;

// Points along a guide, so that any fraction of it can be read quickly.
QPointF pointAt(const QList<QPointF> &points, qreal t)
{
    if (points.isEmpty())
        return {};
    const qreal at = qBound<qreal>(0, t, 1) * (points.size() - 1);
    const int i = qMin(int(at), int(points.size()) - 2);
    if (i < 0)
        return points.first();
    const qreal f = at - i;
    return points.at(i) * (1 - f) + points.at(i + 1) * f;
}

QList<QPointF> sample(const QPainterPath &path, int count = 97)
{
    QList<QPointF> points;
    if (path.elementCount() < 2)
        return points;
    for (int i = 0; i < count; ++i)
        points << path.pointAtPercent(qreal(i) / (count - 1));
    return points;
}

// The text outline: a line of letters, or for a rotated shape the letters
// upright one under the other.
QPainterPath sampleText(bool vertical, qreal letterSpacing)
{
    const QString sample = QStringLiteral("WordArt");
    QFont font;
    font.setFamilies({QStringLiteral("DejaVu Serif"), QStringLiteral("Noto Serif CJK SC")});
    font.setStyleHint(QFont::Serif);
    font.setBold(true);
    font.setPixelSize(48);
    QPainterPath path;
    if (!vertical) {
        if (letterSpacing > 0)
            font.setLetterSpacing(QFont::PercentageSpacing, 100 + letterSpacing * 100);
        path.addText(0, 0, font, sample);
        return path;
    }
    qreal top = 0;
    for (const QChar letter : sample) {
        QPainterPath glyph;
        glyph.addText(0, 0, font, QString(letter));
        const QRectF r = glyph.boundingRect();
        path.addPath(glyph.translated(-r.center().x(), top - r.top()));
        top += r.height() + 6;
    }
    return path;
}

// Long straight edges bend with the guides only when they have points between.
QPolygonF subdivided(const QPolygonF &polygon, qreal step)
{
    QPolygonF out;
    for (int i = 0; i < polygon.size(); ++i) {
        const QPointF a = polygon.at(i);
        out << a;
        if (i + 1 < polygon.size()) {
            const QPointF b = polygon.at(i + 1);
            const int parts = int(QLineF(a, b).length() / step);
            for (int k = 1; k < parts; ++k)
                out << a + (b - a) * (qreal(k) / parts);
        }
    }
    return out;
}

// The text bent between the guides and placed in the box.
QPainterPath bentText(const QPainterPath &text, const WordArtGuides &guides, const QRectF &box, bool vertical)
{
    QRectF bounds;
    for (const QPointF &p : guides.upper + guides.lower)
        bounds |= QRectF(p, QSizeF(0.01, 0.01));
    // Along the text and across it; a rotated shape stands on its side.
    const qreal along = vertical ? box.height() : box.width();
    const qreal across = vertical ? box.width() : box.height();
    auto toFrame = [&](const QPointF &p) {
        return QPointF((p.x() - bounds.left()) / bounds.width() * along,
                       (p.y() - bounds.top()) / bounds.height() * across);
    };
    const QRectF r = text.boundingRect();
    QPainterPath out;
    out.setFillRule(Qt::WindingFill);
    for (const QPolygonF &polygon : text.toSubpathPolygons()) {
        QPolygonF bent;
        for (const QPointF &p : subdivided(polygon, (vertical ? r.height() : r.width()) / 80)) {
            const qreal u = vertical ? (p.y() - r.top()) / r.height() : (p.x() - r.left()) / r.width();
            const qreal v = vertical ? (r.right() - p.x()) / r.width() : (p.y() - r.top()) / r.height();
            const QPointF up = toFrame(pointAt(guides.upper, u));
            const QPointF low = toFrame(pointAt(guides.lower, u));
            const QPointF at = up + (low - up) * v;
            bent << (vertical ? box.topLeft() + QPointF(across - at.y(), at.x()) : box.topLeft() + at);
        }
        out.addPolygon(bent);
        out.closeSubpath();
    }
    return out;
}

QBrush fillBrush(const WordArtLook &look, const QRectF &rect)
{
    switch (look.fill) {
    case Fill::Solid:
        return look.colours.first().second;
    case Fill::Linear: {
        const qreal a = qDegreesToRadians(look.gradientAngle);
        const QPointF direction(qSin(a), -qCos(a));
        const qreal half = qAbs(rect.width() / 2 * qSin(a)) + qAbs(rect.height() / 2 * qCos(a));
        QLinearGradient g(rect.center() - direction * half, rect.center() + direction * half);
        for (const auto &stop : look.colours)
            g.setColorAt(stop.first, stop.second);
        return g;
    }
    case Fill::Radial: {
        QRadialGradient g(rect.center(), qMax(rect.width(), rect.height()) / 2);
        for (const auto &stop : look.colours)
            g.setColorAt(stop.first, stop.second);
        return g;
    }
    case Fill::Stripes: {
        QLinearGradient g(rect.topLeft(), rect.topLeft() + QPointF(4, 4));
        g.setSpread(QGradient::RepeatSpread);
        for (const auto &stop : look.colours)
            g.setColorAt(stop.first, stop.second);
        return g;
    }
    case Fill::Dots: {
        QPixmap tile(4, 4);
        tile.fill(look.colours.first().second);
        QPainter p(&tile);
        p.fillRect(QRect(1, 1, 2, 2), look.colours.last().second);
        return QBrush(tile);
    }
    }
    return Qt::black;
}

QString cssColour(const QColor &c, qreal opacity = 1)
{
    if (opacity >= 1)
        return c.name();
    return QStringLiteral("rgba(%1, %2, %3, %4)").arg(c.red()).arg(c.green()).arg(c.blue()).arg(opacity);
}

QString cssStops(const WordArtLook &look)
{
    QStringList stops;
    for (const auto &stop : look.colours)
        stops << QStringLiteral("%1 %2%").arg(cssColour(stop.second)).arg(stop.first * 100);
    return stops.join(QStringLiteral(", "));
}

QString cssDeclarations(const WordArtLook &look)
{
    QString css;
    if (look.fill == Fill::Solid) {
        css += QStringLiteral("color: %1; ").arg(cssColour(look.colours.first().second, look.fillOpacity));
    } else {
        QString image;
        switch (look.fill) {
        case Fill::Linear:
            image = QStringLiteral("linear-gradient(%1deg, %2)").arg(look.gradientAngle).arg(cssStops(look));
            break;
        case Fill::Radial:
            image = QStringLiteral("radial-gradient(circle, %1)").arg(cssStops(look));
            break;
        case Fill::Stripes:
            image = QStringLiteral("repeating-linear-gradient(45deg, %1 0, %2 3px, %1 6px)")
                        .arg(look.colours.first().second.name(), look.colours.at(1).second.name());
            break;
        default:
            image = QStringLiteral("radial-gradient(circle, %1 35%, transparent 40%); background-size: 6px 6px; "
                                   "background-color: %2")
                        .arg(look.colours.last().second.name(), look.colours.first().second.name());
            break;
        }
        css += QStringLiteral("background-image: %1; color: transparent; -webkit-background-clip: text; "
                              "background-clip: text; ")
                   .arg(image);
    }
    if (look.strokeWidth > 0)
        css += QStringLiteral("-webkit-text-stroke: %1pt %2; ").arg(look.strokeWidth).arg(look.stroke.name());
    QStringList filters;
    if (look.extrusion.isValid()) {
        // Chained shadows of the shadows make a solid side as deep as all of
        // them. The engine moves each by whole pixels only.
        const int steps = qBound(3, qRound(look.extrusionDepth * 0.3), 10);
        const int dx = qRound(look.extrusionDirection.x()), dy = qRound(look.extrusionDirection.y());
        for (int i = 0; i < steps; ++i)
            filters << QStringLiteral("drop-shadow(%1px %2px 0 %3)")
                           .arg(dx)
                           .arg(dy)
                           .arg(look.extrusion.darker(100 + 5 * i).name());
        // Room for a side that goes left or up, which the page's edge would cut.
        if (dx < 0 || dy < 0)
            css += QStringLiteral("margin: %1px 0 0 %2px; ").arg(dy < 0 ? steps : 0).arg(dx < 0 ? steps : 0);
    }
    if (look.shadow != Shadow::None) {
        QPointF offset = look.shadowOffset;
        if (look.shadow == Shadow::Enlarged)
            offset *= 0.5;
        else if (look.shadow == Shadow::Flat)
            offset = QPointF(2 + 4 * look.shadowShear, 3);
        filters << QStringLiteral("drop-shadow(%1pt %2pt 0 %3)")
                       .arg(offset.x())
                       .arg(offset.y())
                       .arg(cssColour(look.shadowColour, look.shadowOpacity));
    }
    if (!filters.isEmpty())
        css += QStringLiteral("filter: %1; ").arg(filters.join(QLatin1Char(' ')));
    if (look.letterSpacing > 0)
        css += QStringLiteral("letter-spacing: %1em; ").arg(look.letterSpacing);
    if (look.vertical)
        css += QStringLiteral("writing-mode: vertical-rl; text-orientation: upright; ");
    return css;
}

} // namespace

const WordArtLook &WordArtLookOf(int style)
{
    static const std::array<WordArtLook, WordArtStyleCount> looks = makeLooks();
    return looks[qBound(1, style, WordArtStyleCount) - 1];
}

QList<double> EvaluateWordArtFormulas(const QStringList &formulas, const QList<double> &adjust)
{
    QList<double> values;
    auto argument = [&](const QString &token) -> double {
        if (token.startsWith(QLatin1Char('#'))) {
            const int i = token.mid(1).toInt();
            return i < adjust.size() ? adjust.at(i) : 0;
        }
        if (token.startsWith(QLatin1Char('@'))) {
            const int i = token.mid(1).toInt();
            return i < values.size() ? values.at(i) : 0;
        }
        if (token == QLatin1String("width") || token == QLatin1String("height"))
            return 21600;
        if (token == QLatin1String("xcenter") || token == QLatin1String("ycenter"))
            return 10800;
        return token.toDouble();
    };
    // Angles are in 65536ths of a degree.
    auto radians = [](double fd) { return qDegreesToRadians(fd / 65536.0); };
    for (const QString &formula : formulas) {
        const QStringList parts = formula.split(QLatin1Char(' '), Qt::SkipEmptyParts);
        const QString op = parts.value(0);
        const double a = argument(parts.value(1));
        const double b = argument(parts.value(2));
        const double c = argument(parts.value(3));
        double v = 0;
        if (op == QLatin1String("sum"))
            v = a + b - c;
        else if (op == QLatin1String("prod"))
            v = c == 0 ? 0 : a * b / c;
        else if (op == QLatin1String("mid"))
            v = (a + b) / 2;
        else if (op == QLatin1String("abs"))
            v = qAbs(a);
        else if (op == QLatin1String("min"))
            v = qMin(a, b);
        else if (op == QLatin1String("max"))
            v = qMax(a, b);
        else if (op == QLatin1String("if"))
            v = a > 0 ? b : c;
        else if (op == QLatin1String("sumangle"))
            v = a + b * 65536 - c * 65536;
        else if (op == QLatin1String("cos"))
            v = a * qCos(radians(b));
        else if (op == QLatin1String("sin"))
            v = a * qSin(radians(b));
        values << v;
    }
    return values;
}

WordArtGuides WordArtGuidesOf(const WordArtShape &shape)
{
    const QList<double> values = EvaluateWordArtFormulas(shape.formulas, shape.adjust);
    QList<QPainterPath> lines;
    QString command;
    QList<double> numbers;
    auto run = [&] {
        auto n = [&](int i) { return i < numbers.size() ? numbers.at(i) : 0.0; };
        if (command == QLatin1String("m")) {
            lines << QPainterPath(QPointF(n(0), n(1)));
        } else if (lines.isEmpty() && command != QLatin1String("al")) {
            // Nothing to draw on before the first move.
        } else if (command == QLatin1String("l")) {
            for (int i = 0; i + 1 < numbers.size(); i += 2)
                lines.last().lineTo(n(i), n(i + 1));
        } else if (command == QLatin1String("c")) {
            for (int i = 0; i + 5 < numbers.size(); i += 6)
                lines.last().cubicTo(n(i), n(i + 1), n(i + 2), n(i + 3), n(i + 4), n(i + 5));
        } else if (command == QLatin1String("qx") || command == QLatin1String("qy")) {
            // Quarter ellipses, the first leaving along x (qx) or y (qy),
            // the following ones taking turns.
            constexpr double k = 0.5523;
            bool alongX = command == QLatin1String("qx");
            for (int i = 0; i + 1 < numbers.size(); i += 2) {
                const QPointF from = lines.last().currentPosition();
                const QPointF to(n(i), n(i + 1));
                const QPointF d = to - from;
                if (alongX)
                    lines.last().cubicTo(from + QPointF(k * d.x(), 0), to - QPointF(0, k * d.y()), to);
                else
                    lines.last().cubicTo(from + QPointF(0, k * d.y()), to - QPointF(k * d.x(), 0), to);
                alongX = !alongX;
            }
        } else if (command == QLatin1String("al") || command == QLatin1String("ae")) {
            // Centre, radii, start and sweep; angles counter-clockwise.
            for (int i = 0; i + 5 < numbers.size(); i += 6) {
                const double start = n(i + 4) / 65536.0, sweep = n(i + 5) / 65536.0;
                for (int k = 0; k <= 48; ++k) {
                    const double a = qDegreesToRadians(start + sweep * k / 48);
                    const QPointF p(n(i) + n(i + 2) * qCos(a), n(i + 1) - n(i + 3) * qSin(a));
                    if (k == 0 && (command == QLatin1String("al") || lines.isEmpty()))
                        lines << QPainterPath(p);
                    else
                        lines.last().lineTo(p);
                }
            }
        }
        numbers.clear();
    };
    static const QRegularExpression tokens(QStringLiteral("([a-z]+)|@(\\d+)|(-?\\d+(?:\\.\\d+)?)"));
    for (auto it = tokens.globalMatch(shape.path); it.hasNext();) {
        const QRegularExpressionMatch token = it.next();
        if (token.capturedLength(1)) {
            run();
            command = token.captured(1);
        } else if (token.capturedLength(2)) {
            numbers << values.value(token.captured(2).toInt());
        } else {
            numbers << token.captured(3).toDouble();
        }
    }
    run();

    WordArtGuides guides;
    guides.upper = sample(lines.value(0));
    if (lines.size() > 1) {
        guides.lower = sample(lines.at(1));
    } else {
        // Text along a single line (an arch) stands on it towards the middle.
        for (const QPointF &p : guides.upper)
            guides.lower << QPointF(10800, 10800) + (p - QPointF(10800, 10800)) * 0.45;
    }
    return guides;
}

QImage WordArtPreview(int style, const QSize &size, qreal devicePixelRatio)
{
    const WordArtLook &look = WordArtLookOf(style);
    const WordArtGuides guides = WordArtGuidesOf(WordArtShapeOf(style));

    QImage image(size * devicePixelRatio, QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);

    QRectF box = look.vertical ? QRectF(0, 0, size.width() * 0.42, size.height() * 0.86)
                               : QRectF(0, 0, size.width() * 0.84, size.height() * 0.5);
    box.moveCenter(QPointF(size.width() / 2.0, size.height() / 2.0));
    const QPointF depth = look.extrusion.isValid()
        ? look.extrusionDirection * look.extrusionDepth * kDepthScale
        : QPointF();
    box.translate(-depth / 2);
    const QPainterPath text = bentText(sampleText(look.vertical, look.letterSpacing), guides, box, look.vertical);
    const QRectF bounds = text.boundingRect();

    if (look.shadow != Shadow::None) {
        QTransform t;
        switch (look.shadow) {
        case Shadow::Offset:
            t.translate(look.shadowOffset.x() * kEffectScale, look.shadowOffset.y() * kEffectScale);
            break;
        case Shadow::Enlarged:
            t.translate(bounds.left() + look.shadowOffset.x() * 0.25, bounds.top() + look.shadowOffset.y() * 0.25);
            t.scale(1.12, 1.12);
            t.translate(-bounds.left(), -bounds.top());
            break;
        case Shadow::Flat: {
            // Lying on the ground behind the letters, half as high.
            const qreal b = bounds.bottom();
            t = QTransform(1, 0, -look.shadowShear * 0.5, 0.5, look.shadowShear * 0.5 * b, 0.5 * b);
            break;
        }
        case Shadow::None:
            break;
        }
        QColor shade = look.shadowColour;
        shade.setAlphaF(float(look.shadowOpacity));
        p.fillPath(t.map(text), shade);
    }
    if (look.extrusion.isValid()) {
        const int steps = qMax(2, qCeil(look.extrusionDepth * kDepthScale / 0.5));
        for (int k = steps; k >= 1; --k)
            p.fillPath(text.translated(depth * (qreal(k) / steps)), look.extrusion.darker(100 + 60 * k / steps));
    }
    p.setOpacity(look.fillOpacity);
    p.fillPath(text, fillBrush(look, bounds));
    p.setOpacity(1);
    if (look.strokeWidth > 0) {
        QPen pen(look.stroke, qMax<qreal>(0.6, look.strokeWidth * 0.8));
        pen.setJoinStyle(Qt::RoundJoin);
        p.strokePath(text, pen);
    }
    return image;
}

QString WordArtDesignSheet()
{
    // The shape type only describes; the shape shows its string as text,
    // at its own size, whatever the box the page gives it.
    QString css = QStringLiteral(
        "v\\:shapetype { display: none !important; }\n"
        "v\\:shape { display: inline-block; width: auto !important; height: auto !important; "
        "vertical-align: bottom; }\n"
        "v\\:textpath[string]::before { content: attr(string); display: inline-block; white-space: pre; "
        "font: normal 36pt/1.2 \"宋体\", SimSun, \"Noto Serif CJK SC\", serif; color: black; }\n");
    for (int style = 1; style <= WordArtStyleCount; ++style)
        css += QStringLiteral("v\\:shape[myid=\"_x0000_i00%1\"] > v\\:textpath[string]::before { %2}\n")
                   .arg(style, 2, 10, QLatin1Char('0'))
                   .arg(cssDeclarations(WordArtLookOf(style)));
    // A WordArt followed by its drawing for today's browsers shows that
    // drawing, as a browser does; the drawing is one object, not text to
    // type into.
    css += QStringLiteral("span:has(+ svg.%1) v\\:textpath[string]::before { content: none !important; "
                          "display: none !important; }\n"
                          "svg.%1 { -webkit-user-modify: read-only; user-select: all; }\n")
               .arg(WordArtDrawingClass);
    return css;
}

} // namespace insert
