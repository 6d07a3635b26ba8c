#include "text/Colour.h"

namespace text {

QColor ColourFromValue(quint32 value)
{
    const Rgb c = UnpackColour(value);
    return QColor(c.red, c.green, c.blue);
}

quint32 ColourValue(const QColor &colour)
{
    return PackColour(colour.red(), colour.green(), colour.blue());
}

QString ColourToHtml(quint32 colour)
{
    const Rgb c = UnpackColour(colour);
    return QString::asprintf("#%02X%02X%02X", unsigned(c.red), unsigned(c.green), unsigned(c.blue));
}

} // namespace text
