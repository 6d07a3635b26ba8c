#include "insert/Scripts.h"

namespace insert {

BuildResult BuildScriptText(const QString &text)
{
    if (text.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入欲插入的Java脚本的内容！"));
    return BuildResult::insert(text);
}

BuildResult BuildScriptReference(const QString &path)
{
    if (path.isEmpty())
        return BuildResult::refuse(QStringLiteral("请输入欲调用的Java脚本的路径！"));
    return BuildResult::insert(QStringLiteral("<script src=\"") + path
                               + QStringLiteral("\" type=\"text/javascript\"></script>"));
}

} // namespace insert
