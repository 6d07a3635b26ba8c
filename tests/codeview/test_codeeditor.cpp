// The code editor control and its start-up configuration, on a real editor.
#include "TestSupport.h"
#include "CodeviewTestData.h"
#include "codeview/CodeEditor.h"
#include "codeview/EditorConfigFiles.h"
#include "codeview/LexerConfig.h"

#include <QAccessible>
#include <QAction>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QContextMenuEvent>
#include <QScopeGuard>
#include <QScreen>
#include <algorithm>
#include <memory>

using namespace codeview;
using cvtest::writeFile;

namespace {

// Scintilla queries the tests use (the editor itself never sends them).
enum : unsigned {
    GETCURRENTPOS = 2008, GETSTYLEAT = 2010, SELECTALL = 2013, GOTOPOS = 2025,
    STYLEGETFORE = 2481, STYLEGETBACK = 2482, STYLEGETBOLD = 2483, STYLEGETITALIC = 2484,
    STYLEGETSIZE = 2485, STYLEGETFONT = 2486, STYLEGETUNDERLINE = 2488, STYLESETBOLD = 2053,
    STYLESETITALIC = 2054, STYLESETUNDERLINE = 2059, SETREADONLY = 2171, AUTOCCANCEL = 2101,
    AUTOCACTIVE = 2102, GETFOLDEXPANDED = 2230, GETLINEVISIBLE = 2228, WRAPCOUNT = 2235, VISIBLEFROMDOCLINE = 2220,
    GETMARGINWIDTHN = 2243, GETWRAPMODE = 2269, TEXTHEIGHT = 2279, GETLEXER = 4002,
    COLOURISE = 4003, AUTOCGETCURRENTTEXT = 2610, EMPTYUNDOBUFFER = 2175,
};

QByteArray styleFont(const CodeEditor &e, int style)
{
    return e.textReply(STYLEGETFONT, static_cast<unsigned long>(style));
}

long query(const CodeEditor &e, unsigned message, unsigned long w = 0, long l = 0)
{
    return e.send(message, w, l);
}

SentMessage msg(unsigned m, unsigned long w = 0, long l = 0)
{
    SentMessage s;
    s.message = m;
    s.wParam = w;
    s.lParam = l;
    return s;
}

SentMessage textMsg(unsigned m, unsigned long w, const char *text, const char *key = "")
{
    SentMessage s;
    s.message = m;
    s.wParam = w;
    s.text = text;
    s.key = key;
    s.hasText = true;
    return s;
}

QString withHtmlStyle(const QByteArray &style)
{
    QByteArray styles(ShippedStylersXml().data(), qsizetype(ShippedStylersXml().size()));
    styles.replace(styles.indexOf("\t\t</LexerType>"), 0, "\t\t\t" + style + "\r\n");
    return QString::fromLatin1(styles.toBase64());
}

} // namespace

class CodeEditorTest : public QObject
{
    Q_OBJECT

    QString dir_;
    std::unique_ptr<LexerConfig> config_;
    std::unique_ptr<CodeEditor> editor_;

    // A fresh start: files as given (null: leave missing), then a new
    // configuration object and editor, configured.
    CodeEditor &start(const QByteArray *styles, const QByteArray *langs)
    {
        dir_ = testsupport::freshTempDir();
        qputenv("TMPDIR", QFile::encodeName(dir_));
        if (styles)
            writeFile(dir_ + "/stylers.xml", *styles);
        if (langs)
            writeFile(dir_ + "/langs.xml", *langs);
        editor_.reset();
        config_ = std::make_unique<LexerConfig>();
        editor_ = std::make_unique<CodeEditor>();
        editor_->resize(600, 400);
        ConfigureCodeEditor(*editor_, *config_);
        return *editor_;
    }

    CodeEditor &startShipped()
    {
        const QByteArray s(ShippedStylersXml().data(), qsizetype(ShippedStylersXml().size()));
        const QByteArray l(ShippedLangsXml().data(), qsizetype(ShippedLangsXml().size()));
        return start(&s, &l);
    }

