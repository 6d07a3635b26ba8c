#include "insert/Media.h"

namespace insert {

BuildResult BuildMedia(MediaKind kind, const QString &path)
{
    if (path.isEmpty())
        return BuildResult::refuseAndClose(kind == MediaKind::Flash ? QStringLiteral("请输入FLASH视频地址！")
                                                                    : QStringLiteral("请输入WMV视频地址！"));
    return BuildResult::insert(QStringLiteral("<EMBED align=left src=\"") + path
                               + QStringLiteral("\" width=237 height=200>"));
}

} // namespace insert
