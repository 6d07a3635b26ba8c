#include "insert/GlowText.h"

#include "insert/TextHelpers.h"

namespace insert {

QString BuildGlowText(const GlowTextFields &fields)
{
    const int width = GbkLength(fields.text) * 7;
    const QString colour = ColourToHtml(fields.colour);
    // The glow filter is drawn by no current browser; a text shadow of the
    // same colour, as wide as the strength, is.
    const int spread = qBound(1, CountFromField(fields.strength), 30);
    return QStringLiteral("<SPAN style=\"FILTER: glow(color=") + colour + QStringLiteral(",strength=")
        + fields.strength + QStringLiteral("); WIDTH:") + QString::number(width) + QStringLiteral("pt; HEIGHT:18px")
        + QStringLiteral("; TEXT-SHADOW: 0 0 %1px %2, 0 0 %3px %2").arg(spread).arg(colour).arg(2 * spread)
        + QStringLiteral("\">") + fields.text + QStringLiteral("</SPAN>");
}

} // namespace insert
