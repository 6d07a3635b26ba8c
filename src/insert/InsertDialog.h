#pragma once
// The common frame of every insertion dialog: a fixed-size window with a
// caption, owned by the main window, whose confirm buttons run a builder
// (checks, then the fragment), hand the fragment to an inserter and close,
// and whose cancel buttons just close. A builder dialog only lays out its
// controls and says what its confirm buttons build.
#include "insert/BuildResult.h"
#include "ui/Naming.h"

#include <QDialog>
#include <QList>
#include <QPointer>
#include <QSize>
#include <QString>
#include <QStringList>
#include <functional>

class QAbstractButton;
class QBoxLayout;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QHBoxLayout;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class ColourPicker;
}

namespace insert {

class InsertDialog : public QDialog {
    Q_OBJECT
public:
    // A dialog window with the given caption and fixed size, owned by owner,
    // not modal, deleted when closed (every opening starts afresh).
    InsertDialog(QWidget *owner, const QString &caption, const QSize &size);

    void setInserter(Inserter inserter) { m_inserter = std::move(inserter); }
    const Inserter &inserter() const { return m_inserter; }

    // The button runs the builder when clicked.
    void bindConfirm(QAbstractButton *button, Builder builder);
    // The button closes the dialog and does nothing else.
    void bindCancel(QAbstractButton *button);

    // What a confirm button does: run the builder, then insert and close,
    // or show its message in the information box. True when the dialog
    // closed.
    bool runBuilder(const Builder &builder);

    // The button Enter presses: a focused push button or picture button
    // itself, otherwise the confirm button on view (the current page's, in a
    // dialog with pages). Null when there is none.
    QAbstractButton *enterButton() const;

signals:
    // A fragment was handed to the inserter (before the dialog closed).
    void fragmentInserted(const QString &fragment);

protected:
    // Enter presses enterButton(); Escape closes the dialog, as "取消" does.
    void keyPressEvent(QKeyEvent *event) override;

private:
    Inserter m_inserter;
    QList<QPointer<QAbstractButton>> m_confirmButtons;
    bool m_running = false; // a builder is running (the inserter may pump events)
};

// Lays out a page of labelled fields, one per row, with the page's buttons in
// a row underneath. Every control gets its object name and an accessible name
// (its label, or its caption for buttons and check boxes).

class FieldForm {
public:
    explicit FieldForm(QWidget *page);

    QLineEdit *edit(const QString &name, const QString &label, const QString &text = QString());
    // A drop-down list of fixed items with the first one selected.
    QComboBox *list(const QString &name, const QString &label, const QStringList &items);
    // A colour picker holding a 0x00BBGGRR colour.
    ui::ColourPicker *colour(const QString &name, const QString &label, int colour);
    QCheckBox *check(const QString &name, const QString &caption, bool checked = false);
    // Any other control on a labelled row; returns the control.
    template <class Control>
    Control *row(Control *control, const QString &name, const QString &label)
    {
        addRow(control, name, label);
        return control;
    }
    // A button in the page's bottom row.
    QPushButton *button(const QString &name, const QString &caption);
    // The confirm "确定" and cancel "取消" pair, bound to the dialog.
    void confirmAndCancel(InsertDialog *dialog, const QString &confirmName,
                          const QString &cancelName, Builder builder);

    QFormLayout *form() const { return m_form; }

private:
    void addRow(QWidget *control, const QString &name, const QString &label);

    QWidget *m_page;
    QFormLayout *m_form;
    QHBoxLayout *m_buttons;
};


} // namespace insert
