#pragma once
// Colour values as the program keeps them: a 32-bit integer laid out
// 0x00BBGGRR (red in the low byte). This is the one place that takes such a
// value apart or puts one together.
#include <QColor>
#include <QString>
#include <QtGlobal>

namespace text {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
};

// The three channels of a 0x00BBGGRR value; bits above the blue byte are ignored.
constexpr Rgb UnpackColour(quint32 value)
{
    return {int(value & 0xFFu), int((value >> 8) & 0xFFu), int((value >> 16) & 0xFFu)};
}
constexpr quint32 PackColour(int red, int green, int blue)
{
    return quint32(red & 0xFF) | (quint32(green & 0xFF) << 8) | (quint32(blue & 0xFF) << 16);
}

// 0x00BBGGRR <-> QColor.
QColor ColourFromValue(quint32 value);
quint32 ColourValue(const QColor &colour);

// "#RRGGBB" in upper-case hexadecimal.
QString ColourToHtml(quint32 colour);

} // namespace text
