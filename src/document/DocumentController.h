#pragma once
// The page's life and its two views: New, Open, Save, Save As and closing;
// the switches between the design view and the code view; the preview.
//
// The design view is the master copy: saving and the unsaved-changes test use
// its text. The code view is a second copy, filled when the user switches to
// it and copied back when the user switches to the design view.
#include "document/DocumentState.h"
#include "document/PageSurfaces.h"

#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>
#include <memory>
#include <optional>

class QTabWidget;
class QTimer;
class QWidget;

namespace document {

class FileWatch;
class RecoveryStore;
struct RecoveryCopy;

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

    // The design view's text into engineText. The view is read only when its
    // page changed since the last reading.
    void ReadPage();
    // The code editor's whole text replaced by text; its undo history starts
    // afresh, as for a newly loaded document.
    void ReplaceCodeText(const QString &text);
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

    // Work the user would lose: the design view's page differs from the
    // saved text, or the code view holds edits not yet in the design view.
    bool HasUnsavedWork();
    // Keeps a recovery copy of unsaved work in store, brought up to date
    // every intervalMs at the next pause in the design view's changes; the
    // store must outlive this controller.
    static constexpr int kRecoveryInterval = 30000;
    // How long the design view must stay unchanged before it is read for the copy.
    static constexpr int kQuietInterval = 1000;
    void keepRecoveryCopies(RecoveryStore *store, int intervalMs = kRecoveryInterval);
    // The copy brought up to date now: written when the work differs from
    // the copy last written, removed when there is no work; wait returns only
    // once it is on disk.
    void UpdateRecoveryCopy(bool wait = false);
    // A recovered page into both views, as an unsaved change to its file.
    void RestoreRecoveredPage(const RecoveryCopy &copy);

    // The page's file against what the editor last read or wrote: when
    // another program changed it, asks whether to load its new content or
    // keep the editor's version; when it was deleted, says so. Runs by itself
    // when the file system reports a change and when the window becomes
    // active; waits while a prompt or another wait is under way.
    void CheckFileOnDisk();

    // Where the preview goes first; the program's directory unless set.
    void setProgramDirectory(const QString &dir) { m_programDir = dir; }
    // Opens the preview; QDesktopServices::openUrl unless set.
    using UrlOpener = std::function<bool(const QUrl &)>;
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // The preview file written last (empty before the first preview).
    QString lastPreviewPath() const { return m_lastPreviewPath; }

private:
    enum class Unsaved { Proceed, Stop };
    Unsaved askAboutUnsavedChanges();
    void NewPage();
    void OpenPage();
    bool writePage(const QString &path, bool announceSuccess);
    bool askToClose();
    // A page read from path into both views as its file's unchanged content.
    bool takeLoadedPage(const QString &path, const LoadedPage &page);
    // Before a save over the page's own file: false when another program
    // changed it and the user does not want it overwritten.
    bool mayOverwrite(const QString &path);
    void reloadFromDisk();
    void watchTheFile();
    bool eventFilter(QObject *watched, QEvent *event) override;
    void reportWriteFailure(const QString &path, const QString &reason);
    void removePreviewFile();
    QString programDirectory() const;
    // The folder the page's relative addresses resolve against: that of the
    // file last opened, created or saved to; the home folder before any.
    QString pageFolder() const;
    void followFolderOf(const QString &path);
    // The views' texts as they are now. A view is read only when its text
    // changed since it was last read; the state is not touched.
    QString designText();
    QString codeText();
    // What the design view read when the page was last opened, saved or
    // written new becomes state().savedText.
    void rememberSaved(const QString &reading);
    // A large page opened without being read back, and not changed since:
    // it counts as unchanged without a reading.
    bool unchangedSinceOpened();
    // The code view's text into codeText.
    void readCode();
    // The code editor was just given this text.
    void codeNowHolds(const QString &text);
    void showDesignPage();
    RecoveryCopy recoverySnapshot();

    QWidget *m_window;
    std::unique_ptr<DesignSurface> m_ownDesign;
    std::unique_ptr<CodeSurface> m_ownCode;
    DesignSurface &m_design;
    CodeSurface &m_code;
    QTabWidget &m_views;
    // The design view's page as of this change count.
    bool m_designKnown = false;
    quint64 m_designCount = 0;
    QString m_designText;
    // The change count of an opened page that was not read back.
    std::optional<quint64> m_savedUnreadAt;
    // The code view's text, while the editor reports it unmodified.
    bool m_codeKnown = false;
    QString m_codeText;
    // What the code view was last given, or last gave the design view: it
    // holds edits of its own while its text differs from this.
    QString m_codeFilled;
    RecoveryStore *m_recovery = nullptr;
    QTimer *m_recoveryTimer = nullptr;
    QTimer *m_quietTimer = nullptr;
    QElapsedTimer m_waitingForQuiet;
    quint64 m_countBeforeQuiet = 0;
    bool m_copyWritten = false;
    QString m_copiedDesign, m_copiedCode;
    DocumentState m_state;
    QString m_folder;
    FileWatch *m_disk = nullptr;
    QTimer *m_diskRetry = nullptr;
    bool m_askingAboutDisk = false;
    QString m_programDir;
    QString m_lastPreviewPath;
    UrlOpener m_openUrl;
};

} // namespace document
