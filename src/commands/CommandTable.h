#pragma once
// The command table of the main window as data: the menu bar, the pop-up
// menus and the toolbar controls, each entry naming the command it runs.
#include "commands/CommandId.h"

#include <QRect>
#include <QString>
#include <vector>

namespace commands {

struct MenuEntry {
    enum class Kind { Item, Separator, Submenu };
    Kind kind = Kind::Item;
    QString text;
    CommandId command = CommandId::None;
    std::vector<MenuEntry> children; // Submenu only

    static MenuEntry item(const QString &text, CommandId command);
    static MenuEntry separator();
    static MenuEntry submenu(const QString &text, std::vector<MenuEntry> children);
};

// The menus of the menu bar, left to right; each is a Submenu entry.
const std::vector<MenuEntry> &menuBarTable();
// The entry of the menu bar with this title ("编辑"), or nullptr.
const MenuEntry *menuBarMenu(const QString &title);
// Items of the pop-up menu "特效" opened by the effects button.
const std::vector<MenuEntry> &effectsMenuTable();

// Texts of the "关于" menu.
extern const char *const kAboutName;
QString aboutVersion(); // "版本：V2.0"
extern const char *const kAboutAuthor;

struct ToolbarControl {
    enum class Kind { Button, FontNameBox, FontSizeBox, ColourPicker };
    Kind kind = Kind::Button;
    QString name;    // object name, e.g. "按钮_加粗"
    QRect geometry;  // inside the toolbar strip
    QString tooltip;
    CommandId command = CommandId::None;
    QString icon;    // resource path of a button's picture
};

// Every control of the toolbar strip, in the order they are created.
const std::vector<ToolbarControl> &toolbarTable();
const ToolbarControl *toolbarControl(const QString &name);

} // namespace commands
