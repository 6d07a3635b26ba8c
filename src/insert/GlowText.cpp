#include "insert/GlowText.h"

#include "insert/TextHelpers.h"

namespace insert {

QString BuildGlowText(const GlowTextFields &fields)
{
    const int width = GbkLength(fields.text) * 7;
    return QStringLiteral("<SPAN style=\"FILTER: glow(color=") + ColourToHtml(fields.colour)
        + QStringLiteral(",strength=") + fields.strength + QStringLiteral("); WIDTH:") + QString::number(width)
        + QStringLiteral("pt; HEIGHT:18px\">") + fields.text + QStringLiteral("</SPAN>");
}

} // namespace insert
