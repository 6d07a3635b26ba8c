#pragma once
// The page's file against what other programs do to it: when one changes
// it, the user chooses between its new content and the editor's version;
// when one deletes it, the user is told; a save over a file changed since
// the editor read or wrote it asks first. The questions wait while a
// message box, a file dialog or a wait for the engine is under way.
#include "document/FileWatch.h"

#include <QObject>
#include <functional>

class QTimer;
class QWidget;

namespace document {

class DiskChanges : public QObject {
    Q_OBJECT
public:
    // What the questions need of the page.
    struct Page {
        std::function<bool()> hasUnsavedWork;
        // Loads the file's new content into the page.
        std::function<void()> reload;
        // The editor's version no longer matches the file: the page counts
        // as changed against it from now on.
        std::function<void()> differsFromFile;
    };
    // window is the parent of the questions; it is watched for the moment
    // the user comes back to the editor from another program.
    DiskChanges(QWidget *window, Page page, QObject *parent = nullptr);

    // The file the editor knows, as FileWatch keeps it.
    FileWatch &file() { return *m_file; }

    // Compares the file with what the editor knows and asks what to do when
    // it differs. Runs by itself when the file system reports a change and
    // when the window becomes active.
    void check();
    // Before a save over path: false when another program changed it and
    // the user does not want it overwritten.
    bool mayOverwrite(const QString &path);

signals:
    // The user answered a question about the file.
    void answered();

private:
    bool eventFilter(QObject *watched, QEvent *event) override;

    QWidget *m_window;
    Page m_page;
    FileWatch *m_file;
    QTimer *m_retry;
    bool m_asking = false;
};

// True while a message box, a file dialog or a wait for the engine runs: work
// started from a timer then waits for the program's own loop.
bool insideAnotherWait();

} // namespace document
