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

// Whether a line break at the selection would be the last thing in its block,
// where the engine shows no new line for it; Enter then adds a second break
// that holds the line open until something is typed on it.
bool LineBreakNeedsHolder(engine::EngineView &view);

} // namespace commands
