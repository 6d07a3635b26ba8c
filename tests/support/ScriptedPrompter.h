#pragma once
// A Prompter for tests: answers come from queues filled by the test, and every
// message shown is recorded. An empty queue answers as if the user cancelled.
#include "ui/Prompter.h"

#include <QList>
#include <QQueue>

struct ShownMessage {
    QMessageBox::Icon icon;
    QString caption;
    QString text;
    QMessageBox::StandardButtons buttons;
    bool waited = true; // false for a notice, which does not wait for an answer
    QStringList choices; // the buttons of a choice box
};

struct ShownFileDialog {
    bool save;
    ui::FileDialogRequest request;
};

class ScriptedPrompter : public ui::Prompter {
public:
    ScriptedPrompter() { ui::setPrompter(this); }
    ~ScriptedPrompter() override { ui::setPrompter(nullptr); }

    QQueue<QMessageBox::StandardButton> buttons;
    QQueue<QString> fileNames;
    QQueue<std::optional<QColor>> colours;
    QQueue<int> choices; // answers to choice boxes: the index of the button (empty: Escape)

    QList<ShownMessage> messages;
    QList<ShownFileDialog> fileDialogs;

    QMessageBox::StandardButton message(QWidget *, QMessageBox::Icon icon, const QString &caption,
                                        const QString &text,
                                        QMessageBox::StandardButtons shown) override
    {
        messages.append({icon, caption, text, shown, false, {}});
        if (!buttons.isEmpty())
            return buttons.dequeue();
        if (shown.testFlag(QMessageBox::Cancel))
            return QMessageBox::Cancel;
        return QMessageBox::Ok;
    }
    int choose(QWidget *, QMessageBox::Icon icon, const QString &caption, const QString &text,
               const QStringList &shown, int, int escapeIndex) override
    {
        messages.append({icon, caption, text, QMessageBox::NoButton, true, shown});
        return choices.isEmpty() ? escapeIndex : choices.dequeue();
    }
    QString openFileName(QWidget *, const ui::FileDialogRequest &request) override
    {
        fileDialogs.append({false, request});
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    QString saveFileName(QWidget *, const ui::FileDialogRequest &request) override
    {
        fileDialogs.append({true, request});
        return fileNames.isEmpty() ? QString() : fileNames.dequeue();
    }
    std::optional<QColor> colour(QWidget *, const QColor &) override
    {
        return colours.isEmpty() ? std::nullopt : colours.dequeue();
    }
    void notice(QWidget *, const QString &caption, const QString &text) override
    {
        messages.append({QMessageBox::NoIcon, caption, text, QMessageBox::Ok, false, {}});
    }
};
