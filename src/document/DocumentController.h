#pragma once
// The page's life and its two views: New, Open, Save, Save As and closing;
// the switches between the design view and the code view; the preview.
//
// The design view is the master copy: saving and the unsaved-changes test use
// its text. The code view is a second copy, filled when the user switches to
// it and copied back when the user switches to the design view.
#include "document/DocumentState.h"

#include <QObject>
#include <QString>
#include <QUrl>
#include <functional>

class QTabWidget;
class QWidget;

namespace engine {
class EngineView;
}
namespace codeview {
class CodeEditor;
}

namespace document {

class DocumentController : public QObject {
    Q_OBJECT
public:
    // window is the parent of every prompt and dialog; views holds the design
    // view on page 0 and the code view on page 1.
    DocumentController(QWidget *window, engine::EngineView &design, codeview::CodeEditor &code,
                       QTabWidget &views, QObject *parent = nullptr);

    // Start-up: the blank page into the design view, no file, and the
    // design view's reading of it as the saved text.
    void InitialiseBlankPage();

    // The design view's text into engineText.
    void ReadPage();
    // The code editor's whole text replaced by text; its undo history starts
    // afresh, as for a newly loaded document.
    void ReplaceCodeText(const QString &text);
    // The unsaved-changes test (reads the design view).
    bool IsPageChanged();

    // 文件 › 新建 / 打开: ask about unsaved changes, then create or open.
    void NewPageCommand();
    void OpenPageCommand();
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
    void reportWriteFailure(const QString &path, const QString &reason);
    void removePreviewFile();
    QString programDirectory() const;
    QString pageFolder() const;

    QWidget *m_window;
    engine::EngineView &m_design;
    codeview::CodeEditor &m_code;
    QTabWidget &m_views;
    DocumentState m_state;
    QString m_programDir;
    QString m_lastPreviewPath;
    UrlOpener m_openUrl;
};

} // namespace document
