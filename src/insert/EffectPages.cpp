#include "insert/EffectPages.h"

#include <QFile>

namespace insert {

QString EffectPageText(EffectPage page)
{
    const char *name = "carousel";
    switch (page) {
    case EffectPage::Carousel:
        name = "carousel";
        break;
    case EffectPage::RolloverImage:
        name = "rollover-image";
        break;
    case EffectPage::StarrySky:
        name = "starry-sky";
        break;
    }
    QFile file(QStringLiteral(":/insert/effects/%1.htm").arg(QLatin1String(name)));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

} // namespace insert
