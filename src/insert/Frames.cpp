#include "insert/Frames.h"

#include "insert/TextHelpers.h"

namespace insert {

QString FrameAlign(int index)
{
    return HorizontalAlign(index);
}

QString BuildFrame(const FrameFields &fields)
{
    return QStringLiteral("<iframe align=\"") + FrameAlign(fields.alignIndex) + QStringLiteral("\" height=\"")
        + fields.height
        + (fields.scrolling ? QStringLiteral("\"scrolling=\"yes\" src=\"") : QStringLiteral("\"scrolling=\"no\" src=\""))
        + fields.source + QStringLiteral("\" width=\"") + fields.width + QStringLiteral("\"></iframe>");
}

} // namespace insert
