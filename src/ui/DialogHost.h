#pragma once
// Opens the program's dialogs: each one owned by a window (the main window in
// practice), centred on the screen and not modal, so that the owner and other
// dialogs stay usable. A window holds at most one dialog of each kind; asking
// for a kind that is open brings that dialog to the front instead.
#include <QHash>
#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class QDialog;
class QWidget;

namespace ui {

class DialogHost : public QObject {
    Q_OBJECT
public:
    // Makes a fresh dialog owned by the given window.
    using Factory = std::function<QDialog *(QWidget *owner)>;

    explicit DialogHost(QWidget *owner);

    // The host of a window, created on first use and living as long as it.
    static DialogHost *of(QWidget *owner);

    // The open dialog of this kind, raised and activated; otherwise a new one
    // from the factory, centred and shown, not modal.
    QDialog *open(const QString &kind, const Factory &factory);
    // Like open, but a new dialog blocks every other window until it closes.
    QDialog *openModal(const QString &kind, const Factory &factory);
    // The open dialog of this kind, or nullptr.
    QDialog *find(const QString &kind) const;

    QWidget *owner() const;

private:
    QDialog *show(const QString &kind, const Factory &factory, bool modal);

    QHash<QString, QPointer<QDialog>> m_dialogs;
};

// Moves a window so that it sits in the middle of the available area of its
// owner's screen (or its own screen when it has no owner).
void centreOnScreen(QWidget *window);
// Moves a window so that it sits in the middle of another window.
void centreOver(QWidget *window, QWidget *over);

} // namespace ui
