// Keys typed without a click go into the page: after start-up, after New and
// Open, and after the switch back from the code view; the caret blinks.
// Keys are sent where the window system sends them, to the focus widget.
#include "TestSupport.h"
#include "ScriptedPrompter.h"

#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"
#include "codeview/LexerConfig.h"
#include "commands/CommandRouter.h"
#include "engine/EngineView.h"

#include <QFile>
#include <QImage>

using app::MainWindow;
using commands::CommandId;

class TypingTest : public QObject {
    Q_OBJECT

    QString tmp;
    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<MainWindow> window;
    std::unique_ptr<ScriptedPrompter> prompter;

    QString body() { return window->designView()->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }

    // Types where the keyboard goes now, as the window system would deliver it.
    void type(const QString &text)
    {
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClicks(QApplication::focusWidget(), text);
    }

private slots:
    void initTestCase()
    {
        tmp = testsupport::freshTempDir();
        qputenv("TMPDIR", tmp.toLocal8Bit());
        prompter = std::make_unique<ScriptedPrompter>();
        lexer = std::make_unique<codeview::LexerConfig>();
        window = std::make_unique<MainWindow>(*lexer);
        window->showMaximized();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->initialise();
        // The greeting is dismissed with a click, as a user does.
        QPointer<app::InitialisingWindow> greeting = window->initialisingWindow();
        QVERIFY(greeting);
        QTest::mouseClick(greeting, Qt::LeftButton, {}, QPoint(10, 100));
        QTRY_VERIFY(!greeting);
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
    }
    void cleanupTestCase()
    {
        window.reset();
        prompter.reset();
    }

    void typingAfterStartUp()
    {
        type(QStringLiteral("abc"));
        QTRY_COMPARE(body(), QStringLiteral("abc"));
    }

    void theCaretBlinks()
    {
        // Two pictures of the page's corner differ while the caret blinks.
        QWidget *page = window->designView();
        const QRect corner(0, 0, 120, 40);
        const QImage first = page->grab(corner).toImage();
        QTRY_VERIFY_WITH_TIMEOUT(page->grab(corner).toImage() != first, 5000);
    }

    void typingAfterTheCodeView()
    {
        window->router().run(CommandId::CodeView);
        type(QStringLiteral("<!--x-->"));
        window->router().run(CommandId::DesignView);
        type(QStringLiteral("def"));
        QTRY_VERIFY(body().contains(QStringLiteral("def")));
    }

    void typingAfterNewAndOpen()
    {
        prompter->buttons.enqueue(QMessageBox::No); // the page changed: do not save it
        prompter->fileNames.enqueue(tmp + QStringLiteral("/new.htm"));
        window->router().run(CommandId::NewPage);
        QCOMPARE(body(), QString());
        type(QStringLiteral("ghi"));
        QTRY_COMPARE(body(), QStringLiteral("ghi"));

        QFile file(tmp + QStringLiteral("/open.htm"));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body><p>page</p></body></html>");
        file.close();
        prompter->buttons.enqueue(QMessageBox::No);
        prompter->fileNames.enqueue(file.fileName());
        window->router().run(CommandId::OpenPage);
        type(QStringLiteral("jkl"));
        QTRY_COMPARE(body(), QStringLiteral("<p>jklpage</p>"));
    }
};

ZELVO_TEST_MAIN(TypingTest)
#include "test_typing.moc"
