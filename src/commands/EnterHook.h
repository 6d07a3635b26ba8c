#pragma once
// Enter in the design view makes a line break instead of a new paragraph.

namespace engine {
class EngineView;
}

namespace commands {

// Installs the Enter-key hook on the view unless it is installed already:
// from then on Enter and Shift+Enter put "<br/>" at the caret (over any
// selection) and the engine never sees the key. Bound to the view's first
// navigation-complete event; later calls do nothing.
void InstallEnterHook(engine::EngineView &view);
bool EnterHookInstalled(const engine::EngineView &view);

} // namespace commands
