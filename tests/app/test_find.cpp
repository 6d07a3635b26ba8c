// Find, replace and zoom on the real views, driven by their own keys: what
// the design view shows is found (across bold and links, never in an
// attribute or a script), replacing all ends and is undone in one step, the
// code view takes regular expressions, the bar stays across a view switch,
// and zoom never reaches the page.
#include "ShownWindow.h"
#include "TestSupport.h"
#include "ScriptedPrompter.h"

#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"
#include "codeview/CodeEditor.h"
#include "codeview/LexerConfig.h"
#include "commands/CommandRouter.h"
#include "engine/EngineView.h"
#include "ui/FindBar.h"

#include <QCheckBox>
#include <QImage>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

using commands::CommandId;

class FindTest : public QObject {
    Q_OBJECT

    std::unique_ptr<codeview::LexerConfig> lexer;
    std::unique_ptr<app::MainWindow> window;
    std::unique_ptr<ScriptedPrompter> prompter;

    engine::EngineView *design() { return window->designView(); }
    ui::FindBar *bar() { return window->findBar(); }
    QString status() { return bar()->findChild<QLabel *>(QStringLiteral("标签_查找结果"))->text(); }
    QString body() { return design()->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }
    QString selection() { return design()->selectedText(); }
    void check(const char *name, bool on) { bar()->findChild<QCheckBox *>(QString::fromUtf8(name))->setChecked(on); }

    void showPage(const QString &body)
    {
        window->router().run(CommandId::DesignView);
        QVERIFY(design()->WriteDocument(QStringLiteral("<html><body>%1</body></html>").arg(body), design()->baseFolder()));
        design()->focusPage();
        QTRY_COMPARE(QApplication::focusWidget(), design()->inputWidget());
    }
    // The view's own key, where the keyboard is.
    void key(Qt::Key k, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTRY_VERIFY(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), k, modifiers);
    }
    // Typed into the field: Chinese through the input method, the rest as keys.
    static void type(QWidget *field, const QString &text)
    {
        for (const QChar c : text) {
            if (c.unicode() < 0x80) {
                QTest::keyClicks(field, QString(c));
            } else {
                QInputMethodEvent commit;
                commit.setCommitString(QString(c));
                QApplication::sendEvent(field, &commit);
            }
        }
    }
    void search(const QString &query, bool replacing = false)
    {
        key(replacing ? Qt::Key_H : Qt::Key_F, Qt::ControlModifier);
        QTRY_VERIFY(bar()->isVisible() && bar()->queryField()->hasFocus());
        bar()->queryField()->clear();
        type(bar()->queryField(), query);
    }

