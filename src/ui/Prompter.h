#pragma once
// Every message box, file dialog and colour dialog of the program goes through
// the current Prompter, so that tests can answer them with scripted replies.
#include <QColor>
#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <optional>

class QWidget;

namespace ui {

// A file dialog as the program describes it: the filter is "description|pattern"
// pairs separated by '|', the default suffix may be written "*.htm".
struct FileDialogRequest {
    QString filter;
    QString defaultSuffix;
    QString proposedName;
    QString title; // the dialog's caption; "打开" or "另存为" when empty
};

class Prompter {
public:
    virtual ~Prompter() = default;
    // Shows a message box and returns the button chosen; closing the box
    // counts as Cancel when the box has one, else as its only button.
    virtual QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                                const QString &caption, const QString &text,
                                                QMessageBox::StandardButtons buttons) = 0;
    // A message box whose buttons carry the program's own words ("恢复",
    // "放弃"); returns the index of the button chosen. defaultIndex is the
    // button Enter presses; Escape and the close box choose escapeIndex, or
    // do nothing when it is -1 (the box then waits for a button).
    virtual int choose(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text,
                       const QStringList &buttons, int defaultIndex, int escapeIndex) = 0;
    // The chosen path, or an empty text when the dialog was cancelled.
    virtual QString openFileName(QWidget *parent, const FileDialogRequest &request) = 0;
    virtual QString saveFileName(QWidget *parent, const FileDialogRequest &request) = 0;
    // The chosen colour, or nothing when the dialog was cancelled.
    virtual std::optional<QColor> colour(QWidget *parent, const QColor &initial) = 0;
    // Tells the user something without waiting for an answer: the box stays
    // open beside the window while the user goes on working.
    virtual void notice(QWidget *parent, const QString &caption, const QString &text) = 0;
};

// The prompter in use; the standard one shows real Qt dialogs.
Prompter &prompter();
// Installs another prompter (not owned); nullptr restores the standard one.
void setPrompter(Prompter *replacement);

// The program's information box: caption "信息：", an OK button and no icon.
void showInformation(QWidget *parent, const QString &text);
// The same as a notice that does not wait for the OK.
void showNotice(QWidget *parent, const QString &text);

// "HTML文件（*.htm）|*.htm" -> "HTML文件（*.htm） (*.htm)"; pairs become ";;"-separated
// Qt filters. Patterns separated by ';' become space-separated.
QString qtFileFilter(const QString &barSeparatedFilter);
// "*.htm" or ".htm" or "htm" -> "htm".
QString plainSuffix(const QString &defaultSuffix);

} // namespace ui
