// Pages from tests/data/pages, shaped as pages found on the web, opened through
// 文件 › 打开, saved without an edit, then taken through the code view (with an
// edit that changes nothing a browser sees) and back, and saved again.
//
// What must be kept is what a browser builds from the file: every element
// with its namespace, every attribute and value, every text (pre and textarea
// whitespace included), comment, script and style content, the doctype, the
// content of templates, and the encoding of the file. Both files are parsed
// by the engine's HTML parser and the trees compared node for node.
//
// Differences in the bytes that leave that tree as it is are accepted: the
// engine writes its own serialisation, and a browser cannot tell them apart.
//  - tag and attribute names in lower case, every attribute value in double
//    quotes, boolean attributes as name="" (the parser folds case and quotes);
//  - LF line ends for CR LF (the parser turns CR LF into LF in every text);
//  - a single line break right after <pre>, <textarea> or <listing>, which
//    the parser drops (a second one, which it keeps, is written);
//  - elements the parser implies (head, body, tbody) written out, white space
//    between the doctype and <html> or inside tags dropped;
//  - character references written as the characters, except &amp; &lt; &gt;
//    &nbsp; and &quot; where they are needed; a character the page's encoding
//    lacks as a numeric reference;
//  - markup the HTML parser reads as a comment (<![CDATA[ in HTML content,
//    <?xml:namespace ...>, the <![if !IE]> of down-level conditional comments)
//    written as that comment; a CDATA section inside SVG written as escaped
//    text, which is what it stands for.
#include "DocumentFixture.h"
#include "text/PageCodec.h"

#include <QDirIterator>

using namespace document;

namespace {

const QString kSaved = QStringLiteral("保存文档成功！");

// One line per node: its kind, namespace and name, sorted attributes, data.
// A template's content is walked as its children.
const char kTreeScript[] = R"JS(
(function (text) {
  var doc = new DOMParser().parseFromString(text, 'text/html');
  var out = [];
  function walk(node, depth) {
    var pad = new Array(depth + 1).join(' ');
    switch (node.nodeType) {
    case 1: {
      var attrs = Array.prototype.map.call(node.attributes, function (a) {
        return (a.namespaceURI ? a.namespaceURI + '|' : '') + a.name + '=' + JSON.stringify(a.value);
      }).sort();
      out.push(pad + '<' + node.namespaceURI + '|' + node.localName + (attrs.length ? ' ' + attrs.join(' ') : ''));
      break;
    }
    case 3: out.push(pad + 'text ' + JSON.stringify(node.data)); break;
    case 8: out.push(pad + 'comment ' + JSON.stringify(node.data)); break;
    case 10: out.push(pad + 'doctype ' + JSON.stringify([node.name, node.publicId, node.systemId])); break;
    default: out.push(pad + 'node ' + node.nodeType);
    }
    var kids = node.localName === 'template' && node.content ? node.content.childNodes : node.childNodes;
    for (var i = 0; i < kids.length; ++i)
      walk(kids[i], depth + 1);
  }
  out.push('mode ' + doc.compatMode);
  for (var i = 0; i < doc.childNodes.length; ++i)
    walk(doc.childNodes[i], 0);
  return out.join('\n');
})
)JS";

} // namespace

class RoundTripTest : public QObject {
    Q_OBJECT
    DocumentFixture f;

    QStringList tree(const QString &page)
    {
        return f.design->evaluate(QLatin1String(kTreeScript) + QStringLiteral("(%1);")
                                                                   .arg(engine::EngineView::scriptLiteral(page)))
            .toString()
            .split(QLatin1Char('\n'));
    }

    static text::DecodedPage decoded(const QByteArray &bytes)
    {
        text::DecodedPage page = text::decodePage(bytes);
        [&] { QVERIFY2(page.ok, qPrintable(page.problem)); }();
        return page;
    }

    // The text's bytes in the encoding, without the byte-order mark.
    static QByteArray bytesOf(const QString &text, const text::PageEncoding &encoding)
    {
        return text::encodePage(text, encoding).sliced(text::encodePage(QString(), encoding).size());
    }

    // The line where two trees first differ, for the failure message.
    static QString firstDifference(const QStringList &a, const QStringList &b)
    {
        for (qsizetype i = 0; i < qMax(a.size(), b.size()); ++i) {
            const QString x = a.value(i), y = b.value(i);
            if (x != y)
                return QStringLiteral("line %1:\n  opened: %2\n  saved:  %3").arg(i + 1).arg(x, y);
        }
        return QString();
    }

    bool saveWithoutPrompts()
    {
        f.prompter->messages.clear();
        const bool ok = f.controller->SavePage();
        return ok && f.informationTexts() == QStringList{kSaved};
    }

private slots:
    void initTestCase() { f.create(); }
    void init() { f.reset(); }

    void pageKeepsWhatABrowserSees_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("encoding"); // as the user is told
        QTest::addColumn<QStringList>("kept"); // texts whose bytes must be in the saved file
        QTest::addColumn<QString>("designText"); // found in the design view as shown

