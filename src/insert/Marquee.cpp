#include "insert/Marquee.h"

#include "insert/TextHelpers.h"

namespace insert {

QString MarqueeContent(const QString &page)
{
    return TextBetween(page, QStringLiteral("<BODY>"), QStringLiteral("</BODY>")).text;
}

BuildResult BuildMarquee(const QString &page, bool backAndForth)
{
    const QString content = MarqueeContent(page);
    if (content.isEmpty())
        return BuildResult::refuse(MarqueeEmptyMessage);
    return BuildResult::insert((backAndForth ? QStringLiteral("<p><marquee behavior=alternate>")
                                             : QStringLiteral("<p><marquee>"))
                               + content + QStringLiteral("</marquee></p>"));
}

} // namespace insert
