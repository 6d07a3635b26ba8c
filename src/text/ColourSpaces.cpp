#include "text/ColourSpaces.h"

#include "text/Colour.h"

#include <algorithm>
#include <cmath>

namespace text {

Hsl RgbToHsl(int red, int green, int blue)
{
    // Values are stored as float; arithmetic on them promotes to double, and
    // the result is rounded back only when it is stored.
    const double eps = 1e-7;
    const float r = float(double(red) / 255.0);
    const float g = float(double(green) / 255.0);
    const float b = float(double(blue) / 255.0);
    const float max = std::max({r, g, b});
    const float min = std::min({r, g, b});
    const double range = double(max) - double(min);

    float h = 0;
    if (max == min)
        h = 0;
    else if (max == r && g >= b)
        h = float((double(g) - double(b)) * 60.0 / range);
    else if (max == r)
        h = float((double(g) - double(b)) * 60.0 / range + 360.0);
    else if (max == g)
        h = float((double(b) - double(r)) * 60.0 / range + 120.0);
    else
        h = float((double(r) - double(g)) * 60.0 / range + 240.0);

    float l = float((double(max) + double(min)) / 2.0);

    float s = 0;
    if (std::fabs(double(l)) <= eps || max == min)
        s = 0;
    else if (double(l) > eps && double(l) - 0.5 <= eps)
        s = float(range / (double(max) + double(min)));
    else if (double(l) - 0.5 > eps)
        s = float(range / (2.0 - (double(max) + double(min))));

    if (double(h) - 360.0 > eps)
        h = 360;
    else if (double(h) < -eps)
        h = 0;
    if (double(s) - 1.0 > eps)
        s = 1;
    else if (double(s) < -eps)
        s = 0;
    if (double(l) - 1.0 > eps)
        l = 1;
    else if (double(l) < -eps)
        l = 0;

    s = float(double(s) * 100.0);
    l = float(double(l) * 100.0);
    return {int(h), int(s), int(l)};
}

Hsl HslTo240(const Hsl &hsl)
{
    return {int(double(hsl.hue) * 240.0 / 360.0), int(double(hsl.saturation) * 240.0 / 100.0),
            int(double(hsl.lightness) * 240.0 / 100.0)};
}

ColourNotations DescribeColour(quint32 colour)
{
    const Rgb c = UnpackColour(colour);
    const Hsl hsl = HslTo240(RgbToHsl(c.red, c.green, c.blue));
    ColourNotations n;
    n.decimal = QString::number(PackColour(c.red, c.green, c.blue));
    n.rgb = QStringLiteral("R:%1    G:%2    B:%3").arg(c.red).arg(c.green).arg(c.blue);
    n.html = ColourToHtml(colour);
    n.hsl = QStringLiteral("H:%1    S:%2    L:%3").arg(hsl.hue).arg(hsl.saturation).arg(hsl.lightness);
    return n;
}

} // namespace text
