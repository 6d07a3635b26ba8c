#pragma once
// The page's life and its two views: New, Open, Save, Save As and closing;
// the switches between the design view and the code view.
//
// The design view is the master copy: saving and the unsaved-changes test use
// its text. The code view is a second copy, filled when the user switches to
// it and copied back when the user switches to the design view.
//
// What surrounds the page's life goes in classes of its own: the questions
// about the file on disk (DiskChanges), the preview (Preview), and the
// recovery copies (RecoveryKeeper, which follows this controller's signals).
#include "document/DiskChanges.h"
#include "document/DocumentState.h"
#include "document/PageSurfaces.h"
#include "document/PageViews.h"
#include "document/Preview.h"
#include "document/RecoveryStore.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class QTabWidget;
class QWidget;

namespace document {

class DocumentController : public QObject {
    Q_OBJECT
public:
    // window is the parent of every prompt and dialog; views holds the design
    // view on page 0 and the code view on page 1.
    DocumentController(QWidget *window, DesignSurface &design, CodeSurface &code,
                       QTabWidget &views, QObject *parent = nullptr);
    // The same for the real views.
    DocumentController(QWidget *window, engine::EngineView &design, codeview::CodeEditor &code,
                       QTabWidget &views, QObject *parent = nullptr);
    ~DocumentController() override;

    // Start-up: the blank page into the design view, no file, and the
    // design view's reading of it as the saved text.
    void InitialiseBlankPage();

    // The design view's text. The view is read only when its page changed
    // since the last reading.
    const QString &ReadPage() { return m_views.designText(); }
    // The code view's whole text is to be text, as for a newly loaded
    // document (no undo history); a hidden code view takes it when shown.
    void ReplaceCodeText(const QString &text) { m_views.loadCode(text); }
    // A whole new page written into the design view (the effect pages); the
    // code view gets it at the next switch. The file stays the same.
    void WritePageToDesign(const QString &text);
    // A whole new page written into both views (the page properties).
    void ReplacePageInBothViews(const QString &text);
    // The unsaved-changes test (reads the design view).
    bool IsPageChanged();

    // 文件 › 新建 / 打开: ask about unsaved changes, then create or open.
    void NewPageCommand();
    void OpenPageCommand();
    // Opens the file as 文件 › 打开 does once a file is chosen (without asking
    // about unsaved changes): a file named on the command line. False, with
    // the message shown, when it cannot be read; the page then stays.
    bool OpenPath(const QString &path);
    // 文件 › 保存 / 另存为. True when the page was written.
    bool SavePage();
    bool SavePageAs();
    // The close box and 文件 › 退出: true when the program may end now, false
    // when it keeps running (cancelled, or the save failed or was cancelled).
    bool CloseProgram();

    // 查看 › 代码 / 设计 / 预览.
    void ShowCodeView();
    void ShowDesignView();
    void PreviewPage();

    const DocumentState &state() const { return m_state; }
    // The file the page's pictures go beside: the page's own file, else the
    // one it was last saved as; empty for a page never saved.
    QString pagePath() const { return m_state.currentPath.isEmpty() ? m_savedTo : m_state.currentPath; }
    // A page file dropped on the design view: opened as 文件 › 打开 opens a
    // file, after the question about unsaved changes.
    void OpenDroppedPage(const QString &path);

    // Work the user would lose: the design view's page differs from the
    // saved text, or the code view holds edits not yet in the design view.
    bool HasUnsavedWork();
    // Both views' texts and what they belong to, for a recovery copy.
    RecoveryCopy recoverySnapshot();
    // A recovered page into both views, as an unsaved change to its file.
    void RestoreRecoveredPage(const RecoveryCopy &copy);
    // Moves on whenever the design view's page changes.
    quint64 designChangeCount() { return m_views.designChangeCount(); }

    // The file on disk and the questions about it.
    DiskChanges &disk() { return *m_disk; }
    Preview &preview() { return m_preview; }

signals:
    // The work at risk may have changed: a page made, opened, saved or
    // reloaded, a question about its file answered.
    void workChanged();
    // A save is about to write text to path.
    void aboutToSave(const QString &path, const QString &text);
    // The program ends: the work is saved or the user gave it up.
    void closingAccepted();

private:
    enum class Unsaved { Proceed, Stop };
    Unsaved askAboutUnsavedChanges();
    void NewPage();
    void OpenPage();
    bool writePage(const QString &path, bool announceSuccess);
    // Before a save to path: the page's relative addresses rewritten for
    // path's folder; the number of places changed.
    int keepAddressesFor(const QString &path);
    bool askToClose();
    // A page read from path into both views as its file's unchanged content.
    bool takeLoadedPage(const QString &path, const LoadedPage &page);
    void reloadFromDisk();
    void reportWriteFailure(const QString &path, const QString &reason);
    // What the design view read when the page was last opened, saved or
    // written new becomes state().savedText.
    void rememberSaved(const QString &reading);
    // A large page opened without being read back, and not changed since:
    // it counts as unchanged without a reading.
    bool unchangedSinceOpened();

    QWidget *m_window;
    std::unique_ptr<DesignSurface> m_ownDesign;
    std::unique_ptr<CodeSurface> m_ownCode;
    PageViews m_views;
    DocumentState m_state;
    // The file the page was last written to (by Save, Save As or closing).
    QString m_savedTo;
    // The change count of an opened page that was not read back.
    std::optional<quint64> m_savedUnreadAt;
    DiskChanges *m_disk = nullptr;
    Preview m_preview;
};

} // namespace document
