#pragma once
// A screen colour in the notations the colour picker shows: its decimal
// value, its RGB components, its HTML code and HSL on a 0 to 240 scale.
#include <QString>
#include <QtGlobal>

namespace text {

struct Hsl {
    int hue = 0;        // 0 to 360 (0 to 240 once scaled)
    int saturation = 0; // 0 to 100 (0 to 240 once scaled)
    int lightness = 0;  // 0 to 100 (0 to 240 once scaled)
};

// Hue in degrees, saturation and lightness in per cent, each truncated
// toward zero. The components and the results are held in single
// precision while every step of arithmetic runs in double precision, so
// that 51, 102, 153 gives saturation 50 rather than 49.
Hsl RgbToHsl(int red, int green, int blue);

// The three values on the 0 to 240 scale, truncated toward zero.
Hsl HslTo240(const Hsl &hsl);

// The picker's four boxes for a colour 0x00BBGGRR.
struct ColourNotations {
    QString decimal; // "16777215"
    QString rgb;     // "R:255    G:255    B:255"
    QString html;    // "#FFFFFF"
    QString hsl;     // "H:0    S:0    L:240"
};
ColourNotations DescribeColour(quint32 colour);

} // namespace text
