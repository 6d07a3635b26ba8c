#include "insert/SimpleElements.h"

#include "insert/TextHelpers.h"

namespace insert {

QString DateLabel(const QDate &date)
{
    return QStringLiteral("%1年%2月%3日").arg(date.year()).arg(date.month()).arg(date.day());
}

QString TimeLabel(const QTime &time)
{
    return QStringLiteral("%1时%2分%3秒").arg(time.hour()).arg(time.minute()).arg(time.second());
}

BuildResult BuildButton(const ButtonFields &fields)
{
    if (fields.id.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入按钮ID！"));
    if (fields.title.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入按钮标题！"));
    return BuildResult::insert(QStringLiteral("<input type=\"button\" name=\"") + fields.id
                                   + QStringLiteral("\" value=\"") + fields.title
                                   + QStringLiteral("\">"));
}

QString GroupBoxAlign(int index)
{
    return HorizontalAlign(index);
}

QString BuildGroupBox(const GroupBoxFields &fields)
{
    return QStringLiteral("<fieldset style=\"BORDER-COLOR:") + ColourToHtml(fields.borderColour)
        + QStringLiteral("; WIDTH:") + fields.width + QStringLiteral("px;HEIGHT:") + fields.height
        + QStringLiteral("px;BACKGROUND-COLOR:") + ColourToHtml(fields.backColour)
        + QStringLiteral("\"><legend align=") + GroupBoxAlign(fields.alignIndex)
        + QStringLiteral(">") + fields.title + QStringLiteral("</legend>内容</fieldset>");
}

} // namespace insert
