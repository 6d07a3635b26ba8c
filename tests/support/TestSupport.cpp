#include "TestSupport.h"
#include "engine/EngineEnvironment.h"

#include <QTemporaryDir>
#include <memory>
#include <vector>

namespace testsupport {

void prepareProcess()
{
    engine::prepareProcessEnvironment();
}

QString freshTempDir()
{
    static std::vector<std::unique_ptr<QTemporaryDir>> dirs;
    dirs.push_back(std::make_unique<QTemporaryDir>());
    return dirs.back()->path();
}

} // namespace testsupport
