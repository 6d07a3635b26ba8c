#include "ui/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

namespace ui {

bool installQtTranslations(QCoreApplication *app)
{
    // Lives as long as the program: the application only borrows it.
    static QTranslator translator;
    // Dates, numbers and day names in Qt's own widgets follow the interface.
    QLocale::setDefault(QLocale(QLocale::Chinese, QLocale::China));
    if (!translator.isEmpty())
        return true;
    if (!translator.load(QLocale(QLocale::Chinese, QLocale::China), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return app->installTranslator(&translator);
}

} // namespace ui
