#include "commands/Help.h"

#include "ui/Prompter.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

namespace commands {

const char *const kProductWebSite = "http://www.zelvo.cn/";
const char *const kTutorialMissingText =
    "未找到使用向导,您可以访问我们的专业网站下载完整版，含视频教程！";

QString tutorialProgramPath()
{
    return QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("zelvo-tutorial"));
}

void ShowTutorial(QWidget *parent, const QString &programPath)
{
    const QFileInfo program(programPath);
    if (program.exists()) {
        // A program that fails to start shows nothing.
        QProcess::startDetached(program.absoluteFilePath(), {}, program.absolutePath());
        return;
    }
    const QMessageBox::StandardButton answer =
        ui::prompter().message(parent, QMessageBox::NoIcon, QStringLiteral("信息："),
                               QString::fromUtf8(kTutorialMissingText),
                               QMessageBox::Ok | QMessageBox::Cancel);
    if (answer == QMessageBox::Ok)
        VisitWebSite();
}

void VisitWebSite()
{
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kProductWebSite)));
}

} // namespace commands