private slots:
    void initTestCase()
    {
        qputenv("HOME", QFile::encodeName(testsupport::freshTempDir()));
        qputenv("TMPDIR", QFile::encodeName(testsupport::freshTempDir()));
        prompter = std::make_unique<ScriptedPrompter>();
        lexer = std::make_unique<codeview::LexerConfig>();
        window = std::make_unique<app::MainWindow>(*lexer);
        QVERIFY(testsupport::showMainWindow(*window, QSize(1000, 700)));
    }
    void cleanupTestCase()
    {
        window.reset();
        prompter.reset();
    }
    void cleanup()
    {
        if (bar()->isVisible())
            QTest::keyClick(bar()->queryField(), Qt::Key_Escape);
        for (const char *option : {"选择框_区分大小写", "选择框_全字匹配", "选择框_正则表达式"})
            check(option, false);
    }

    // What the page shows is found, across bold and inside a link; a title
    // attribute and a script holding the same words are not. The matches
    // on screen are marked over the page, never in it.
    void designViewFindsWhatItShows()
    {
        showPage(QStringLiteral("<p>这是<b>粗体</b>文字，<a href=\"x.htm\" title=\"粗体文字\">粗体文字链接</a></p>"
                                "<script>var s = \"粗体文字\";</script><p title=\"粗体文字\">别的</p>"));
        const QString page = design()->ReadDocument();
        search(QStringLiteral("粗体文字"));
        QTRY_COMPARE(status(), QStringLiteral("共 2 处"));
        key(Qt::Key_Return);
        QCOMPARE(status(), QStringLiteral("第 1 处，共 2 处"));
        QCOMPARE(selection(), QStringLiteral("粗体文字"));
        key(Qt::Key_F3);
        QCOMPARE(status(), QStringLiteral("第 2 处，共 2 处"));
        key(Qt::Key_Return);
        QCOMPARE(status(), QStringLiteral("第 1 处，共 2 处（已从开头继续查找）"));
        key(Qt::Key_F3, Qt::ShiftModifier);
        QCOMPARE(status(), QStringLiteral("第 2 处，共 2 处（已从末尾继续查找）"));

        // Marked where the user sees it: a tint over white paper.
        const auto tinted = [this] {
            const QImage shot = design()->grab().toImage().convertToFormat(QImage::Format_RGB32);
            int count = 0;
            for (int y = 0; y < shot.height(); ++y)
                for (int x = 0; x < shot.width(); ++x) {
                    const QColor c = shot.pixelColor(x, y);
                    count += c.red() > 230 && c.green() > 150 && c.blue() < 200 ? 1 : 0;
                }
            return count;
        };
        QTRY_VERIFY(tinted() > 100);
        QCOMPARE(design()->ReadDocument(), page);

        // Escape: the keyboard back in the page, the match still selected.
        key(Qt::Key_Escape);
        QVERIFY(!bar()->isVisible());
        QTRY_COMPARE(QApplication::focusWidget(), design()->inputWidget());
        QCOMPARE(selection(), QStringLiteral("粗体文字"));
        QTRY_VERIFY(tinted() < 20); // a caret's or a letter's edge at most

        // Another page written into the view while matches are marked: the
        // marks go with the page they were on.
        search(QStringLiteral("粗体文字"));
        QTRY_VERIFY(tinted() > 100);
        QVERIFY(design()->WriteDocument(QStringLiteral("<html><body><p>别的</p></body></html>")));
        QTRY_VERIFY(tinted() < 20);
    }

    void caseAndWholeWord_data()
    {
        QTest::addColumn<QString>("query");
        QTest::addColumn<bool>("caseSensitive");
        QTest::addColumn<bool>("wholeWord");
        QTest::addColumn<int>("count");
        QTest::newRow("plain") << "word" << false << false << 4;
        QTest::newRow("case") << "word" << true << false << 2;
        QTest::newRow("whole word") << "word" << false << true << 3;
        QTest::newRow("both") << "word" << true << true << 1;
        // Han text has no word boundaries.
        QTest::newRow("whole word, Han") << "中文" << false << true << 2;
    }
    void caseAndWholeWord()
    {
        QFETCH(QString, query);
        QFETCH(bool, caseSensitive);
        QFETCH(bool, wholeWord);
        QFETCH(int, count);
        showPage(QStringLiteral("<p>Word word words WORD 中文中文</p>"));
        search(QString());
        check("选择框_区分大小写", caseSensitive);
        check("选择框_全字匹配", wholeWord);
        type(bar()->queryField(), query);
        QTRY_COMPARE(status(), QStringLiteral("共 %1 处").arg(count));
    }

    // Replacing keeps the formatting of where the match began; replacing
    // all ends (each original "A" once) and one undo brings it all back.
    void replacing()
    {
        showPage(QStringLiteral("<p>这是<b>粗体</b>文字。</p><p>A <i>A</i>A</p>"));
        const QString before = body();
        search(QStringLiteral("粗体文字"), true);
        auto *replacement = bar()->findChild<QLineEdit *>(QStringLiteral("编辑框_替换为"));
        QVERIFY(replacement->isVisible());
        replacement->setText(QStringLiteral("新词"));
        key(Qt::Key_Return); // in the find field: the match selected
        bar()->findChild<QPushButton *>(QStringLiteral("按钮_替换"))->click();
        QCOMPARE(body(), QStringLiteral("<p>这是<b>新词</b>。</p><p>A <i>A</i>A</p>"));

        bar()->queryField()->setText(QStringLiteral("A"));
        replacement->setText(QStringLiteral("AA"));
        check("选择框_区分大小写", true);
        bar()->findChild<QPushButton *>(QStringLiteral("按钮_全部替换"))->click();
        QCOMPARE(status(), QStringLiteral("已替换 3 处"));
        QCOMPARE(body(), QStringLiteral("<p>这是<b>新词</b>。</p><p>AA <i>AA</i>AA</p>"));
        QVERIFY(design()->Undo());
        QCOMPARE(body(), QStringLiteral("<p>这是<b>新词</b>。</p><p>A <i>A</i>A</p>"));
        QVERIFY(design()->Undo());
        QCOMPARE(body(), before);
        QVERIFY(design()->Redo());
        QVERIFY(design()->Redo());
        QCOMPARE(body(), QStringLiteral("<p>这是<b>新词</b>。</p><p>AA <i>AA</i>AA</p>"));
    }

    // The bar and its text stay across a switch of views, and the code view
    // is searched from there on: regular expressions with groups, all
    // replaced as one undo step.
    void codeViewAndTheSwitch()
    {
        showPage(QStringLiteral("<p>mail: anna@example, bob@example</p>"));
        search(QStringLiteral("example"));
        QTRY_COMPARE(status(), QStringLiteral("共 2 处"));
        window->router().run(CommandId::CodeView);
        QVERIFY(bar()->isVisible());
        QCOMPARE(bar()->query(), QStringLiteral("example"));
        QTRY_COMPARE(status(), QStringLiteral("共 2 处"));

        codeview::CodeEditor *code = window->codeView();
        code->setFocus();
        QTRY_VERIFY(code->isAncestorOf(QApplication::focusWidget()));
        const QString text = code->text();
        search(QStringLiteral("(\\w+)@example"), true);
        check("选择框_正则表达式", true);
        QTRY_COMPARE(status(), QStringLiteral("共 2 处"));
        bar()->findChild<QLineEdit *>(QStringLiteral("编辑框_替换为"))->setText(QStringLiteral("\\1 at example"));
        bar()->findChild<QPushButton *>(QStringLiteral("按钮_全部替换"))->click();
        QCOMPARE(status(), QStringLiteral("已替换 2 处"));
        QVERIFY(code->text().contains(QStringLiteral("mail: anna at example, bob at example")));
        code->undo();
        QCOMPARE(code->text(), text);
        code->redo();
        // The edit reaches the design view like any other.
        window->router().run(CommandId::DesignView);
        QVERIFY(body().contains(QStringLiteral("anna at example")));
    }

    // The zoom keys of each view change how it shows the page, not the page.
    void zoomKeys()
    {
        showPage(QStringLiteral("<p>放大</p>"));
        const QString page = design()->ReadDocument();
        key(Qt::Key_Equal, Qt::ControlModifier);
        QCOMPARE(design()->zoom(), 1.1);
        key(Qt::Key_Minus, Qt::ControlModifier);
        key(Qt::Key_Minus, Qt::ControlModifier);
        QCOMPARE(design()->zoom(), 0.9);
        key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(design()->zoom(), 1.0);
        QCOMPARE(design()->ReadDocument(), page);

        window->router().run(CommandId::CodeView);
        codeview::CodeEditor *code = window->codeView();
        code->setFocus();
        QTRY_VERIFY(code->isAncestorOf(QApplication::focusWidget()));
        const QString text = code->text();
        key(Qt::Key_Equal, Qt::ControlModifier);
        QVERIFY(code->zoom() > 0);
        key(Qt::Key_0, Qt::ControlModifier);
        QCOMPARE(code->zoom(), 0);
        QCOMPARE(code->text(), text);
        window->router().run(CommandId::DesignView);
    }
};

ZELVO_TEST_MAIN(FindTest)
#include "test_find.moc"
