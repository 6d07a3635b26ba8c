// Formatting and editing commands on a real design view: each toolbar control
// and menu command changes the page as it should, the clipboard commands work
// through the system clipboard, and Enter makes a line break.
#include "TestSupport.h"

#include "ui/ColourPicker.h"
#include "commands/CommandRouter.h"
#include "commands/EditorCommands.h"
#include "commands/EnterHook.h"
#include "commands/Formatting.h"
#include "commands/Menus.h"
#include "commands/Toolbar.h"
#include "engine/EngineView.h"

#include <QAction>
#include <QClipboard>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRegularExpression>
#include <QVBoxLayout>

using commands::CommandId;
using engine::EngineView;

class FormattingTest : public QObject {
    Q_OBJECT

    QWidget *window = nullptr;
    EngineView *view = nullptr;
    commands::Toolbar *toolbar = nullptr;
    QLineEdit *elsewhere = nullptr;
    commands::CommandRouter router;

    QString body() { return view->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }
    QString para() { return view->evaluate(QStringLiteral("document.getElementById('a').innerHTML;")).toString(); }
    QString selectedText() { return view->evaluate(QStringLiteral("getSelection().toString();")).toString(); }

    void load(const QString &paragraph, const QString &style = QString())
    {
        QVERIFY(view->WriteDocument(
            QStringLiteral("<html><head><title>t</title></head><body><p id=\"a\"%2>%1</p></body></html>")
                .arg(paragraph, style.isEmpty() ? QString() : QStringLiteral(" style=\"%1\"").arg(style))));
    }
    // Selects characters [from, to) of the paragraph's first text node.
    void select(int from, int to)
    {
        QVERIFY(view->evaluate(QStringLiteral(
                                   "(function(){var t=document.getElementById('a').firstChild;"
                                   "getSelection().setBaseAndExtent(t,%1,t,%2);return true;})();")
                                   .arg(from)
                                   .arg(to))
                    .toBool());
    }
    void caretAtEnd()
    {
        const int n = view->evaluate(QStringLiteral("document.getElementById('a').firstChild.length;")).toInt();
        select(n, n);
    }
    void focusPage()
    {
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
        commands::FocusView(*view);
        QTRY_VERIFY(view->evaluate(QStringLiteral("document.hasFocus();")).toBool());
    }
    void focusElsewhere()
    {
        window->activateWindow();
        QTRY_VERIFY(window->isActiveWindow());
        elsewhere->setFocus();
        QTRY_VERIFY(elsewhere->hasFocus());
    }
    // Keys reach the page a little later; callers wait for their effect.
    void type(const QString &text) { QTest::keyClicks(view->inputWidget(), text); }
    void click(const char *control)
    {
        QWidget *w = toolbar->control(QString::fromUtf8(control));
        QVERIFY2(w, control);
        QTest::mouseClick(w, Qt::LeftButton, Qt::NoModifier, QPoint(w->width() / 2, w->height() / 2));
    }

private slots:
    void initTestCase()
    {
        window = new QWidget;
        auto *layout = new QVBoxLayout(window);
        toolbar = new commands::Toolbar(router, window);
        elsewhere = new QLineEdit(window);
        view = new EngineView(window);
        layout->addWidget(toolbar);
        layout->addWidget(elsewhere);
        layout->addWidget(view, 1);
        window->resize(900, 500);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window));
        connect(view, &EngineView::navigationComplete, view, [this] { commands::InstallEnterHook(*view); });
        QVERIFY(view->Navigate(QStringLiteral("about:blank")));
        QVERIFY(view->SetEditMode(true));
        commands::bindEditorCommands(router, *view, *toolbar, window);
        commands::FillFontNameBox(toolbar->fontNameBox());
    }
    void cleanupTestCase() { delete window; }

    void toolbarButtonsChangeThePage_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("pattern");
        QTest::newRow("bold") << "按钮_加粗" << "hello <(b|strong)>world</\\1>";
        QTest::newRow("italic") << "按钮_倾斜" << "hello <(i|em)>world</\\1>";
        QTest::newRow("underline") << "按钮_下划线" << "hello <u>world</u>";
        QTest::newRow("strike-through") << "按钮_删除线" << "hello <(strike|s)>world</\\1>";
        QTest::newRow("superscript") << "按钮_上标" << "hello <sup>world</sup>";
        QTest::newRow("subscript") << "按钮_下标" << "hello <sub>world</sub>";
        QTest::newRow("left") << "按钮_左对齐" << "text-align: left";
        QTest::newRow("centre after right") << "按钮_居中对齐" << "text-align: center";
        QTest::newRow("bulleted list") << "按钮_项目列表" << "<ul><li[^>]*>hello world</li></ul>";
        QTest::newRow("numbered list") << "按钮_数字列表" << "<ol><li[^>]*>hello world</li></ol>";
        QTest::newRow("indent") << "按钮_增加缩进" << "<blockquote[^>]*>.*hello world|margin-left";
    }
    void toolbarButtonsChangeThePage()
    {
        QFETCH(QString, button);
        QFETCH(QString, pattern);
        // A paragraph aligned right, so that aligning left changes it too.
        load(QStringLiteral("hello world"), QStringLiteral("text-align: right"));
        select(6, 11);
        click(button.toUtf8().constData());
        const QString html = body();
        QVERIFY2(html.contains(QRegularExpression(pattern)), qPrintable(html));
        QCOMPARE(view->evaluate(QStringLiteral("document.body.textContent;")).toString(),
                 QStringLiteral("hello world"));
    }

    void justifyButtonTakesTheAlignmentAway()
    {
        load(QStringLiteral("hello world"));
        select(0, 5);
        click("按钮_居中对齐");
        QVERIFY(body().contains(QStringLiteral("center")));
        click("按钮_两端对齐");
        const QString html = body();
        QVERIFY2(!html.contains(QStringLiteral("center")) && !html.contains(QStringLiteral("justify")),
                 qPrintable(html));
    }

    void outdentTakesBackAnIndent()
    {
        load(QStringLiteral("hello world"));
        select(0, 5);
        click("按钮_增加缩进");
        QVERIFY(body() != QStringLiteral("<p id=\"a\">hello world</p>"));
        click("按钮_减少缩进");
        QCOMPARE(body(), QStringLiteral("<p id=\"a\">hello world</p>"));
    }

    void menuCommandsShareTheButtonsCommands()
    {
        QMenuBar bar;
        commands::buildMenuBar(&bar, router);
        QAction *centre = nullptr;
        for (QAction *top : bar.actions())
            if (top->text() == QStringLiteral("排版"))
                for (QAction *a : top->menu()->actions())
                    if (a->text() == QStringLiteral("居中"))
                        centre = a;
        QVERIFY(centre);
        load(QStringLiteral("hello world"));
        select(0, 5);
        centre->trigger();
        QVERIFY(body().contains(QStringLiteral("text-align: center")));
    }

    void fontSizeBoxSendsItsSize_data()
    {
        QTest::addColumn<int>("index");
        QTest::addColumn<QString>("size");
        QTest::newRow("1号字") << 0 << "1";
        QTest::newRow("4号字") << 3 << "4";
        QTest::newRow("7号字") << 6 << "7";
    }
    void fontSizeBoxSendsItsSize()
    {
        QFETCH(int, index);
        QFETCH(QString, size);
        load(QStringLiteral("hello world"));
        select(6, 11);
        QComboBox *box = toolbar->fontSizeBox();
        box->setCurrentIndex(index);
        emit box->activated(index);
        QCOMPARE(para(), QStringLiteral("hello <font size=\"%1\">world</font>").arg(size));
    }

    void fontNameBoxSendsTheName_data()
    {
        // Items of the list the box itself was filled with: which families a
        // machine has is up to the machine.
        QTest::addColumn<bool>("last");
        QTest::newRow("first item") << false;
        QTest::newRow("last item") << true;
    }
    void fontNameBoxSendsTheName()
    {
        QFETCH(bool, last);
        QComboBox *box = toolbar->fontNameBox();
        QVERIFY(box->count() > 0);
        const int index = last ? box->count() - 1 : 0;
        const QString family = box->itemText(index);
        // Paragraphs in a family no machine has: a family the text already
        // has (the engine's default may be any of them) needs no tag.
        QVERIFY(view->WriteDocument(
            QStringLiteral("<html><head><style>p { font-family: zelvo-no-such-family; }</style></head>"
                           "<body><p id=\"a\">hello world</p></body></html>")));
        select(6, 11);
        box->setCurrentIndex(index);
        emit box->activated(index);
        const QRegularExpressionMatch face =
            QRegularExpression(QStringLiteral("^hello <font face=\"([^\"]*)\">world</font>$")).match(para());
        QVERIFY2(face.hasMatch(), qPrintable(para()));
        // The engine writes a generic family its own way ("Serif" becomes
        // "serif") and may quote a name; the family stays the same.
        QString written = face.captured(1);
        written.remove(QStringLiteral("&quot;")).remove(QLatin1Char('\''));
        QVERIFY2(written.compare(family, Qt::CaseInsensitive) == 0,
                 qPrintable(QStringLiteral("%1 sent, %2 written").arg(family, face.captured(1))));
    }

    void colourPickersSendTheirColour()
    {
        load(QStringLiteral("hello world"));
        select(6, 11);
        toolbar->textColourPicker()->pick(0x0000FF); // red
        QCOMPARE(para(), QStringLiteral("hello <font color=\"#ff0000\">world</font>"));

        load(QStringLiteral("hello world"));
        select(0, 5);
        toolbar->textBackColourPicker()->pick(0x00FF00 | 0x000080); // green 0xff, red 0x80
        const QString html = para();
        QVERIFY2(html.contains(QStringLiteral("background-color: rgb(128, 255, 0)")), qPrintable(html));
    }

    void operationsActOnTheViewTheyAreGiven()
    {
        // A second view, as the scrolling-text dialog has; the design view stays untouched.
        load(QStringLiteral("design"));
        EngineView other;
        other.resize(300, 200);
        other.show();
        QVERIFY(QTest::qWaitForWindowExposed(&other));
        QVERIFY(other.Navigate(QStringLiteral("about:blank")));
        QVERIFY(other.SetEditMode(true));
        QVERIFY(other.WriteDocument(QStringLiteral("<html><body><p id=\"a\">abc</p></body></html>")));
        other.evaluate(QStringLiteral("var t=document.getElementById('a').firstChild;"
                                      "getSelection().setBaseAndExtent(t,0,t,3); true;"));
        other.ExecCommand(engine::EditCommand::Bold);
        other.ExecCommand(engine::EditCommand::JustifyRight);
        commands::SetFontSize(other, 5);
        commands::SetTextColour(other, 0xFF0000); // blue
        const QString html = other.evaluate(QStringLiteral("document.body.innerHTML;")).toString();
        QVERIFY2(html.contains(QStringLiteral("<b>")) && html.contains(QStringLiteral("text-align: right"))
                     && html.contains(QStringLiteral("size=\"5\"")) && html.contains(QStringLiteral("#0000ff")),
                 qPrintable(html));
        QCOMPARE(para(), QStringLiteral("design"));
    }

    void undoAndRedoButtonsWalkTheHistory()
    {
        load(QStringLiteral("hello world"));
        select(6, 11);
        click("按钮_加粗");
        QVERIFY(para().contains(QStringLiteral("<b>")));
        click("按钮_撤销");
        QCOMPARE(para(), QStringLiteral("hello world"));
        click("按钮_重做");
        QVERIFY(para().contains(QStringLiteral("<b>world</b>")));
    }

    void clipboardCommandsFocusTheViewFirst()
    {
        load(QStringLiteral("hello world"));
        QApplication::clipboard()->setText(QStringLiteral("before"));
        select(6, 11);
        focusElsewhere();
        click("按钮_复制");
        QTRY_COMPARE(QApplication::clipboard()->text(), QStringLiteral("world"));
        QVERIFY(view->inputWidget()->hasFocus());

        caretAtEnd();
        focusElsewhere();
        click("按钮_粘贴");
        QTRY_COMPARE(para(), QStringLiteral("hello worldworld"));

        select(0, 6);
        focusElsewhere();
        click("按钮_剪切");
        QTRY_COMPARE(QApplication::clipboard()->text(), QStringLiteral("hello "));
        QCOMPARE(para(), QStringLiteral("worldworld"));
        QVERIFY(view->inputWidget()->hasFocus());
    }

    void selectAllTakesTheWholePage()
    {
        load(QStringLiteral("hello world"));
        select(0, 1);
        focusElsewhere();
        router.run(CommandId::SelectAll);
        QCOMPARE(selectedText(), QStringLiteral("hello world"));
        QVERIFY(view->inputWidget()->hasFocus());
    }

    void contextMenuIsTheEditMenu()
    {
        QMenu *menu = commands::InstallDesignContextMenu(*view, router);
        load(QStringLiteral("hello world"));
        QApplication::clipboard()->clear();
        focusPage();
        select(0, 5);
        QStringList items;
        testsupport::PopupWatch watch([&](QWidget *popup) {
            auto *shown = qobject_cast<QMenu *>(popup);
            if (!shown)
                return;
            for (QAction *a : shown->actions())
                items << (a->isSeparator() ? QStringLiteral("—") : a->text());
            for (QAction *a : shown->actions())
                if (a->text() == QStringLiteral("复制")) {
                    shown->setActiveAction(a);
                    QTest::keyClick(shown, Qt::Key_Return);
                }
        });
        // Right-click on the selected word.
        const QVariant rect = view->evaluate(QStringLiteral(
            "(function(){var r=getSelection().getRangeAt(0).getBoundingClientRect();"
            "return [Math.round(r.left+r.width/2), Math.round(r.top+r.height/2)];})();"));
        const QVariantList xy = rect.toList();
        QVERIFY(xy.size() == 2);
        const QPoint at(xy[0].toInt(), xy[1].toInt());
        QTest::mouseClick(view->inputWidget(), Qt::RightButton, Qt::NoModifier, at);
        QTRY_VERIFY(watch.handled());
        QCOMPARE(items, QStringList({"撤销", "重做", "—", "复制", "剪切", "粘贴", "—", "全选"}));
        QTRY_COMPARE(QApplication::clipboard()->text(), QStringLiteral("hello"));
        QVERIFY(!menu->isVisible());
        QCOMPARE(para(), QStringLiteral("hello world"));
    }

    void enterMakesALineBreak_data()
    {
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("modifiers");
        QTest::newRow("Enter") << int(Qt::Key_Return) << int(Qt::NoModifier);
        QTest::newRow("Shift+Enter") << int(Qt::Key_Return) << int(Qt::ShiftModifier);
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << int(Qt::KeypadModifier);
    }
    void enterMakesALineBreak()
    {
        QFETCH(int, key);
        QFETCH(int, modifiers);
        QVERIFY(commands::EnterHookInstalled(*view));
        load(QStringLiteral("ab"));
        focusPage();
        caretAtEnd();
        QTest::keyClick(view->inputWidget(), Qt::Key(key), Qt::KeyboardModifiers(modifiers));
        type(QStringLiteral("cd"));
        QTRY_COMPARE(para(), QStringLiteral("ab<br>cd"));
        // One line break, no new paragraph, and typing went on after it.
        QCOMPARE(view->evaluate(QStringLiteral("document.querySelectorAll('p').length;")).toInt(), 1);
    }

    void enterAtTheEndOpensANewLine_data()
    {
        QTest::addColumn<QString>("start");
        QTest::addColumn<int>("enters");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("result");
        QTest::newRow("one, nothing typed") << "ab" << 1 << "" << "ab<br><br>";
        QTest::newRow("two") << "ab" << 2 << "cd" << "ab<br><br>cd";
        QTest::newRow("three") << "ab" << 3 << "cd" << "ab<br><br><br>cd";
        QTest::newRow("after a break") << "ab<br>" << 1 << "cd" << "ab<br>cd";
        QTest::newRow("inside bold") << "a<b>b</b>" << 1 << "c" << "a<b>b<br>c</b>";
        QTest::newRow("empty paragraph") << "" << 1 << "x" << "<br>x";
    }
    void enterAtTheEndOpensANewLine()
    {
        QFETCH(QString, start);
        QFETCH(int, enters);
        QFETCH(QString, typed);
        QFETCH(QString, result);
        load(start);
        focusPage();
        view->evaluate(QStringLiteral("var p=document.getElementById('a'); var r=document.createRange();"
                                      "r.selectNodeContents(p.lastChild && p.lastChild.nodeName==='B' ? p.lastChild : p);"
                                      "r.collapse(false); getSelection().removeAllRanges(); getSelection().addRange(r); true;"));
        for (int i = 0; i < enters; ++i)
            QTest::keyClick(view->inputWidget(), Qt::Key_Return);
        type(typed);
        QTRY_COMPARE(para(), result);
    }

    void enterReplacesTheSelection()
    {
        load(QStringLiteral("hello world"));
        focusPage();
        select(6, 11);
        QTest::keyClick(view->inputWidget(), Qt::Key_Return);
        type(QStringLiteral("X"));
        QTRY_COMPARE(para(), QStringLiteral("hello <br>X"));
    }

    void enterBetweenWordsContinuesOnTheNewLine()
    {
        load(QStringLiteral("onetwo"));
        focusPage();
        select(3, 3);
        QTest::keyClick(view->inputWidget(), Qt::Key_Return);
        type(QStringLiteral("-"));
        QTRY_COMPARE(para(), QStringLiteral("one<br>-two"));
        // Undo takes the typing back, then the break.
        QVERIFY(view->Undo());
        QVERIFY(view->Undo());
        QCOMPARE(para(), QStringLiteral("onetwo"));
    }

    void hookIsInstalledOnceOnTheFirstNavigation()
    {
        EngineView fresh;
        fresh.resize(300, 200);
        fresh.show();
        QVERIFY(QTest::qWaitForWindowExposed(&fresh));
        int installs = 0;
        connect(&fresh, &EngineView::navigationComplete, &fresh, [&] {
            if (!commands::EnterHookInstalled(fresh))
                ++installs;
            commands::InstallEnterHook(fresh);
        });
        QVERIFY(!commands::EnterHookInstalled(fresh));
        QVERIFY(fresh.Navigate(QStringLiteral("about:blank")));
        QVERIFY(commands::EnterHookInstalled(fresh));
        QVERIFY(fresh.Navigate(QStringLiteral("about:blank")));
        QCOMPARE(installs, 1);
    }
};

ZELVO_TEST_MAIN(FormattingTest)
#include "test_formatting.moc"
