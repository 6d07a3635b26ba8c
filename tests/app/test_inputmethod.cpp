// Chinese input through an input method: a pre-edit string, then the
// committed text, land at the caret of each view, and each view tells the
// input method where its caret is, so the candidate window sits beside it.
#include "ShownWindow.h"
#include "TestSupport.h"

#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"
#include "codeview/CodeEditor.h"
#include "codeview/LexerConfig.h"
#include "commands/CommandRouter.h"
#include "engine/EngineView.h"
#include "insert/Insertion.h"
#include "insert/WordArt.h"

#include <QInputMethodEvent>
#include <QInputMethodQueryEvent>

using commands::CommandId;

namespace {

// What the input method sends while the user types "zhongwen" and picks the words.
void compose(QWidget *target, const QString &preedit, const QString &commit)
{
    QList<QInputMethodEvent::Attribute> attributes;
    attributes << QInputMethodEvent::Attribute(QInputMethodEvent::Cursor, preedit.size(), 1, QVariant());
    QInputMethodEvent editing(preedit, attributes);
    QApplication::sendEvent(target, &editing);
    QInputMethodEvent done;
    done.setCommitString(commit);
    QApplication::sendEvent(target, &done);
}

QRect caretRectangle(QWidget *target)
{
    QInputMethodQueryEvent query(Qt::ImCursorRectangle | Qt::ImEnabled);
    QApplication::sendEvent(target, &query);
    return query.value(Qt::ImEnabled).toBool() ? query.value(Qt::ImCursorRectangle).toRect() : QRect();
}

} // namespace

class InputMethodTest : public QObject {
    Q_OBJECT

    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<app::MainWindow> window;

private slots:
    void initTestCase()
    {
        qputenv("TMPDIR", testsupport::freshTempDir().toLocal8Bit());
        lexer = std::make_unique<codeview::LexerConfig>();
        window = std::make_unique<app::MainWindow>(*lexer);
        QVERIFY(testsupport::showMainWindow(*window));
    }
    void cleanupTestCase() { window.reset(); }

    void designView()
    {
        engine::EngineView *view = window->designView();
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body><p>前</p></body></html>")));
        view->focusPage();
        QTRY_VERIFY(QApplication::focusWidget() == view->inputWidget());
        QWidget *target = QApplication::focusWidget();
        // The caret at the end of the paragraph.
        QVERIFY(view->evaluate(QStringLiteral(
            "var t = document.querySelector('p').firstChild; getSelection().collapse(t, 1); true;")).toBool());
        QTRY_VERIFY(caretRectangle(target).isValid());
        const QRect before = caretRectangle(target);

        compose(target, QStringLiteral("zhongwen"), QStringLiteral("中文输入"));
        QTRY_COMPARE(view->evaluate(QStringLiteral("document.querySelector('p').textContent;")).toString(),
                     QStringLiteral("前中文输入"));
        // The rectangle follows the caret to the right, on the same line, inside the view.
        QTRY_VERIFY(caretRectangle(target).x() > before.x() + 10);
        const QRect after = caretRectangle(target);
        QVERIFY(qAbs(after.y() - before.y()) < after.height());
        QVERIFY(target->rect().contains(after.center()));
    }

    // Composed text right after inserted WordArt goes after it, as typed
    // keys do, and leaves no trace of how it got there.
    void designViewAfterWordArt()
    {
        engine::EngineView *view = window->designView();
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body><p>前</p></body></html>")));
        view->focusPage();
        QTRY_VERIFY(QApplication::focusWidget() == view->inputWidget());
        QVERIFY(view->evaluate(QStringLiteral(
            "var t = document.querySelector('p').firstChild; getSelection().collapse(t, 1); true;")).toBool());
        QVERIFY(insert::InsertFragment(*view, insert::WordArtFragment(2, QStringLiteral("字"))));
        compose(QApplication::focusWidget(), QStringLiteral("zhongwen"), QStringLiteral("中文"));
        QTRY_VERIFY(view->ReadDocument().contains(QStringLiteral("</svg><!--[endif]-->中文</p>")));
        QVERIFY(!view->ReadDocument().contains(QChar(0x200B)));
    }

    void codeView()
    {
        window->router().run(CommandId::CodeView);
        codeview::CodeEditor *code = window->codeView();
        code->loadText(QStringLiteral("<p>前</p>"));
        code->setCurrentPosition(QByteArray("<p>前").size());
        code->setFocus();
        QTRY_VERIFY(QApplication::focusWidget() && code->isAncestorOf(QApplication::focusWidget()));
        QWidget *target = QApplication::focusWidget();
        const QRect before = caretRectangle(target);
        QVERIFY(before.isValid());

        compose(target, QStringLiteral("zhongwen"), QStringLiteral("中文输入"));
        QTRY_COMPARE(code->text(), QStringLiteral("<p>前中文输入</p>"));
        const QRect after = caretRectangle(target);
        QVERIFY(after.x() > before.x() + 10);
        QVERIFY(qAbs(after.y() - before.y()) < after.height());
        QVERIFY(target->rect().contains(after.center()));
        window->router().run(CommandId::DesignView);
    }
};

ZELVO_TEST_MAIN(InputMethodTest)
#include "test_inputmethod.moc"
