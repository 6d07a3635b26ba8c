#include "insert/Frames.h"

namespace insert {

QString FrameAlign(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("left");
    case 1:
        return QStringLiteral("center");
    default:
        return QStringLiteral("right");
    }
}

QString BuildFrame(const FrameFields &fields)
{
    return QStringLiteral("<iframe align=\"") + FrameAlign(fields.alignIndex) + QStringLiteral("\" height=\"")
        + fields.height
        + (fields.scrolling ? QStringLiteral("\"scrolling=\"yes\" src=\"") : QStringLiteral("\"scrolling=\"no\" src=\""))
        + fields.source + QStringLiteral("\" width=\"") + fields.width + QStringLiteral("\"></iframe>");
}

} // namespace insert
