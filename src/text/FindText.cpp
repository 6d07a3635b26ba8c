#include "text/FindText.h"

namespace text {

QString findStatusText(const QString &query, const FindResult &result, bool backwards)
{
    if (query.isEmpty())
        return QString();
    if (result.invalid)
        return QStringLiteral("正则表达式有误");
    if (result.count == 0)
        return QStringLiteral("找不到“%1”").arg(query);
    QString status = result.current > 0 ? QStringLiteral("第 %1 处，共 %2 处").arg(result.current).arg(result.count)
                                        : QStringLiteral("共 %1 处").arg(result.count);
    if (result.wrapped)
        status += backwards ? QStringLiteral("（已从末尾继续查找）") : QStringLiteral("（已从开头继续查找）");
    return status;
}

} // namespace text
