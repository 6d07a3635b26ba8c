#pragma once
// Binds the commands of this subsystem: formatting and editing on the design
// view, the toolbar's boxes and colour pickers, the effects pop-up and help.
// Commands owned by other parts of the program are bound by the main window.

class QWidget;

namespace engine {
class EngineView;
}

namespace commands {

class CommandRouter;
class Toolbar;

// Everything below must outlive the router's use of these commands.
void bindFormattingCommands(CommandRouter &router, engine::EngineView &designView,
                            const Toolbar &toolbar);
void bindHelpCommands(CommandRouter &router, QWidget *window);
void bindEffectsMenu(CommandRouter &router, const Toolbar &toolbar);

// All three at once.
void bindEditorCommands(CommandRouter &router, engine::EngineView &designView,
                        const Toolbar &toolbar, QWidget *window);

} // namespace commands