    // Sets the text, puts the caret at its end, types one character and
    // returns the "characters entered" of the completion list it opened, or
    // -1 when none was opened.
    long typeAfter(CodeEditor &e, const QByteArray &before, char typed, std::string *items = nullptr)
    {
        e.replaceAllText(QString::fromUtf8(before));
        query(e, GOTOPOS, static_cast<unsigned long>(e.length()));
        query(e, AUTOCCANCEL);
        std::vector<SentMessage> trace;
        e.setMessageTrace(&trace);
        QTest::keyClick(&e, typed);
        e.setMessageTrace(nullptr);
        for (const SentMessage &m : trace) {
            if (m.message == 2100) {
                if (items)
                    *items = m.text;
                return long(m.wParam);
            }
        }
        return -1;
    }

private slots:
    void cleanup()
    {
        editor_.reset();
        config_.reset();
    }

    void creationSettingsInOrder()
    {
        CodeEditor e;
        std::vector<SentMessage> trace;
        e.setMessageTrace(&trace);
        e.applyCreationSettings();
        const std::vector<SentMessage> expected = {
            msg(2242, 1, 0), msg(2171, 0), msg(2130, 1), msg(2280, 1), msg(2021, 0),
            msg(2084, 1, 0x000000), msg(2085, 1, 0xFFFFFF), msg(2386, static_cast<unsigned long>(-1)),
            msg(2031, 0), msg(2356, 0), msg(2067, 1, 0xFFFFFF), msg(2068, 1, 0x800000),
            msg(2069, 0x000000), msg(2096, 1), msg(2098, 0xFFFFFF), msg(2132, 0), msg(2268, 1),
            msg(2076, 500), msg(2188, 2), msg(2037, 65001), msg(2272, 2)};
        QVERIFY(trace == expected);
        QCOMPARE(query(e, GETWRAPMODE), 1L);
        QCOMPARE(query(e, GETMARGINWIDTHN, 1), 0L);
    }

    // What a screen reader reads of the editor, at offsets in UTF-16 units
    // (a character outside the basic plane counts two): by line, word and
    // character, the caret, the length. While one listens the editor keeps
    // an index of where each line starts, kept up to date as the text
    // changes before the place read; the answers are the same without it.
    // (What the screen reader is told at each change is checked over the
    // accessibility bus, tests/app/atspi_walk.py.)
    void screenReaderReadsTextAtOffsets()
    {
        auto restore = qScopeGuard([] { QAccessible::setActive(false); });
        CodeEditor e;
        e.resize(400, 200);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        QWidget *editor = e.focusProxy();
        const QString secondLine = QStringLiteral("第二行 word");
        e.insertTextAt(0, QStringLiteral("<p>文字\U0001F600</p>\r\n") + secondLine);
        QAccessible::setActive(true);
        QVERIFY(e.send(2710 /*GETLINECHARACTERINDEX*/) != 0); // the answers below come through the index
        // Typed and replaced in the first line, before the place read.
        e.send(GOTOPOS, static_cast<unsigned long>(QStringLiteral("<p>文字").toUtf8().size()));
        QTest::keyClick(editor, Qt::Key_X);
        e.send(2160 /*SETSEL*/, 3, 9); // 文字
        QTest::keyClick(editor, Qt::Key_Y);
        QCOMPARE(e.text(), QStringLiteral("<p>yx\U0001F600</p>\r\n") + secondLine);

        QAccessibleTextInterface *reader = QAccessible::queryAccessibleInterface(editor)->textInterface();
        QVERIFY(reader);
        const int lineStart = int(QStringLiteral("<p>yx\U0001F600</p>\r\n").size());
        const auto readAll = [&] {
            QStringList read;
            int start = 0, end = 0;
            read << reader->textAtOffset(lineStart + 2, QAccessible::LineBoundary, &start, &end)
                 << QString::number(start) << QString::number(end);
            read << reader->textAtOffset(lineStart + 5, QAccessible::WordBoundary, &start, &end)
                 << QString::number(start) << QString::number(end);
            read << reader->textBeforeOffset(lineStart, QAccessible::CharBoundary, &start, &end)
                 << QString::number(start);
            read << reader->textAfterOffset(1, QAccessible::LineBoundary, &start, &end) << QString::number(start);
            read << reader->text(5, 7) << QString::number(reader->characterCount())
                 << QString::number(reader->cursorPosition());
            return read;
        };
        const QStringList expected = {secondLine, QString::number(lineStart), QString::number(lineStart + 8),
                                      "word", QString::number(lineStart + 4), QString::number(lineStart + 8),
                                      "\r\n", QString::number(lineStart - 2), // the line end is one step
                                      secondLine, QString::number(lineStart),
                                      QStringLiteral("\U0001F600"), QString::number(lineStart + 8), "4"};
        QCOMPARE(readAll(), expected);
        QAccessible::setActive(false);
        QCOMPARE(e.send(2710 /*GETLINECHARACTERINDEX*/), 0L);
        QCOMPARE(readAll(), expected);
    }

