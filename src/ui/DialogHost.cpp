#include "ui/DialogHost.h"

#include <QDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace ui {

DialogHost::DialogHost(QWidget *owner) : QObject(owner)
{
    setObjectName(QStringLiteral("DialogHost"));
}

DialogHost *DialogHost::of(QWidget *owner)
{
    if (auto *host = owner->findChild<DialogHost *>(QString(), Qt::FindDirectChildrenOnly))
        return host;
    return new DialogHost(owner);
}

QWidget *DialogHost::owner() const
{
    return qobject_cast<QWidget *>(parent());
}

QDialog *DialogHost::find(const QString &kind) const
{
    QDialog *dialog = m_dialogs.value(kind);
    // A dialog that was closed but not yet deleted no longer counts.
    return dialog && dialog->isVisible() ? dialog : nullptr;
}

QDialog *DialogHost::open(const QString &kind, const Factory &factory)
{
    return show(kind, factory, false);
}

QDialog *DialogHost::openModal(const QString &kind, const Factory &factory)
{
    return show(kind, factory, true);
}

QDialog *DialogHost::show(const QString &kind, const Factory &factory, bool modal)
{
    if (QDialog *open = find(kind)) {
        if (open->isMinimized())
            open->showNormal();
        open->raise();
        open->activateWindow();
        return open;
    }
    if (QDialog *stale = m_dialogs.take(kind))
        stale->deleteLater();

    QDialog *dialog = factory(owner());
    if (!dialog)
        return nullptr;
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(modal ? Qt::ApplicationModal : Qt::NonModal);
    m_dialogs.insert(kind, dialog);
    centreOnScreen(dialog);
    dialog->show();
    dialog->raise();
    dialog->activateWindow();
    return dialog;
}

void centreOnScreen(QWidget *window)
{
    QWidget *owner = window->parentWidget();
    QScreen *screen = owner ? owner->screen() : window->screen();
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    QSize size = window->frameGeometry().size();
    if (size == window->size() && owner && owner->window()->isVisible()) {
        // Not framed yet: the window manager will frame it as it framed the
        // owner, and the position given is the frame's.
        const QWidget *top = owner->window();
        size += top->frameGeometry().size() - top->size();
    }
    window->move(area.x() + (area.width() - size.width()) / 2,
                 area.y() + (area.height() - size.height()) / 2);
}

void centreOver(QWidget *window, QWidget *over)
{
    if (!over) {
        centreOnScreen(window);
        return;
    }
    const QRect target = over->isWindow() ? over->frameGeometry()
                                          : QRect(over->mapToGlobal(QPoint(0, 0)), over->size());
    const QSize size = window->frameGeometry().size();
    window->move(target.x() + (target.width() - size.width()) / 2,
                 target.y() + (target.height() - size.height()) / 2);
}

} // namespace ui
