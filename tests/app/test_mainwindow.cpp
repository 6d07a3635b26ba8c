#include "TestSupport.h"
#include "ScriptedPrompter.h"

#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "codeview/CodeEditor.h"
#include "codeview/LexerConfig.h"
#include "commands/PictureButton.h"
#include "commands/Toolbar.h"
#include "document/DocumentController.h"
#include "engine/EngineView.h"

#include <QComboBox>
#include <QCursor>
#include <QScreen>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QMenuBar>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTimer>

using app::InitialisingWindow;
using app::MainWindow;

class MainWindowTest : public QObject {
    Q_OBJECT

    QString tmp;
    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<MainWindow> window;

private slots:
    void initTestCase()
    {
        tmp = testsupport::freshTempDir();
        qputenv("TMPDIR", tmp.toLocal8Bit());
        lexer = std::make_unique<codeview::LexerConfig>();
        // The pointer rests off the page, so that the panels keep their first texts.
        QCursor::setPos(QGuiApplication::primaryScreen()->geometry().topLeft());
        window = std::make_unique<MainWindow>(*lexer);
        window->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->initialise();
        QVERIFY(window->isInitialised());
    }
    void cleanupTestCase() { window.reset(); }

    void captionAndControls()
    {
        QVERIFY(window->windowTitle().startsWith(QStringLiteral("Zelvo网页编辑器V2.0")));
        QVERIFY(window->windowTitle().size() > QStringLiteral("Zelvo网页编辑器V2.0").size());
        QVERIFY(window->isMaximized());
        for (const char *name : {"图片框_工具栏", "选择夹1", "互联网浏览器1", "代码编辑框", "状态条1"})
            QVERIFY2(window->findChild<QWidget *>(QString::fromUtf8(name)), name);
        auto *timer = window->findChild<QTimer *>(QStringLiteral("时钟1"));
        QVERIFY(timer);
        QCOMPARE(timer->interval(), 50);
        QVERIFY(timer->isActive());
        QCOMPARE(window->views()->count(), 2);
        QCOMPARE(window->views()->tabText(0), QStringLiteral("编辑器"));
        QCOMPARE(window->views()->tabText(1), QStringLiteral("源文件"));
        QCOMPARE(window->views()->currentIndex(), 0);
        QCOMPARE(window->statusPanels()->panelText(0), QStringLiteral("元素："));
        QCOMPARE(window->statusPanels()->panelText(1), QStringLiteral("内容："));
        QCOMPARE(window->statusPanels()->panelText(2), QStringLiteral("代码："));
    }

