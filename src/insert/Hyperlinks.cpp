#include "insert/Hyperlinks.h"

namespace insert {

QString LinkTarget(int index)
{
    return index == 0 ? QStringLiteral("_self") : QStringLiteral("_blank");
}

QString BuildHyperlink(const HyperlinkFields &fields)
{
    return QStringLiteral("<a href=\"") + fields.address + QStringLiteral("\" target=\"")
        + LinkTarget(fields.targetIndex) + QStringLiteral("\">") + fields.text + QStringLiteral("</a>");
}

BuildResult BuildPictureLink(const PictureLinkFields &fields)
{
    if (fields.id.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入按钮ID！"));
    if (fields.address.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入按钮欲跳转的链接地址！"));
    if (fields.tip.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入按钮提示！"));
    if (fields.picture.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入正常图片地址！"));
    return BuildResult::insert(QStringLiteral("<a target=\"") + LinkTarget(fields.targetIndex)
                               + QStringLiteral("\" href=\"") + fields.address
                               + QStringLiteral("\"><img border=\"0\" src=\"") + fields.picture
                               + QStringLiteral("\" title=\"") + fields.tip + QStringLiteral("\"></a>"));
}

} // namespace insert