        QTest::newRow("comments before the doctype")
            << "comment-before-doctype.htm" << "GBK"
            << QStringList{"<!-- 由 某某网页工具 生成 2005-03-01 -->\n<!-- saved from url=(0022)http://www.example.cn/ -->\n<!DOCTYPE",
                           "<!--[if IE]><link rel=\"stylesheet\" href=\"ie.css\"><![endif]-->", "<!-- 页尾注释 -->"}
            << "欢迎光临！";
        QTest::newRow("script and style")
            << "script-style.htm" << "UTF-8"
            << QStringList{"var html = \"<div class=\\\"x\\\">正文</div>\";", "//<![CDATA[", "(1 < 2 && 3 > 2)",
                           "a[href$=\".htm\"]::after { content: \"</style-ish>\"; }",
                           "<script type=\"text/template\" id=\"row\"><tr><td>{{名称}}</td></tr></script>"}
            << "正文 & 结尾";
        QTest::newRow("svg, mathml and template")
            << "svg-template.htm" << "UTF-8（带 BOM）"
            << QStringList{"viewBox=\"0 0 120 60\"", "xlink:href=\"#g1\"", "<foreignObject",
                           "<template id=\"card\"><div class=\"card\"><h2>模板标题</h2>"}
            << "嵌入的段落";
        QTest::newRow("legacy markup in GBK")
            << "legacy-gbk.htm" << "GBK"
            << QStringList{"<pre>\n\n  两个空行开头的", "<textarea name=\"msg\" rows=\"4\" cols=\"30\">\n\n第一行",
                           "<listing>列表文字", "<marquee", "<font face=\"宋体\"", "&#128512;", "“引号”、《书名》……——"}
            << "滚动的公告";
        QTest::newRow("namespaced VML")
            << "vml.htm" << "GBK"
            << QStringList{"<v:oval style=\"width:100pt;height:50pt\"", "<v:textbox>椭圆里的字</v:textbox>",
                           "<!--[if gte vml 1]><v:shapetype", "v\\:* { behavior: url(#default#VML); }"}
            << "线后面的段落";
        QTest::newRow("frameset")
            << "frameset.htm" << "GBK"
            << QStringList{"<frameset rows=\"80,*\"", "<frame name=\"menu\" src=\"menu.htm\">", "您的浏览器不支持框架。"}
            << QString();
        QTest::newRow("Big5") << "big5.htm" << "BIG5"
                              << QStringList{"<title>繁體中文網頁</title>", "歡迎光臨！價格：€100", "許功蓋"} << "歡迎光臨";
        QTest::newRow("Big5 without a declaration")
            << "big5-undeclared.htm" << "BIG5" << QStringList{"<title>香港中文大學 最新消息</title>", "２６０９ ６０００　傳真"}
            << "迎新活動";
        QTest::newRow("GBK page with characters GBK lacks")
            << "gbk-outside.htm" << "GBK" << QStringList{"&#131072; &#128512; &#223;", "鍖 € ①②③ 〇"}
            << "GBK 里有的";
        QTest::newRow("UTF-16 little-endian") << "utf16le.htm" << "UTF-16LE"
                                              << QStringList{"日本語、한국어、😀"} << "小端字节序";
        QTest::newRow("UTF-16 big-endian") << "utf16be.htm" << "UTF-16BE"
                                           << QStringList{"大端字节序的网页 𠀀"} << "大端字节序";
    }

    void pageKeepsWhatABrowserSees()
    {
        QFETCH(QString, file);
        QFETCH(QString, encoding);
        QFETCH(QStringList, kept);
        QFETCH(QString, designText);

        const QString source = QFINDTESTDATA(QStringLiteral("../data/pages/") + file);
        QVERIFY2(!source.isEmpty(), qPrintable(file));
        const QByteArray original = f.fileBytes(source);
        const QString path = f.path(file); // the corpus itself is never written
        f.writeFile(path, original);
        const text::DecodedPage opened = decoded(original);
        QCOMPARE(opened.encoding.displayName(), encoding);

        f.open(path);
        // Nothing to answer; a guessed encoding is named in a notice.
        bool named = false;
        for (const ShownMessage &m : f.prompter->messages) {
            QVERIFY2(!m.waited, qPrintable(m.text));
            named = named || m.text.contains(opened.guessedEncoding);
        }
        QVERIFY(opened.guessedEncoding.isEmpty() || named);
        QCOMPARE(f.state().currentPath, path);
        if (!designText.isEmpty())
            QVERIFY(f.design->evaluate(QStringLiteral("document.body.textContent;")).toString().contains(designText));
        QVERIFY(!f.controller->IsPageChanged());

        QVERIFY(saveWithoutPrompts());
        const QByteArray saved = f.fileBytes(path);
        const text::DecodedPage first = decoded(saved);
        QCOMPARE(first.encoding, opened.encoding);
        const QStringList openedTree = tree(opened.text);
        const QStringList savedTree = tree(first.text);
        QVERIFY(openedTree.size() > 5);
        QVERIFY2(savedTree == openedTree, qPrintable(firstDifference(openedTree, savedTree)));
        for (const QString &text : kept)
            QVERIFY2(saved.contains(bytesOf(text, first.encoding)), qPrintable(text));

        // To the code view and back, with an edit there that a browser
        // ignores: white space before the first node. The design view is
        // written from the code view's text and read again.
        f.controller->ShowCodeView();
        QCOMPARE(f.views->currentIndex(), 1);
        QCOMPARE(f.code->text(), f.state().savedText);
        f.code->insertTextAt(0, QStringLiteral("\n"));
        f.controller->ShowDesignView();
        QCOMPARE(f.views->currentIndex(), 0);
        QVERIFY(!f.controller->IsPageChanged());
        QVERIFY(saveWithoutPrompts());
        // Nothing drifts: the second save writes the first one's bytes.
        QCOMPARE(f.fileBytes(path), saved);
    }

    // Pages whose encoding is not what they say, or not said at all: what
    // the design view shows, what the user is told (never that a page with
    // a declaration has none), and a save without an edit that leaves the
    // file's bytes as they were, but for the bytes repaired. The pages are
    // written as the engine writes, so that a save changes nothing else.
    void encodingsAreNeverChangedSilently_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QString>("encoding");
        QTest::addColumn<QString>("designText");
        QTest::addColumn<QString>("told"); // part of the notice; empty: no notice
        QTest::addColumn<QByteArray>("repaired"); // hex: the stray byte, then what it is saved as

        QTest::newRow("UTF-8 with a stray 0x92") << "utf8-stray-byte.htm" << "UTF-8" << "原文 Café\nit’s ours"
                                                 << "有 1 个字节不是有效的 UTF-8 字符（第一个在第 2 行）" << QByteArray("92 e28099");
        QTest::newRow("GBK declaring UTF-8") << "gbk-declared-utf8.htm" << "GB18030" << "按GBK编码写的网页"
                                             << "声明的编码是“utf-8”，但内容实际是按 GB18030 编码写的" << QByteArray();
        QTest::newRow("EBCDIC label") << "label-ibm037.htm" << "UTF-8" << "浏览器不认识的编码名称"
                                      << "声明的编码“ibm037”不是浏览器认识的网页编码" << QByteArray();
        QTest::newRow("UTF-7 label") << "label-utf7.htm" << "UTF-8" << "Plain +AGE- ASCII text"
                                     << "声明的编码“utf-7”不是浏览器认识的网页编码" << QByteArray();
        QTest::newRow("unknown label") << "label-unknown.htm" << "GB18030" << "未知的编码名称"
                                       << "声明的编码“x-zelvo-1”不是浏览器认识的网页编码" << QByteArray();
        // Few characters fit several encodings: GB18030, said to be a guess.
        const QString guessed = QStringLiteral("没有声明编码，也无法确定它的编码，已按 GB18030 编码打开");
        QTest::newRow("short GBK: title") << "short-gbk-title.htm" << "GB18030" << "original" << guessed << QByteArray();
        QTest::newRow("short GBK: two words") << "short-gbk-words.htm" << "GB18030" << "网页 test" << guessed << QByteArray();
        QTest::newRow("short GBK: heading") << "short-gbk-heading.htm" << "GB18030" << "欢迎光临" << guessed << QByteArray();
    }
    void encodingsAreNeverChangedSilently()
    {
        QFETCH(QString, file);
        QFETCH(QString, encoding);
        QFETCH(QString, designText);
        QFETCH(QString, told);
        QFETCH(QByteArray, repaired);

        const QString source = QFINDTESTDATA(QStringLiteral("../data/pages/") + file);
        QVERIFY2(!source.isEmpty(), qPrintable(file));
        const QByteArray original = f.fileBytes(source);
        const QString path = f.path(file);
        f.writeFile(path, original);
        f.open(path);
        QCOMPARE(f.state().encoding.displayName(), encoding);
        QStringList notices;
        for (const ShownMessage &m : f.prompter->messages) {
            QVERIFY2(!m.waited, qPrintable(m.text)); // told, not asked
            notices << m.text;
        }
        QCOMPARE(notices.size(), told.isEmpty() ? 0 : 1);
        if (!told.isEmpty())
            QVERIFY2(notices.first().contains(told), qPrintable(notices.first()));
        QVERIFY(f.design->evaluate(QStringLiteral("document.body.textContent;")).toString().contains(designText));

        QVERIFY(saveWithoutPrompts());
        QByteArray expected = original;
        if (!repaired.isEmpty()) {
            const QList<QByteArray> change = repaired.split(' ');
            expected.replace(QByteArray::fromHex(change.at(0)), QByteArray::fromHex(change.at(1)));
        }
        QCOMPARE(f.fileBytes(path), expected);
    }
};

ZELVO_TEST_MAIN(RoundTripTest)
#include "test_roundtrip.moc"
