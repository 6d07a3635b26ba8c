// What a screen reader finds: every window and control with its Chinese name
// and its role, and picture buttons that can be pressed through it.
#include "TestSupport.h"
#include "ScriptedPrompter.h"

#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"
#include "codeview/LexerConfig.h"

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>

using app::InitialisingWindow;

class AccessibilityTest : public QObject {
    Q_OBJECT

    QString tmp;
    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<app::MainWindow> window;
    ScriptedPrompter prompter; // the tutorial's question is answered "取消"

private slots:
    void initTestCase()
    {
        tmp = testsupport::freshTempDir();
        qputenv("TMPDIR", tmp.toLocal8Bit());
        lexer = std::make_unique<codeview::LexerConfig>();
        window = std::make_unique<app::MainWindow>(*lexer);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        window->initialise();
    }
    void cleanupTestCase() { window.reset(); }

    void greetingWindowIsADialogWithThreeButtons()
    {
        InitialisingWindow *greeting = window->initialisingWindow();
        QVERIFY(greeting);
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(greeting);
        QVERIFY(root);
        QCOMPARE(root->role(), QAccessible::Dialog);
        QCOMPARE(root->text(QAccessible::Name), QStringLiteral("初始化窗口"));
        // It is one of the application's windows.
        QAccessibleInterface *application = QAccessible::queryAccessibleInterface(qApp);
        bool listed = false;
        for (int i = 0; i < application->childCount(); ++i)
            listed = listed || application->child(i)->object() == greeting;
        QVERIFY(listed);

        QStringList buttons;
        for (int i = 0; i < root->childCount(); ++i) {
            QAccessibleInterface *child = root->child(i);
            if (child->role() != QAccessible::Button)
                continue;
            buttons << child->text(QAccessible::Name);
            QAccessibleActionInterface *actions = child->actionInterface();
            QVERIFY(actions);
            QVERIFY(actions->actionNames().contains(QAccessibleActionInterface::pressAction()));
        }
        QCOMPARE(buttons, QStringList({"新建", "打开", "向导"}));
    }

    void pressingAPictureButtonRunsIt()
    {
        InitialisingWindow *greeting = window->initialisingWindow();
        QVERIFY(greeting);
        QSignalSpy chosen(greeting, &InitialisingWindow::actionRequested);
        QAccessibleInterface *root = QAccessible::queryAccessibleInterface(greeting);
        for (int i = 0; i < root->childCount(); ++i) {
            QAccessibleInterface *child = root->child(i);
            if (child->text(QAccessible::Name) == QStringLiteral("向导"))
                child->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        }
        QTRY_COMPARE(chosen.size(), 1);
        QCOMPARE(chosen.at(0).at(0).value<InitialisingWindow::Action>(), InitialisingWindow::Action::Tutorial);
    }
};

ZELVO_TEST_MAIN(AccessibilityTest)
#include "test_accessibility.moc"
