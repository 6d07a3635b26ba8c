#pragma once
// Builds the menu bar and the pop-up menus from the command table. Every item
// runs its command through the router, which must outlive the menus.
#include "commands/CommandTable.h"

class QMenu;
class QMenuBar;
class QWidget;

namespace engine {
class EngineView;
}

namespace commands {

class CommandRouter;

// Appends the entries to the menu: items, separators and submenus.
void fillMenu(QMenu *menu, const std::vector<MenuEntry> &entries, CommandRouter &router);
// Fills the menu bar with every menu of the main window.
void buildMenuBar(QMenuBar *bar, CommandRouter &router);
// The pop-up menu "特效" (owned by parent).
QMenu *buildEffectsMenu(QWidget *parent, CommandRouter &router);
// The "编辑" menu as a pop-up, for the design view's context menu (owned by parent).
QMenu *buildEditContextMenu(QWidget *parent, CommandRouter &router);

// Opens the menu with its top-left corner 3 pixels right of and below the
// mouse pointer and returns once an item was picked (its command has run) or
// the menu was dismissed. Either mouse button picks an item.
void ShowPopupMenu(QMenu *menu);

// Right-clicking in the page opens the "编辑" menu instead of the engine's own
// menu. Returns the menu (owned by the view).
QMenu *InstallDesignContextMenu(engine::EngineView &view, CommandRouter &router);

} // namespace commands