    void longLinesWrapAtWords()
    {
        CodeEditor e;
        e.resize(200, 200);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        e.insertTextAt(0, QString("word ").repeated(80));
        QVERIFY(query(e, WRAPCOUNT, 0) > 1);
    }

    // Wrapping what lies off screen goes on in the background, but not
    // while the view is hidden (it would take the processor from the design
    // view); it resumes when the view is shown again.
    void backgroundWrappingWaitsWhileHidden()
    {
        CodeEditor &e = startShipped();
        e.resize(200, 200);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        const unsigned long last = 9999;
        e.loadText(QString("<p>" + QString("word ").repeated(80) + "</p>\n").repeated(int(last) + 1));
        e.hide();
        // Where the last line shows: below every line before it, each one
        // display line until it is wrapped.
        const long before = query(e, VISIBLEFROMDOCLINE, last);
        QTest::qWait(300);
        QCOMPARE(query(e, VISIBLEFROMDOCLINE, last), before);
        e.show();
        QTRY_VERIFY_WITH_TIMEOUT(query(e, VISIBLEFROMDOCLINE, last) > long(last) * 10, 60000);
    }

    void textExchange()
    {
        CodeEditor e;
        QCOMPARE(e.text(), QString());
        const QString html = QStringLiteral("<p>中文</p>");
        e.insertTextAt(0, html);
        QCOMPARE(e.text(), html);
        QCOMPARE(e.length(), long(html.toUtf8().size()));
        e.insertTextAt(4, "X"); // a character position, not a byte position
        QCOMPARE(e.text(), QStringLiteral("<p>中X文</p>"));
        e.insertTextAt(-3, "A");
        e.insertTextAt(1000, "Z");
        QCOMPARE(e.text(), QStringLiteral("A<p>中X文</p>Z"));

        QCOMPARE(e.lineFromPosition(-5), 0);

        e.loadText(QString());
        QCOMPARE(e.text(), QString());
    }

    void replacingKeepsTheClipboardAndUndoesInOneStep()
    {
        CodeEditor e;
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->setText(QStringLiteral("用户的剪贴板"));
        e.insertTextAt(0, "old text");
        e.replaceAllText(QStringLiteral("<html>新</html>"));
        QCOMPARE(e.text(), QStringLiteral("<html>新</html>"));
        QCOMPARE(clipboard->text(), QStringLiteral("用户的剪贴板"));
        e.undo();
        QCOMPARE(e.text(), QStringLiteral("old text"));

        e.loadText(QString());
        e.paste(); // the editor's own paste uses the clipboard
        QCOMPARE(e.text(), QStringLiteral("用户的剪贴板"));
    }

    void contextMenu()
    {
        CodeEditor e;
        QClipboard *clipboard = QGuiApplication::clipboard();
        clipboard->clear();
        auto enabledItems = [&e] {
            std::unique_ptr<QMenu> menu(e.createContextMenu());
            QStringList items;
            for (QAction *a : menu->actions())
                items << (a->isSeparator() ? QStringLiteral("|") : a->isEnabled() ? a->text() : "-");
            return items;
        };
        auto trigger = [&e](const QString &caption) {
            std::unique_ptr<QMenu> menu(e.createContextMenu());
            for (QAction *a : menu->actions())
                if (a->text() == caption)
                    a->trigger();
        };
        const QStringList onlySelectAll = {"-", "-", "|", "-", "-", "-", "-", "|", "选择全部"};
        QCOMPARE(enabledItems(), onlySelectAll);

        QTest::keyClicks(&e, "abc");
        QCOMPARE(enabledItems(), QStringList({"撤消", "-", "|", "-", "-", "-", "-", "|", "选择全部"}));

        trigger("选择全部");
        clipboard->setText("x");
        QCOMPARE(enabledItems(), QStringList({"撤消", "-", "|", "剪切", "复制", "粘贴", "删除", "|", "选择全部"}));
        clipboard->clear();
        trigger("复制");
        QCOMPARE(clipboard->text(), QStringLiteral("abc"));

        trigger("删除");
        QCOMPARE(e.text(), QString());
        trigger("撤消");
        QCOMPARE(e.text(), QStringLiteral("abc"));
        QCOMPARE(enabledItems().at(1), QStringLiteral("重复"));

        // Read-only: only copying and selecting remain.
        query(e, SELECTALL);
        query(e, SETREADONLY, 1);
        QCOMPARE(enabledItems(), QStringList({"-", "-", "|", "-", "复制", "-", "-", "|", "选择全部"}));
    }

