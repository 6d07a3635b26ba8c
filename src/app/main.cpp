#include "app/MainWindow.h"
#include "codeview/LexerConfig.h"
#include "engine/EngineEnvironment.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

int main(int argc, char **argv)
{
    engine::prepareProcessEnvironment();
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("zelvo"));

    // Qt's own buttons (是, 否, 取消, 确定) and dialogs in Chinese.
    QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    // Shared for the whole run; released when main returns.
    codeview::LexerConfig lexerConfig;

    app::MainWindow window(lexerConfig);
    window.showMaximized();
    window.initialise();
    return app.exec();
}