    void startUpLeavesAnUnchangedEditableBlankPageAndAnEmptyCodeView()
    {
        engine::EngineView *view = window->designView();
        QCOMPARE(view->evaluate(QStringLiteral("document.title;")).toString(), QStringLiteral("无标题网页"));
        QCOMPARE(view->evaluate(QStringLiteral("document.body.innerHTML;")).toString(), QString());
        QVERIFY(view->editMode());
        // A fresh page counts as unchanged: nothing to save at the first New.
        QCOMPARE(window->document()->state().savedText, view->ReadDocument());
        QVERIFY(window->codeView()->text().isEmpty());
        // The start-up steps after the page: fonts listed, styles written.
        QVERIFY(window->toolbar()->fontNameBox()->count() > 0);
        QVERIFY(QFile::exists(tmp + QStringLiteral("/langs.xml")));
        QVERIFY(QFile::exists(tmp + QStringLiteral("/stylers.xml")));

        // Without a window manager nothing activates a window; with one,
        // activation comes some time after the request.
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window.get()));
        QTest::mouseClick(view->inputWidget(), Qt::LeftButton, {}, QPoint(50, 50));
        QTRY_VERIFY(view->evaluate(QStringLiteral("document.hasFocus();")).toBool());
        QTest::keyClicks(view->inputWidget(), QStringLiteral("hello"));
        QTRY_VERIFY(view->ReadDocument().contains(QStringLiteral("hello</body>")));
        QVERIFY(view->Undo());
        QTRY_COMPARE(view->ReadDocument(), window->document()->state().savedText);
    }

    void layoutFollowsTheClientArea_data()
    {
        QTest::addColumn<int>("height");
        QTest::newRow("normal") << 500;
        QTest::newRow("exactly strip and status bar") << 92;
        QTest::newRow("below") << 60;
    }
    void layoutFollowsTheClientArea()
    {
        QFETCH(int, height);
        const QSize client(640, height);
        window->layoutClientArea(client);
        QCOMPARE(window->toolbar()->geometry(), QRect(0, 0, 640, 72));
        QCOMPARE(window->views()->geometry(), QRect(0, 72, 640, std::max(0, height - 92)));
        QCOMPARE(window->statusPanels()->geometry(), QRect(0, height - 20, 640, 20));
        // Both views take the tab control's whole rectangle.
        QCOMPARE(window->designView()->size(), window->views()->size());
        window->views()->setCurrentIndex(1);
        QCOMPARE(window->codeView()->size(), window->views()->size());
        window->views()->setCurrentIndex(0);
    }

    void resizingTheWindowRelaysIt()
    {
        // Whatever size the window system grants, the parts follow it once
        // the new size has arrived.
        const QSize maximised = window->centralWidget()->size();
        window->showNormal();
        window->resize(900, 480);
        QTRY_VERIFY(window->centralWidget()->size() != maximised);
        QTRY_COMPARE(window->views()->width(), window->centralWidget()->width());
        QTRY_COMPARE(window->views()->height(), window->centralWidget()->height() - 92);
        QCOMPARE(window->statusPanels()->y(), window->centralWidget()->height() - 20);
    }

    void initialisingWindowShowsItsTextsAndHoldsClicksBack()
    {
        InitialisingWindow init(window.get());
        init.setAttribute(Qt::WA_DeleteOnClose, false);
        init.show();
        QCOMPARE(init.size(), QSize(576, 319));
        QVERIFY(init.windowFlags() & Qt::FramelessWindowHint);
        QCOMPARE(init.statusText(), QStringLiteral("正在初始化……"));
        auto *clock = init.findChild<QTimer *>(QStringLiteral("时钟1"));
        QVERIFY(clock);
        QCOMPARE(clock->interval(), 1000);
        QTRY_COMPARE(init.statusText(), InitialisingWindow::welcomeText());
        // The status line changes once: nothing is left to change it again.
        QVERIFY(!clock->isActive());

        QSignalSpy chosen(&init, &InitialisingWindow::actionRequested);
        auto *open = init.findChild<commands::PictureButton *>(QStringLiteral("图形按钮2"));
        QVERIFY(open);
        QCOMPARE(open->geometry(), QRect(231, 154, 102, 52));
        QTest::mouseClick(open, Qt::LeftButton, {}, QPoint(10, 10));
        QCOMPARE(chosen.count(), 0); // start-up has not finished
        init.setReady();
        QCOMPARE(chosen.count(), 1);
        QCOMPARE(chosen.at(0).at(0).value<InitialisingWindow::Action>(), InitialisingWindow::Action::OpenPage);
        QVERIFY(!init.isVisible());
    }

    void clickingTheStatusLineClosesTheGreeting()
    {
        auto *init = new InitialisingWindow(window.get());
        QPointer<InitialisingWindow> guard(init);
        init->show();
        QVERIFY(QTest::qWaitForWindowExposed(init));
        QTest::mousePress(init->findChild<QLabel *>(QStringLiteral("标签1")), Qt::LeftButton);
        QTRY_VERIFY(guard.isNull());
    }

    void initialisingWindowNewRunsTheNewCommand()
    {
        ScriptedPrompter prompts; // the New dialog is cancelled
        auto *init = new InitialisingWindow(window.get());
        connect(init, &InitialisingWindow::actionRequested, window.get(), [this](InitialisingWindow::Action a) {
            if (a == InitialisingWindow::Action::NewPage)
                window->router().run(commands::CommandId::NewPage);
        });
        init->setReady();
        init->show();
        QTest::mouseClick(init->findChild<commands::PictureButton *>(QStringLiteral("图形按钮1")), Qt::LeftButton,
                          {}, QPoint(5, 5));
        QCOMPARE(prompts.fileDialogs.size(), 1);
        QVERIFY(prompts.fileDialogs.at(0).save);
        QCOMPARE(prompts.fileDialogs.at(0).request.proposedName, QStringLiteral("新建网页"));
    }

    void importCommandsOpenTheirDialogs()
    {
        ScriptedPrompter prompts; // both dialogs are cancelled
        window->router().run(commands::CommandId::ImportWord);
        window->router().run(commands::CommandId::ImportExcel);
        QCOMPARE(prompts.fileDialogs.size(), 2);
        QCOMPARE(prompts.fileDialogs.at(0).request.title, QStringLiteral("导入Word文档"));
        QCOMPARE(prompts.fileDialogs.at(1).request.title, QStringLiteral("导入Excel文档"));
    }

    // Both ways of closing ask about a changed page, and a refused or failed
    // save keeps the program running; runs last, since it ends with the
    // window closed.
    void closingAsksAndStaysWhenTheSaveDoesNotHappen()
    {
        window->show();
        engine::EngineView *view = window->designView();
        QVERIFY(view->PasteHtml(QStringLiteral("<p>改动</p>")));

        ScriptedPrompter prompts;
        prompts.buttons.enqueue(QMessageBox::Cancel);
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());
        QCOMPARE(prompts.messages.size(), 1);
        QCOMPARE(prompts.messages.at(0).caption, QStringLiteral("是否保存"));
        QCOMPARE(prompts.messages.at(0).text, QStringLiteral("当前文件已改变，是否保存修改？"));

        // Yes without a file: the Save As dialog, cancelled here.
        prompts.buttons.enqueue(QMessageBox::Yes);
        window->router().run(commands::CommandId::Exit);
        QVERIFY(window->isVisible());
        QCOMPARE(prompts.fileDialogs.size(), 1);
        QVERIFY(prompts.fileDialogs.at(0).save);
        QCOMPARE(prompts.fileDialogs.at(0).request.proposedName, QStringLiteral("blank"));

        prompts.buttons.enqueue(QMessageBox::Yes);
        QVERIFY(!window->close());
        QVERIFY(window->isVisible());

        // No: the page is dropped and the window closes.
        prompts.buttons.enqueue(QMessageBox::No);
        QVERIFY(window->close());
        QVERIFY(!window->isVisible());
    }
};

ZELVO_TEST_MAIN(MainWindowTest)
#include "test_mainwindow.moc"
