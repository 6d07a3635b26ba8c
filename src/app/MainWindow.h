#pragma once
// The main window: toolbar strip, the two views of the page on one tab
// control, the status bar and the inspector's timer; it runs start-up and
// routes every menu and toolbar command.
#include "commands/CommandRouter.h"

#include <QMainWindow>
#include <memory>

class QTabWidget;
class QTimer;

namespace codeview {
class CodeEditor;
class LexerConfig;
}
namespace commands {
class Toolbar;
}
namespace document {
class DocumentController;
class PageTransfers;
class RecoveryKeeper;
class RecoveryStore;
}
namespace engine {
class EngineView;
}
namespace tools {
class ElementInspector;
}
namespace ui {
class FindBar;
}

namespace app {

class FindController;
class InitialisingWindow;
class StatusBar;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindow(codeview::LexerConfig &lexerConfig, QWidget *parent = nullptr);
    ~MainWindow() override;

    static QString caption();

    // The creation handling: greets the user, loads the blank page into the
    // design view and configures the code view. Returns when the editor is ready.
    void initialise();
    bool isInitialised() const { return m_initialised; }
    // Opens a page named on the command line, through the same path as
    // 文件 › 打开; a file that cannot be read leaves the blank page.
    void openFromCommandLine(const QString &path);
    // Writes the design view's page (UTF-8) to the file; for the
    // installation check, which has no other way to look inside the program.
    bool reportPageAndQuit(const QString &path);

    engine::EngineView *designView() const { return m_design; }
    codeview::CodeEditor *codeView() const { return m_code; }
    QTabWidget *views() const { return m_views; }
    commands::Toolbar *toolbar() const { return m_toolbar; }
    StatusBar *statusPanels() const { return m_status; }
    document::DocumentController *document() const { return m_document.get(); }
    commands::CommandRouter &router() { return m_router; }
    InitialisingWindow *initialisingWindow() const { return m_initWindow; }
    QTimer *inspectorTimer() const { return m_inspectorTimer; }
    tools::ElementInspector *inspector() const { return m_inspector; }
    ui::FindBar *findBar() const { return m_findBar; }

    // Places the strip, the views and the status bar for a client area of
    // this size (also below the height of strip and status bar together).
    void layoutClientArea(const QSize &client);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void bindCommands();
    void onInspectorTick();
    void runInitialChoice(int action);

    codeview::LexerConfig &m_lexerConfig;
    commands::CommandRouter m_router;
    QWidget *m_client = nullptr;
    commands::Toolbar *m_toolbar = nullptr;
    QTabWidget *m_views = nullptr;
    engine::EngineView *m_design = nullptr;
    codeview::CodeEditor *m_code = nullptr;
    StatusBar *m_status = nullptr;
    ui::FindBar *m_findBar = nullptr;
    FindController *m_find = nullptr;
    QTimer *m_inspectorTimer = nullptr;
    tools::ElementInspector *m_inspector = nullptr;
    InitialisingWindow *m_initWindow = nullptr;
    std::unique_ptr<document::RecoveryStore> m_recovery; // outlives the keeper that writes to it
    std::unique_ptr<document::DocumentController> m_document;
    std::unique_ptr<document::RecoveryKeeper> m_recoveryKeeper;
    document::PageTransfers *m_transfers = nullptr;
    bool m_initialised = false;
    bool m_closing = false;
};

} // namespace app
