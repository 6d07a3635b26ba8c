#include "TestSupport.h"
#include "engine/EngineView.h"

#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QSignalSpy>

using engine::EngineView;

class EngineViewTest : public QObject {
    Q_OBJECT

    EngineView *view = nullptr;

    void typeText(const QString &text)
    {
        activate();
        view->setFocus();
        QTRY_VERIFY(view->evaluate(QStringLiteral("document.hasFocus();")).toBool());
        QTest::keyClicks(view->inputWidget(), text);
        view->evaluate(QStringLiteral("true;")); // let the engine take the keys in
    }
    // A window manager activates a window some time after it is asked to.
    void activate()
    {
        view->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(view));
    }
    QString body() { return view->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }
    // Text before and after the caret, to see where it ends.
    QString caretContext()
    {
        return view->evaluate(QStringLiteral(
                                  "(function(){var s=getSelection(); var r=s.getRangeAt(0);"
                                  "var m=document.createTextNode('|'); r.insertNode(m);"
                                  "var h=document.body.innerHTML; m.remove(); return h;})();"))
            .toString();
    }

private slots:
    void initTestCase()
    {
        view = new EngineView;
        view->resize(800, 600);
        view->show();
        QVERIFY(QTest::qWaitForWindowExposed(view));
        QVERIFY(view->Navigate(QStringLiteral("about:blank")));
        QVERIFY(view->SetEditMode(true));
        // The engine takes keys only once the page has had a click, as for a user.
        QTest::mouseClick(view->inputWidget(), Qt::LeftButton, {}, QPoint(100, 100));
    }
    void cleanupTestCase() { delete view; }

    void roundTripKeepsEveryCharacter_data()
    {
        QTest::addColumn<QString>("text");
        QTest::newRow("chinese") << QStringLiteral("无标题网页，中文段落。");
        QTest::newRow("outside gbk") << QStringLiteral("emoji 😀 ext-B 𠀀 euro € hangul 한국어 ゟ");
        QTest::newRow("escapes") << QStringLiteral("quote \" backslash \\ line\u2028sep tab\tend");
    }
    void roundTripKeepsEveryCharacter()
    {
        QFETCH(QString, text);
        const QString page = QStringLiteral("<html><head><title>") + text +
                             QStringLiteral("</title></head><body><p>") + text.toHtmlEscaped() +
                             QStringLiteral("</p></body></html>");
        QVERIFY(view->WriteDocument(page));
        QCOMPARE(view->evaluate(QStringLiteral("document.querySelector('p').textContent;")).toString(), text);
        const QString read = view->ReadDocument();
        // Reading is stable: writing what was read gives the same text back.
        QVERIFY(view->WriteDocument(read));
        QCOMPARE(view->ReadDocument(), read);
    }

    // A block that starts with a blank line keeps it however often the page
    // is read and written again; nothing else changes, and reading is no edit.
    void leadingNewlinesOfPreformattedBlocksSurvive()
    {
        const QString page = QStringLiteral(
            "<html><head></head><body><pre>\n\nline</pre><textarea>\n\nvalue</textarea>"
            "<listing>\n\n\nx</listing><pre>plain</pre><pre><b>\n</b>b</pre></body></html>");
        QVERIFY(view->WriteDocument(page));
        const quint64 before = view->changeCount();
        const QString first = view->ReadDocument();
        QCOMPARE(first, page);
        QCOMPARE(view->changeCount(), before);
        QVERIFY(!view->canUndo());
        for (int round = 0; round < 3; ++round) {
            QVERIFY(view->WriteDocument(view->ReadDocument()));
            QCOMPARE(view->ReadDocument(), page);
        }
        QCOMPARE(view->evaluate(QStringLiteral("document.querySelector('textarea').value;")).toString(),
                 QStringLiteral("\nvalue"));
    }

    void doctypeAndCommentsAroundTheRootAreKept()
    {
        const QString page = QStringLiteral(
            "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\n"
            "<!-- saved by hand -->\n<html><head><title>t</title></head><body>x</body></html><!-- end -->");
        QVERIFY(view->WriteDocument(page));
        const QString read = view->ReadDocument();
        QVERIFY2(read.startsWith(QStringLiteral(
                     "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.01//EN\" \"http://www.w3.org/TR/html4/strict.dtd\">\n"
                     "<!-- saved by hand -->\n<html>")),
                 qPrintable(read));
        QVERIFY2(read.endsWith(QStringLiteral("</html><!-- end -->")), qPrintable(read));
        QVERIFY(view->WriteDocument(read));
        QCOMPARE(view->ReadDocument(), read);
        // Standards mode survives the round trip because the doctype does.
        QCOMPARE(view->evaluate(QStringLiteral("document.compatMode;")).toString(), QStringLiteral("CSS1Compat"));
    }

    void pageScriptsNeverRun()
    {
        QVERIFY(view->WriteDocument(QStringLiteral(
            "<html><head><script>document.title='ran';</script></head>"
            "<body onload=\"document.body.setAttribute('data-x','1')\"><p>x</p>"
            "<script>document.write('<b>written</b>')</script></body></html>")));
        QCOMPARE(view->evaluate(QStringLiteral("document.title;")).toString(), QString());
        const QString read = view->ReadDocument();
        QCOMPARE(view->evaluate(QStringLiteral("document.querySelectorAll('b').length;")).toInt(), 0);
        QVERIFY(!read.contains(QStringLiteral("data-x=\"1\"")));
        QVERIFY(read.contains(QStringLiteral("<script>document.title='ran';</script>")));
    }

    void pageCannotNavigateAway()
    {
        // A page opened from a folder, refreshing to a page beside it that
        // the engine could load.
        const QString dir = testsupport::freshTempDir();
        QFile next(dir + QStringLiteral("/next.html"));
        QVERIFY(next.open(QIODevice::WriteOnly));
        next.write("<html><body>moved</body></html>");
        next.close();
        EngineView page;
        page.resize(300, 200);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        QVERIFY(page.WriteDocument(QStringLiteral("<html><body>first</body></html>"), dir));
        QSignalSpy navigations(&page, &EngineView::navigationComplete);
        QVERIFY(page.WriteDocument(
            QStringLiteral("<html><head><meta http-equiv=\"refresh\" content=\"0;url=next.html\"></head>"
                           "<body>stay</body></html>"),
            dir));
        // The refresh is tried and refused; the page stays.
        QTRY_COMPARE(navigations.count(), 1);
        QCOMPARE(navigations.at(0).at(0).toBool(), false);
        QVERIFY(page.ReadDocument().contains(QStringLiteral("stay")));
    }

    void pasteHtmlKeepsMarkupAndLeavesCaretAfterIt_data()
    {
        QTest::addColumn<QString>("fragment");
        QTest::newRow("marquee") << QStringLiteral("<marquee behavior=\"alternate\" scrollamount=\"3\">滚动</marquee>");
        QTest::newRow("style") << QStringLiteral("<style>.a{color:red}</style>");
        QTest::newRow("styled span") << QStringLiteral("<span style=\"font-size: 20px; color: rgb(255, 0, 0);\">红字</span>");
        QTest::newRow("fieldset") << QStringLiteral("<fieldset><legend>分组框</legend></fieldset>");
        QTest::newRow("table") << QStringLiteral("<table border=\"1\" width=\"300\"><tbody><tr><td>1</td><td>2</td></tr></tbody></table>");
    }
    void pasteHtmlKeepsMarkupAndLeavesCaretAfterIt()
    {
        QFETCH(QString, fragment);
        QVERIFY(view->WriteDocument(QStringLiteral("<html><head></head><body>ab</body></html>")));
        // Caret between "a" and "b".
        view->evaluate(QStringLiteral("getSelection().collapse(document.body.firstChild, 1); true;"));
        QVERIFY(view->PasteHtml(fragment));
        QCOMPARE(body(), QStringLiteral("a") + fragment + QStringLiteral("b"));
        QCOMPARE(caretContext(), QStringLiteral("a") + fragment + QStringLiteral("|b"));
    }

    void pasteHtmlReplacesTheSelection()
    {
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body><p>one two three</p></body></html>")));
        view->evaluate(QStringLiteral(
            "var t=document.querySelector('p').firstChild; getSelection().setBaseAndExtent(t,4,t,7); true;"));
        QVERIFY(view->PasteHtml(QStringLiteral("<i>2</i>")));
        QCOMPARE(body(), QStringLiteral("<p>one <i>2</i> three</p>"));
    }

    void pasteHtmlWithoutSelectionFails()
    {
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body>x</body></html>")));
        view->evaluate(QStringLiteral("getSelection().removeAllRanges(); true;"));
        QVERIFY(!view->PasteHtml(QStringLiteral("<b>y</b>")));
        QCOMPARE(body(), QStringLiteral("x"));
    }

    void undoAndRedoWalkTypingFormattingAndInsertion()
    {
        QVERIFY(view->WriteDocument(QStringLiteral("<html><head></head><body><p>start</p></body></html>")));
        view->evaluate(QStringLiteral(
            "var t=document.querySelector('p').firstChild; getSelection().collapse(t,5); true;"));
        QVERIFY(!view->canUndo());
        typeText(QStringLiteral(" typed"));
        QTRY_COMPARE(body(), QStringLiteral("<p>start typed</p>"));
        const QString afterTyping = body();

        view->evaluate(QStringLiteral(
            "var t=document.querySelector('p').firstChild; getSelection().setBaseAndExtent(t,0,t,5); true;"));
        QVERIFY(view->ExecCommand(engine::EditCommand::Bold));
        const QString afterBold = body();
        QCOMPARE(afterBold, QStringLiteral("<p><b>start</b> typed</p>"));

        view->evaluate(QStringLiteral(
            "var p=document.querySelector('p'); getSelection().collapse(p, p.childNodes.length); true;"));
        QVERIFY(view->PasteHtml(QStringLiteral("<hr>")));
        const QString afterPaste = body();
        QVERIFY(afterPaste.contains(QStringLiteral("<hr>")));

        QVERIFY(view->Undo());
        QCOMPARE(body(), afterBold);
        QVERIFY(view->Undo());
        QCOMPARE(body(), afterTyping);
        // The caret is back where the bold command found it: over "start".
        QCOMPARE(view->evaluate(QStringLiteral("getSelection().toString();")).toString(), QStringLiteral("start"));
        QVERIFY(view->Undo());
        QCOMPARE(body(), QStringLiteral("<p>start</p>"));
        QVERIFY(!view->Undo());

        QVERIFY(view->Redo());
        QCOMPARE(body(), afterTyping);
        QVERIFY(view->Redo());
        QCOMPARE(body(), afterBold);
        QVERIFY(view->Redo());
        QCOMPARE(body(), afterPaste);
        QVERIFY(!view->Redo());

        // A new change after an undo drops what could have been redone.
        QVERIFY(view->Undo());
        QVERIFY(view->PasteHtml(QStringLiteral("<u>n</u>")));
        QVERIFY(!view->canRedo());
    }

    void ctrlZInThePageUsesTheSameHistory()
    {
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body><p>x</p></body></html>")));
        view->evaluate(QStringLiteral("getSelection().collapse(document.querySelector('p').firstChild,1); true;"));
        QVERIFY(view->PasteHtml(QStringLiteral("<b>y</b>")));
        typeText(QStringLiteral("z"));
        // Typing right after inserted bold text goes on in bold, as the engine does.
        QTRY_COMPARE(body(), QStringLiteral("<p>x<b>yz</b></p>"));
        QTest::keyClick(view->inputWidget(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(body(), QStringLiteral("<p>x<b>y</b></p>"));
        // One key, one step: the engine must not run an undo of its own as
        // well. Its undo would come with the key, before the next key; once
        // the next key is in, the page shows one step taken back and no more.
        QTest::keyClicks(view->inputWidget(), QStringLiteral("w"));
        QTRY_COMPARE(body(), QStringLiteral("<p>x<b>yw</b></p>"));
        QTest::keyClick(view->inputWidget(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(body(), QStringLiteral("<p>x<b>y</b></p>"));
        QTest::keyClick(view->inputWidget(), Qt::Key_Z, Qt::ControlModifier);
        QTRY_COMPARE(body(), QStringLiteral("<p>x</p>"));
        QTest::keyClick(view->inputWidget(), Qt::Key_Y, Qt::ControlModifier);
        QTRY_COMPARE(body(), QStringLiteral("<p>x<b>y</b></p>"));
    }

    void writeClearsTheHistory()
    {
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body>a</body></html>")));
        QVERIFY(view->PasteHtml(QStringLiteral("<b>b</b>")));
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body>c</body></html>")));
        QVERIFY(!view->Undo());
        QCOMPARE(body(), QStringLiteral("c"));
    }

    void justifyNoneRemovesExplicitAlignment()
    {
        QVERIFY(view->WriteDocument(QStringLiteral(
            "<html><body><p align=\"center\">a</p><div style=\"text-align: right; color: red;\">b</div>"
            "<p align=\"left\">c</p></body></html>")));
        view->evaluate(QStringLiteral(
            "var ps=document.body.children; getSelection().setBaseAndExtent(ps[0].firstChild,0,ps[1].firstChild,1); true;"));
        QVERIFY(view->ExecCommand(engine::EditCommand::JustifyNone));
        QCOMPARE(body(), QStringLiteral("<p>a</p><div style=\"color: red;\">b</div><p align=\"left\">c</p>"));
        QVERIFY(view->Undo());
        QVERIFY(body().startsWith(QStringLiteral("<p align=\"center\">a</p><div style=\"text-align: right; color: red;\">")));
    }

    void colourCommandsTakeBgrIntegers()
    {
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body><p>abc</p></body></html>")));
        view->evaluate(QStringLiteral("var t=document.querySelector('p').firstChild; getSelection().setBaseAndExtent(t,0,t,3); true;"));
        QVERIFY(view->ExecCommand(engine::EditCommand::ForeColor, 0x00332211));
        QVERIFY2(body().contains(QStringLiteral("#112233")), qPrintable(body()));
        QVERIFY(view->ExecCommand(engine::EditCommand::FontSize, 7));
        QVERIFY2(body().contains(QStringLiteral("size=\"7\"")), qPrintable(body()));
    }

    void relativeAddressesResolveAgainstTheGivenFolder()
    {
        const QString dir = testsupport::freshTempDir();
        QImage image(7, 5, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(image.save(dir + QStringLiteral("/pic.png")));
        const QString page = QStringLiteral("<html><body><img src=\"pic.png\"></body></html>");
        QVERIFY(view->WriteDocument(page, dir));
        QTRY_COMPARE(view->evaluate(QStringLiteral("document.images[0].naturalWidth;")).toInt(), 7);
        QCOMPARE(view->ReadDocument(), QStringLiteral("<html><head></head><body><img src=\"pic.png\"></body></html>"));
        QVERIFY(view->WriteDocument(page));
        QVERIFY(view->ReadDocument().contains(QStringLiteral("src=\"pic.png\"")));
    }

    void clipboardCommandsUseTheRealClipboard()
    {
        QVERIFY(view->WriteDocument(QStringLiteral("<html><body><p>copy me</p><p>end</p></body></html>")));
        activate();
        view->setFocus();
        view->evaluate(QStringLiteral("var t=document.querySelector('p').firstChild; getSelection().setBaseAndExtent(t,0,t,4); true;"));
        QApplication::clipboard()->clear();
        QVERIFY(view->RangeCommand(engine::RangeAction::Copy));
        QTRY_COMPARE(QApplication::clipboard()->text(), QStringLiteral("copy"));
        view->evaluate(QStringLiteral("var t=document.querySelectorAll('p')[1].firstChild; getSelection().collapse(t,3); true;"));
        QVERIFY(view->RangeCommand(engine::RangeAction::Paste));
        QTRY_VERIFY2(body().contains(QStringLiteral("endcopy")), qPrintable(body()));
        QVERIFY(view->RangeCommand(engine::RangeAction::SelectAll));
        QVERIFY(view->evaluate(QStringLiteral("getSelection().toString();")).toString().contains(QStringLiteral("copy me")));
    }

    void editorSheetsShowButNeverSerialise()
    {
        const QString page = QStringLiteral("<html><head></head><body><p>x</p></body></html>");
        const QString colour = QStringLiteral("getComputedStyle(document.querySelector('p')).color;");
        QVERIFY(view->WriteDocument(page));
        QVERIFY(view->setDocumentSheet(QStringLiteral("a"), QStringLiteral("p { color: rgb(1, 2, 3); }")));
        QCOMPARE(view->evaluate(colour).toString(), QStringLiteral("rgb(1, 2, 3)"));
        QCOMPARE(view->ReadDocument(), page);
        // Kept through every later page, also one loaded from another folder.
        QVERIFY(view->WriteDocument(page));
        QCOMPARE(view->evaluate(colour).toString(), QStringLiteral("rgb(1, 2, 3)"));
        QVERIFY(view->WriteDocument(page, testsupport::freshTempDir()));
        QCOMPARE(view->evaluate(colour).toString(), QStringLiteral("rgb(1, 2, 3)"));
        // A second name adds a sheet; setting a name again replaces its
        // sheet; an empty text removes it.
        QVERIFY(view->setDocumentSheet(QStringLiteral("b"), QStringLiteral("p { font-size: 31px; }")));
        QVERIFY(view->setDocumentSheet(QStringLiteral("a"), QStringLiteral("p { color: rgb(4, 5, 6); }")));
        QCOMPARE(view->evaluate(colour).toString(), QStringLiteral("rgb(4, 5, 6)"));
        QCOMPARE(view->evaluate(QStringLiteral("document.adoptedStyleSheets.length;")).toInt(), 2);
        QVERIFY(view->setDocumentSheet(QStringLiteral("a"), QString()));
        QCOMPARE(view->evaluate(colour).toString(), QStringLiteral("rgb(0, 0, 0)"));
        QCOMPARE(view->evaluate(QStringLiteral("getComputedStyle(document.querySelector('p')).fontSize;")).toString(),
                 QStringLiteral("31px"));
        QVERIFY(view->setDocumentSheet(QStringLiteral("b"), QString()));
        QCOMPARE(view->evaluate(QStringLiteral("document.adoptedStyleSheets.length;")).toInt(), 0);
        QVERIFY(view->WriteDocument(page));
        QCOMPARE(view->ReadDocument(), page);
    }

    void largePagesRoundTrip()
    {
        // Larger than one piece of text crossing from the engine, with a
        // surrogate pair right at the boundary of the pieces.
        QString para = QStringLiteral("<p>") + QString(4000, QChar(u'段')) + QStringLiteral("😀</p>");
        QString page = QStringLiteral("<!DOCTYPE html>\n<html><head><title>大</title></head><body>");
        page += QString((1 << 20) - page.size() - 1, QLatin1Char('x')) + QStringLiteral("😀");
        while (page.size() < 3 * 1024 * 1024)
            page += para;
        page += QStringLiteral("<p>") + QString((1 << 22) - page.size() - 4, QLatin1Char('y')) + QStringLiteral("😀</p>");
        QCOMPARE(page.at((1 << 22) - 1), QString(QStringLiteral("😀")).at(0));
        while (page.size() < 5 * 1024 * 1024)
            page += para;
        page += QStringLiteral("</body></html>");
        QVERIFY(view->WriteDocument(page));
        QCOMPARE(view->ReadDocument(), page);
    }

    // A large page is shown with the layout of what lies off screen
    // deferred; it must still be edited as a whole: select-all and a format
    // reach every block, typing goes in far down the page, and its text
    // reads back as written. A small page keeps its full layout. The blocks
    // may sit in the body or in one element wrapping the whole page, as word
    // processors write it (with a little beside it).
    void largePagesDeferLayoutAndStayEditable_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("after");
        QTest::addColumn<QString>("holder");
        QTest::newRow("blocks in the body") << QString() << QString() << QStringLiteral("document.body");
        QTest::newRow("blocks in a wrapper")
            << QStringLiteral("<p>页眉</p><div class=\"WordSection1\">") << QStringLiteral("</div><p>页脚</p>")
            << QStringLiteral("document.body.children[1]");
    }
    void largePagesDeferLayoutAndStayEditable()
    {
        QFETCH(QString, before);
        QFETCH(QString, after);
        QFETCH(QString, holder);
        const QString visibility = QStringLiteral("getComputedStyle(%1.firstElementChild).contentVisibility;").arg(holder);
        const QString small = QStringLiteral("<html><head></head><body>%1<p>x</p>%2</body></html>").arg(before, after);
        QVERIFY(view->WriteDocument(small));
        QCOMPARE(view->evaluate(visibility).toString(), QStringLiteral("visible"));

        QString page = QStringLiteral("<html><head></head><body>") + before;
        int blocks = 0;
        while (page.size() < 300 * 1024)
            page += QStringLiteral("<p>第%1段 %2</p>").arg(++blocks).arg(QString(2000, QChar(u'字')));
        page += QStringLiteral("<div>最后</div>") + after + QStringLiteral("</body></html>");
        ++blocks;
        QVERIFY(view->WriteDocument(page));
        QCOMPARE(view->evaluate(visibility).toString(), QStringLiteral("auto"));
        QCOMPARE(view->ReadDocument(), page);
        if (!before.isEmpty()) {
            // A paragraph put before the wrapper moves it: its blocks stay deferred.
            QVERIFY(view->evaluate(QStringLiteral("var p = document.createElement('p'); p.textContent = '新';"
                                                  "document.body.insertBefore(p, document.body.firstChild);"
                                                  "getSelection().collapse(p.firstChild, 1); true;"))
                        .toBool());
            const QString moved = QStringLiteral("getComputedStyle(document.body.children[2].firstElementChild).contentVisibility;");
            QTRY_COMPARE(view->evaluate(moved).toString(), QStringLiteral("auto"));
            QVERIFY(view->WriteDocument(page));
        }

        activate();
        view->focusPage();
        view->setFocus();
        QTRY_VERIFY(view->evaluate(QStringLiteral("document.hasFocus();")).toBool());
        QVERIFY(view->RangeCommand(engine::RangeAction::SelectAll));
        QVERIFY(view->ExecCommand(engine::EditCommand::Bold));
        QCOMPARE(view->evaluate(holder + QStringLiteral(".querySelectorAll(':scope > * > b').length;")).toInt(), blocks);
        QVERIFY(view->Undo());
        QCOMPARE(view->ReadDocument(), page);

        // Ctrl+End on a page whose end was never laid out (into the last
        // block, or after the footer), then a caret put far down in a block
        // never laid out, then Ctrl+Home, typing at each.
        QVERIFY(view->WriteDocument(page));
        view->focusPage();
        QTRY_VERIFY(view->evaluate(QStringLiteral("document.hasFocus();")).toBool());
        QTest::keyClick(view->inputWidget(), Qt::Key_End, Qt::ControlModifier);
        QTest::keyClicks(view->inputWidget(), QStringLiteral("q"));
        QTRY_VERIFY(view->evaluate(QStringLiteral("document.body.lastElementChild.textContent;"))
                        .toString()
                        .endsWith(QStringLiteral("q")));
        const QString farBlock = holder + QStringLiteral(".children[%1.children.length - 6]").arg(holder);
        QVERIFY(view->evaluate(QStringLiteral("var t = %1.firstChild; getSelection().collapse(t, t.length); true;")
                                   .arg(farBlock))
                    .toBool());
        QTest::keyClicks(view->inputWidget(), QStringLiteral("z"));
        QTRY_VERIFY(view->evaluate(farBlock + QStringLiteral(".textContent;")).toString().endsWith(QStringLiteral("字z")));
        QTest::keyClick(view->inputWidget(), Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClicks(view->inputWidget(), QStringLiteral("a"));
        QTRY_VERIFY(view->evaluate(QStringLiteral("document.body.firstElementChild.textContent;"))
                        .toString()
                        .startsWith(QStringLiteral("a")));
        QVERIFY(view->WriteDocument(small));
        QCOMPARE(view->evaluate(visibility).toString(), QStringLiteral("visible"));
    }
};

ZELVO_TEST_MAIN(EngineViewTest)
#include "test_engineview.moc"
