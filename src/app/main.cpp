#include "app/MainWindow.h"
#include "codeview/LexerConfig.h"
#include "engine/EngineEnvironment.h"
#include "text/Version.h"
#include "ui/QtTranslations.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication::setApplicationName(QStringLiteral("zelvo"));
    QCoreApplication::setApplicationVersion(text::VersionNumber());

    // The command line is read before the window system is needed, so that
    // --version and --help answer anywhere.
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Zelvo网页编辑器：所见即所得的网页编辑器"));
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    parser.addPositionalArgument(QStringLiteral("网页"), QStringLiteral("启动后打开的网页文件（.htm、.html）"),
                                 QStringLiteral("[网页]"));
    if (!parser.parse(arguments)) {
        std::fprintf(stderr, "%s\n", qPrintable(parser.errorText()));
        return 2;
    }
    if (parser.isSet(version)) {
        std::printf("Zelvo网页编辑器 %s\n", qPrintable(text::VersionNumber()));
        return 0;
    }
    if (parser.isSet(help)) {
        std::printf("%s", qPrintable(parser.helpText()));
        return 0;
    }
    // One page at a time: the first file named is opened.
    const QStringList pages = parser.positionalArguments();
    const QString page = pages.isEmpty() ? QString() : QFileInfo(pages.first()).absoluteFilePath();

    engine::prepareProcessEnvironment();
    QApplication app(argc, argv);

    // Qt's own buttons (是, 否, 取消, 确定) and dialogs in Chinese.
    ui::installQtTranslations(&app);

    // Shared for the whole run; released when main returns.
    codeview::LexerConfig lexerConfig;

    app::MainWindow window(lexerConfig);
    window.showMaximized();
    window.initialise();
    if (!page.isEmpty())
        window.openFromCommandLine(page);
    // The installation check starts the installed program with a page and
    // reads back what the design view holds.
    const QString report = qEnvironmentVariable("ZELVO_REPORT_PAGE_TO");
    if (!report.isEmpty())
        return window.reportPageAndQuit(report) ? 0 : 1;
    return app.exec();
}
