#include "engine/EngineEnvironment.h"
#include "engine/PageFolderScheme.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <unistd.h>

namespace engine {

void prepareProcessEnvironment()
{
    // The engine's sandbox refuses to start for the root user.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    // On Linux the engine keeps the page from screen readers unless asked;
    // the page being edited is what a screen reader user most needs to
    // hear. The engine builds that tree only while a screen reader listens.
    if (!qEnvironmentVariableIsSet("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY"))
        qputenv("QTWEBENGINE_ENABLE_LINUX_ACCESSIBILITY", "1");
    // The design view's own sheets ask what follows an element (":has"),
    // which this engine version knows but keeps behind a switch.
    QByteArray flags = qgetenv("QTWEBENGINE_CHROMIUM_FLAGS");
    if (!flags.contains("CSSPseudoHas"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS", (flags + " --enable-blink-features=CSSPseudoHas").trimmed());
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    registerPageFolderScheme();
}

} // namespace engine