    void rightClickOpensTheChineseMenu()
    {
        CodeEditor e;
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        QStringList captions;
        testsupport::PopupWatch watch([&captions](QWidget *popup) {
            for (QAction *a : popup->actions())
                captions << (a->isSeparator() ? QStringLiteral("|") : a->text());
        });
        QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(50, 10), e.viewport()->mapToGlobal(QPoint(50, 10)));
        QApplication::sendEvent(e.viewport(), &event); // returns once the menu has closed
        QVERIFY(watch.handled());
        QCOMPARE(captions, QStringList({"撤消", "重复", "|", "剪切", "复制", "粘贴", "删除", "|", "选择全部"}));
    }

    void configurationMessagesInOrder()
    {
        dir_ = testsupport::freshTempDir(); // no files: ApplyTo only sets the lexer
        qputenv("TMPDIR", QFile::encodeName(dir_));
        LexerConfig config;
        CodeEditor e;
        std::vector<SentMessage> trace;
        e.setMessageTrace(&trace);
        ConfigureCodeEditor(e, config);
        e.setMessageTrace(nullptr);
        std::vector<SentMessage> expected = {
            msg(2090, 7), msg(4001, 4),
            textMsg(2056, 33, "宋体"), msg(2053, 33, 1), msg(2055, 33, 8), msg(2051, 33, 65280),
            msg(2052, 33, 0xFF8800), msg(2036, 8), msg(2240, 0, 1), msg(2242, 0, 25), msg(2242, 2, 13),
            textMsg(4004, 0, "1", "fold"), textMsg(4004, 0, "0", "fold.compact"),
            textMsg(4004, 0, "1", "fold.html"), textMsg(4004, 0, "1", "fold.comment"),
            textMsg(4004, 0, "1", "fold.preprocessor"), msg(2233, 16), msg(2244, 2, 0xFE000000L),
            msg(2290, 1, 0xFFFFFF), msg(2291, 1, 0xFFFFFF), msg(2246, 2, 1)};
        for (const auto &[marker, symbol] : {std::pair{31, 14}, {30, 12}, {29, 9}, {28, 10}, {25, 13}, {26, 15}, {27, 11}}) {
            expected.push_back(msg(2040, marker, symbol));
            expected.push_back(msg(2041, marker, 0xFFFFFF));
            expected.push_back(msg(2042, marker, 0x808080));
        }
        expected.push_back(msg(2660, 2)); // the completion list keeps the program's own order
        QCOMPARE(trace.size(), expected.size());
        for (size_t i = 0; i < expected.size(); ++i)
            QVERIFY2(trace[i] == expected[i], qPrintable(QString("message %1 (%2)").arg(i).arg(trace[i].message)));
    }

    void shippedStylesAndKeywordsColourTheText()
    {
        CodeEditor &e = startShipped();
        QCOMPARE(query(e, GETLEXER), 4L);
        QCOMPARE(query(e, STYLEGETFORE, 9), 255L);
        QCOMPARE(query(e, STYLEGETBACK, 9), 65280L);
        QCOMPARE(query(e, STYLEGETSIZE, 0), 8L);
        QCOMPARE(styleFont(e, 0), QByteArray("Fixedsys"));
        QCOMPARE(query(e, STYLEGETBOLD, 2), 1L);
        QCOMPARE(query(e, STYLEGETBOLD, 1), 0L);
        QCOMPARE(query(e, STYLEGETFORE, 47), 16711680L);
        QCOMPARE(styleFont(e, 33), QByteArray("宋体"));
        QCOMPARE(query(e, STYLEGETBACK, 33), 0xFF8800L);

        // Keyword set 0 tells known tags from unknown ones, set 1 holds the
        // script keywords.
        e.replaceAllText("<div><zzz><script>var x;</script>");
        query(e, COLOURISE, 0, -1);
        QCOMPARE(query(e, GETSTYLEAT, 1), 1L);  // tag
        QCOMPARE(query(e, GETSTYLEAT, 6), 2L);  // unknown tag
        QCOMPARE(query(e, GETSTYLEAT, 18), 47L); // "var": keyword
    }

    void extraStyleInStylersIsApplied()
    {
        const QByteArray styles = QByteArray::fromBase64(withHtmlStyle(
            "<WordsStyle name=\"extra\" styleID=\"8\" fgColor=\"4660\" bgColor=\"22136\" "
            "fontName=\"Serif\" fontStyle=\"2\" fontSize=\"11\"/>").toLatin1());
        const QByteArray langs(ShippedLangsXml().data(), qsizetype(ShippedLangsXml().size()));
        CodeEditor &e = start(&styles, &langs);
        QCOMPARE(int(config_->lexers[0].styles.size()), 11);
        QCOMPARE(query(e, STYLEGETFORE, 8), 4660L);
        QCOMPARE(query(e, STYLEGETBACK, 8), 22136L);
        QCOMPARE(query(e, STYLEGETSIZE, 8), 11L);
        QCOMPARE(query(e, STYLEGETITALIC, 8), 1L);
        QCOMPARE(styleFont(e, 8), QByteArray("Serif"));
    }

    void fontStyleBitsOnlySwitchOn()
    {
        CodeEditor e;
        LexerConfig config;
        LexerEntry entry;
        entry.name = "html";
        entry.keywordTexts.clear();
        entry.styles[0].styleID = 20;
        entry.styles[0].fontStyle = 7;
        entry.styles[0].fontSize = 9;
        WordsStyleEntry plain;
        plain.styleID = 21;
        plain.fontSize = 9;
        entry.styles.push_back(plain);
        for (unsigned m : {STYLESETBOLD, STYLESETITALIC, STYLESETUNDERLINE})
            query(e, m, 21, 1);
        config.ApplyLexer(e, entry);
        for (unsigned long style : {20UL, 21UL}) {
            QCOMPARE(query(e, STYLEGETBOLD, style), 1L);
            QCOMPARE(query(e, STYLEGETITALIC, style), 1L);
            QCOMPARE(query(e, STYLEGETUNDERLINE, style), 1L);
        }
    }

    void foldToggle()
    {
        CodeEditor &e = startShipped();
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        e.replaceAllText("<div>\r\n<p>\r\nx\r\n</p>\r\n</div>\r\n");
        query(e, COLOURISE, 0, -1);
        QVERIFY(e.foldLevel(0) & 0x2000);
        QVERIFY(!(e.foldLevel(2) & 0x2000));

        // A click in the fold margin beside the header line: the editor's own
        // notification reaches the handler.
        const int lineHeight = int(query(e, TEXTHEIGHT, 0));
        QTest::mouseClick(e.viewport(), Qt::LeftButton, {}, QPoint(25 + 6, lineHeight / 2));
        QCOMPARE(query(e, GETFOLDEXPANDED, 0), 0L);
        QCOMPARE(query(e, GETLINEVISIBLE, 1), 0L);
        e.foldToggleAt(0);
        QCOMPARE(query(e, GETFOLDEXPANDED, 0), 1L);
        QCOMPARE(query(e, GETLINEVISIBLE, 1), 1L);

        // A plain line does nothing.
        const long plainLineStart = 12; // "x"
        QCOMPARE(e.lineFromPosition(plainLineStart), 2);
        e.foldToggleAt(plainLineStart);
        for (unsigned long line = 0; line < 5; ++line)
            QCOMPARE(query(e, GETLINEVISIBLE, line), 1L);
        QCOMPARE(query(e, GETFOLDEXPANDED, 0), 1L);
        QCOMPARE(query(e, GETFOLDEXPANDED, 1), 1L);
    }

    void completionWhileTyping()
    {
        CodeEditor &e = startShipped();
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        std::string items;
        QCOMPARE(typeAfter(e, "<", 'd', &items), 1L);
        QCOMPARE(items, config_->lexers[0].completionList);
        QVERIFY(query(e, AUTOCACTIVE));
        QCOMPARE(typeAfter(e, "", '<'), -1L);
        QCOMPARE(typeAfter(e, "</", 'd'), 1L);
        QCOMPARE(typeAfter(e, "<a href=\"x\" ", 't'), 1L);
        QCOMPARE(typeAfter(e, "<a href=\"", 't'), -1L);
        QCOMPARE(typeAfter(e, "<p>", 't'), -1L);
        QCOMPARE(typeAfter(e, "a", 'b'), 2L);
        QVERIFY(query(e, AUTOCACTIVE));
        QCOMPARE(typeAfter(e, "<p>中文</p>\r\n<", 'd'), 1L);

        // Typing on in an open list narrows it without opening it again.
        QCOMPARE(typeAfter(e, "<", 't'), 1L);
        std::vector<SentMessage> trace;
        e.setMessageTrace(&trace);
        QTest::keyClick(&e, 'a');
        e.setMessageTrace(nullptr);
        QVERIFY(std::none_of(trace.begin(), trace.end(), [](const SentMessage &m) { return m.message == 2100; }));
        QVERIFY(query(e, AUTOCACTIVE));
        QCOMPARE(e.textReply(AUTOCGETCURRENTTEXT), QByteArray("tabindex"));
        // A space ends the word; the next word gets a list of its own.
        QTest::keyClick(&e, ' ');
        QVERIFY(!query(e, AUTOCACTIVE));
        QCOMPARE(typeAfter(e, "<table ", 'b'), 1L);
    }

    void noListWhereNoScreenIs()
    {
        // The editor component cannot place a list outside every screen; it
        // must not be asked to.
        // A window manager keeps a window on the screen; a widget far
        // outside its window is outside every screen whatever the manager does.
        CodeEditor &e = startShipped();
        QWidget window;
        window.resize(200, 200);
        e.setParent(&window);
        const auto release = qScopeGuard([&e] { e.setParent(nullptr); }); // the test owns the editor
        e.move(-20000, -20000);
        e.show();
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        QVERIFY(!QGuiApplication::screenAt(e.viewport()->mapToGlobal(QPoint(5, 5))));
        QCOMPARE(typeAfter(e, "<", 'd'), -1L);
        QVERIFY(!query(e, AUTOCACTIVE));
        QCOMPARE(e.text(), QStringLiteral("<d"));
    }

    void addedKeywordIsOfferedAfterRestart()
    {
        const QByteArray styles(ShippedStylersXml().data(), qsizetype(ShippedStylersXml().size()));
        QByteArray langs(ShippedLangsXml().data(), qsizetype(ShippedLangsXml().size()));
        langs.replace(" xmlns</Keywords>", " xmlns zelvoword</Keywords>");
        CodeEditor &e = start(&styles, &langs);
        e.show();
        QVERIFY(QTest::qWaitForWindowExposed(&e));
        QCOMPARE(typeAfter(e, "<zelv", 'o'), 5L);
        QVERIFY(query(e, AUTOCACTIVE));
        QCOMPARE(e.textReply(AUTOCGETCURRENTTEXT), QByteArray("zelvoword"));
    }

    void missingOrBrokenFilesLeaveTheEditorUsable_data()
    {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("missing") << false << QByteArray();
        QTest::newRow("empty") << true << QByteArray();
        QTest::newRow("malformed") << true << QByteArray("<ZelvoEditor><LexerStyles><LexerType name=\"html\">");
    }
    void missingOrBrokenFilesLeaveTheEditorUsable()
    {
        QFETCH(bool, present);
        QFETCH(QByteArray, content);
        CodeEditor &e = start(present ? &content : nullptr, present ? &content : nullptr);
        QVERIFY(query(e, STYLEGETSIZE, 0) > 0);       // no size-0 style applied
        QCOMPARE(query(e, STYLEGETBACK, 0), 0xFFFFFFL); // nor black background
        QCOMPARE(query(e, GETMARGINWIDTHN, 0), 25L);
        QCOMPARE(typeAfter(e, "<", 'd'), -1L);
        QCOMPARE(e.text(), QStringLiteral("<d"));
    }
};

ZELVO_TEST_MAIN(CodeEditorTest)
#include "test_codeeditor.moc"
