// Test programs that start the browser engine link this too: the engine's
// process settings are made before QApplication exists, with the rest of the
// test set-up.
#include "TestSupport.h"
#include "engine/EngineEnvironment.h"

namespace {
const bool prepared = (testsupport::processPreparation = &engine::prepareProcessEnvironment, true);
}
