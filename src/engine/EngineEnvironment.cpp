#include "engine/EngineEnvironment.h"

#include <QCoreApplication>
#include <QtGlobal>
#include <unistd.h>

namespace engine {

void prepareProcessEnvironment()
{
    // The engine's sandbox refuses to start for the root user.
    if (geteuid() == 0)
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
}

} // namespace engine
