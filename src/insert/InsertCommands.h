#pragma once
// The insertion commands of the menus and the toolbar, bound to what each
// inserts into the design view.
class QWidget;

namespace commands {
class CommandRouter;
}
namespace engine {
class EngineView;
}

namespace insert {

// Binds every insertion command to the view; the dialogs are owned by owner.
// WordArt and glow text get the view's sheets that show them.
void bindInsertCommands(commands::CommandRouter &router, QWidget *owner, engine::EngineView &view);

} // namespace insert
