#include "app/MainWindow.h"

#include "app/FindController.h"
#include "app/InitialisingWindow.h"
#include "app/StatusBar.h"
#include "text/Version.h"
#include "codeview/CodeEditor.h"
#include "codeview/EditorConfigFiles.h"
#include "codeview/LexerConfig.h"
#include "commands/EditorCommands.h"
#include "commands/EnterHook.h"
#include "commands/Formatting.h"
#include "commands/Help.h"
#include "commands/Menus.h"
#include "commands/Toolbar.h"
#include "document/DocumentController.h"
#include "document/PageTransfers.h"
#include "document/RecoveryKeeper.h"
#include "document/RecoveryStore.h"
#include "engine/EngineView.h"
#include "import/OfficeImport.h"
#include "insert/EffectPages.h"
#include "insert/InsertCommands.h"
#include "insert/PagePropertiesDialog.h"
#include "tools/ColourPickerWindow.h"
#include "tools/ElementInspector.h"
#include "ui/FindBar.h"
#include "ui/Prompter.h"
#include "ui/Naming.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFile>
#include <QMenuBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

namespace app {

using commands::CommandId;

MainWindow::MainWindow(codeview::LexerConfig &lexerConfig, QWidget *parent)
    : QMainWindow(parent), m_lexerConfig(lexerConfig)
{
    setObjectName(QStringLiteral("主窗口"));
    setWindowTitle(caption());
    setAccessibleName(QStringLiteral("Zelvo网页编辑器") + text::VersionLabel());
    resize(822, 620);

    commands::buildMenuBar(menuBar(), m_router);
    menuBar()->setAccessibleName(QStringLiteral("菜单栏"));

    // The client area is laid out by hand: the strip on top, the views
    // filling the middle, the status bar along the bottom.
    m_client = new QWidget(this);
    m_client->setObjectName(QStringLiteral("客户区"));
    m_client->installEventFilter(this);
    setCentralWidget(m_client);

    m_toolbar = new commands::Toolbar(m_router, m_client);

    m_views = new QTabWidget(m_client);
    m_views->setObjectName(QStringLiteral("选择夹1"));
    m_views->setAccessibleName(QStringLiteral("视图"));
    m_views->setDocumentMode(true);
    // The views cover the tab control's whole rectangle; pages change only
    // through the view commands.
    m_views->tabBar()->hide();

    m_design = new engine::EngineView;
    ui::nameControl(m_design, QStringLiteral("互联网浏览器1"), QStringLiteral("设计视图"));
    m_views->addTab(m_design, QStringLiteral("编辑器"));

    m_code = new codeview::CodeEditor;
    ui::nameControl(m_code, QStringLiteral("代码编辑框"), QStringLiteral("代码视图"));
    m_views->addTab(m_code, QStringLiteral("源文件"));
    m_views->setCurrentIndex(0);

    m_status = new StatusBar(m_client);

    // Find and replace, below the views while it is open.
    m_findBar = new ui::FindBar(m_client);
    m_find = new FindController(*m_findBar, *m_design, *m_code, *m_views, this);
    connect(m_find, &FindController::barToggled, this, [this] { layoutClientArea(m_client->size()); });

    // The inspector writes what it finds into the panels; it never waits for
    // the engine, so a tick costs next to nothing.
    m_inspector = new tools::ElementInspector(this);
    connect(m_inspector, &tools::ElementInspector::elementInspected, this,
            [this](const QString &element, const QString &content, const QString &code) {
                m_status->setPanelText(0, element);
                m_status->setPanelText(1, content);
                m_status->setPanelText(2, code);
            });
    m_inspectorTimer = new QTimer(this);
    m_inspectorTimer->setObjectName(QStringLiteral("时钟1"));
    m_inspectorTimer->setInterval(50);
    connect(m_inspectorTimer, &QTimer::timeout, this, &MainWindow::onInspectorTick);
    m_inspectorTimer->start();

    m_document = std::make_unique<document::DocumentController>(this, *m_design, *m_code, *m_views);
    m_recovery = std::make_unique<document::RecoveryStore>();
    m_recoveryKeeper = std::make_unique<document::RecoveryKeeper>(*m_document, *m_recovery);
    // Pasted pictures and markup, dropped files.
    m_transfers = new document::PageTransfers(this, *m_design, *m_document, this);

    // The Enter key makes a line break from the first completed load on.
    connect(m_design, &engine::EngineView::navigationComplete, this, [this] {
        if (!commands::EnterHookInstalled(*m_design))
            commands::InstallEnterHook(*m_design);
    });
    commands::InstallDesignContextMenu(*m_design, m_router);

    bindCommands();
    layoutClientArea(m_client->size());
}

MainWindow::~MainWindow()
{
    // The greeting tells this window when it goes; it goes while the window
    // is still whole, not among the children a bare QWidget deletes.
    delete m_initWindow;
}

QString MainWindow::caption()
{
    return QStringLiteral("Zelvo网页编辑器%1 —— Zelvo开发组作品").arg(text::VersionLabel());
}

void MainWindow::bindCommands()
{
    commands::bindEditorCommands(m_router, *m_design, *m_toolbar, this);

    document::DocumentController *doc = m_document.get();
    m_router.bind(CommandId::NewPage, [doc] { doc->NewPageCommand(); });
    m_router.bind(CommandId::OpenPage, [doc] { doc->OpenPageCommand(); });
    m_router.bind(CommandId::SavePage, [doc] { doc->SavePage(); });
    m_router.bind(CommandId::SavePageAs, [doc] { doc->SavePageAs(); });
    m_router.bind(CommandId::Exit, [this] {
        if (m_document->CloseProgram()) {
            m_closing = true;
            QApplication::quit();
        }
    });
    m_router.bind(CommandId::DesignView, [doc] { doc->ShowDesignView(); });
    m_router.bind(CommandId::CodeView, [doc] { doc->ShowCodeView(); });
    m_router.bind(CommandId::Preview, [doc] { doc->PreviewPage(); });

    engine::EngineView *view = m_design;
    document::PageTransfers *transfers = m_transfers;
    m_router.bind(CommandId::Paste, [view, transfers] {
        view->focusPage();
        transfers->paste();
    });
    insert::bindInsertCommands(m_router, this, *view);
    view->showPlaceholders(true);
    m_router.bind(CommandId::ColourPickerTool, [this] { tools::OpenColourPicker(this); });
    m_router.bind(CommandId::PageProperties, [this, doc] {
        insert::OpenPagePropertiesDialog(this, {[doc] { return doc->ReadPage(); },
                                                [doc](const QString &page) { doc->ReplacePageInBothViews(page); }});
    });
    using insert::EffectPage;
    for (const auto &[id, page] : {std::pair{CommandId::EffectCarousel, EffectPage::Carousel},
                                   std::pair{CommandId::EffectRolloverImage, EffectPage::RolloverImage},
                                   std::pair{CommandId::EffectStarrySky, EffectPage::StarrySky}})
        m_router.bind(id, [doc, page = page] { doc->WritePageToDesign(insert::EffectPageText(page)); });
    m_router.bind(CommandId::ImportWord, [this, view] { import::ImportWord(this, *view); });
    m_router.bind(CommandId::ImportExcel, [this, view] { import::ImportExcel(this, *view); });
}

void MainWindow::initialise()
{
    // 1. The greeting stays on screen while the rest runs.
    m_initWindow = new InitialisingWindow(this);
    connect(m_initWindow, &InitialisingWindow::actionRequested, this,
            [this](InitialisingWindow::Action action) { runInitialChoice(int(action)); });
    connect(m_initWindow, &QObject::destroyed, this, [this] { m_initWindow = nullptr; });
    m_initWindow->show();
    m_initWindow->raise();

    // 2-4. An empty document in editing mode; Navigate returns once the
    // engine reports the load complete.
    m_design->Navigate(QStringLiteral("about:blank"));
    m_design->SetEditMode(true);
    // The engine's first page turns the window into an accelerated one; the
    // window system forgets the maximised state when it is recreated.
    if (isVisible()) {
        QCoreApplication::processEvents();
        showNormal();
        showMaximized();
    }

    // 5-6. The blank page, counting as unchanged.
    m_document->InitialiseBlankPage();

    // 7-8. Tooltips and the font list.
    m_toolbar->applyTooltips();
    commands::FillFontNameBox(m_toolbar->fontNameBox());

    // 9-10. The code view's configuration files and styles.
    codeview::WriteEditorConfigFiles();
    const QString configProblem = codeview::ConfigureCodeEditor(*m_code, m_lexerConfig);

    m_initialised = true;
    // Typing goes into the page from the start, not into the first box of the strip.
    m_design->focusPage();
    if (m_initWindow) {
        m_initWindow->raise(); // loading the page may have brought the main window forward
        m_initWindow->setReady();
    }
    // Told once, without holding up the start: the code view works without its styles.
    if (!configProblem.isEmpty())
        ui::showNotice(this, configProblem);
    // Work an earlier run could not save, offered back. Once it is restored
    // the user has chosen what to work on: the greeting's choices would only
    // put it at risk.
    if (m_recoveryKeeper->offerLeftCopies(this) && m_initWindow)
        m_initWindow->close();
}

void MainWindow::openFromCommandLine(const QString &path)
{
    m_document->OpenPath(path);
}

bool MainWindow::reportPageAndQuit(const QString &path)
{
    QFile file(path);
    const bool written = file.open(QIODevice::WriteOnly | QIODevice::Truncate) &&
                         file.write(m_design->ReadDocument().toUtf8()) >= 0;
    file.close();
    m_closing = true;
    return written;
}

void MainWindow::runInitialChoice(int action)
{
    switch (InitialisingWindow::Action(action)) {
    case InitialisingWindow::Action::NewPage:
        m_router.run(CommandId::NewPage);
        break;
    case InitialisingWindow::Action::OpenPage:
        m_router.run(CommandId::OpenPage);
        break;
    case InitialisingWindow::Action::Tutorial:
        m_router.run(CommandId::Tutorial);
        break;
    case InitialisingWindow::Action::None:
        break;
    }
}

void MainWindow::layoutClientArea(const QSize &client)
{
    const int w = client.width();
    const int h = client.height();
    m_toolbar->setGeometry(0, 0, w, commands::Toolbar::kHeight);
    // Below 92 pixels of height the views have no visible area.
    const int findHeight = m_findBar && m_findBar->isVisible() ? m_findBar->sizeHint().height() : 0;
    const int viewsHeight = h - commands::Toolbar::kHeight - StatusBar::kHeight - findHeight;
    m_views->setGeometry(0, commands::Toolbar::kHeight, w, std::max(0, viewsHeight));
    if (findHeight)
        m_findBar->setGeometry(0, commands::Toolbar::kHeight + std::max(0, viewsHeight), w, findHeight);
    m_status->setGeometry(0, h - StatusBar::kHeight, w, StatusBar::kHeight);
}

bool MainWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_client && event->type() == QEvent::Resize)
        layoutClientArea(m_client->size());
    return QMainWindow::eventFilter(watched, event);
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    if (m_closing || m_document->CloseProgram()) {
        m_closing = true;
        event->accept();
        QApplication::quit();
    } else {
        event->ignore();
    }
}

void MainWindow::onInspectorTick()
{
    m_inspector->tick();
}

} // namespace app
