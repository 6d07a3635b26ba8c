#include "commands/Menus.h"

#include "commands/CommandRouter.h"
#include "engine/EngineView.h"

#include <QAction>
#include <QCursor>
#include <QMenu>
#include <QMenuBar>

namespace commands {

namespace {

// Texts go in as they are: an '&' would otherwise become a mnemonic.
QString plainText(const QString &text)
{
    QString t = text;
    return t.replace(QLatin1Char('&'), QLatin1String("&&"));
}

void addEntry(QMenu *menu, const MenuEntry &entry, CommandRouter &router)
{
    switch (entry.kind) {
    case MenuEntry::Kind::Separator:
        menu->addSeparator();
        break;
    case MenuEntry::Kind::Submenu: {
        QMenu *sub = menu->addMenu(plainText(entry.text));
        sub->setAccessibleName(entry.text);
        fillMenu(sub, entry.children, router);
        break;
    }
    case MenuEntry::Kind::Item: {
        QAction *action = menu->addAction(plainText(entry.text));
        const CommandId id = entry.command;
        CommandRouter *r = &router;
        QObject::connect(action, &QAction::triggered, action, [r, id] { r->run(id); });
        break;
    }
    }
}

QMenu *buildPopup(QWidget *parent, const QString &title, const std::vector<MenuEntry> &entries,
                  CommandRouter &router)
{
    auto *menu = new QMenu(title, parent);
    menu->setAccessibleName(title);
    fillMenu(menu, entries, router);
    return menu;
}

} // namespace

void fillMenu(QMenu *menu, const std::vector<MenuEntry> &entries, CommandRouter &router)
{
    for (const MenuEntry &entry : entries)
        addEntry(menu, entry, router);
}

void buildMenuBar(QMenuBar *bar, CommandRouter &router)
{
    for (const MenuEntry &top : menuBarTable()) {
        QMenu *menu = bar->addMenu(plainText(top.text));
        menu->setAccessibleName(top.text);
        fillMenu(menu, top.children, router);
    }
}

QMenu *buildEffectsMenu(QWidget *parent, CommandRouter &router)
{
    return buildPopup(parent, QStringLiteral("特效"), effectsMenuTable(), router);
}

QMenu *buildEditContextMenu(QWidget *parent, CommandRouter &router)
{
    const QString title = QStringLiteral("编辑");
    const MenuEntry *edit = menuBarMenu(title);
    return buildPopup(parent, title, edit ? edit->children : std::vector<MenuEntry>{}, router);
}

void ShowPopupMenu(QMenu *menu)
{
    if (menu)
        menu->exec(QCursor::pos() + QPoint(3, 3));
}

QMenu *InstallDesignContextMenu(engine::EngineView &view, CommandRouter &router)
{
    QMenu *menu = buildEditContextMenu(&view, router);
    // Queued: the menu's own event loop must not run inside the engine's
    // notification.
    QObject::connect(&view, &engine::EngineView::contextMenuRequested, menu,
                     [menu](const QPoint &) { ShowPopupMenu(menu); }, Qt::QueuedConnection);
    return menu;
}

} // namespace commands
