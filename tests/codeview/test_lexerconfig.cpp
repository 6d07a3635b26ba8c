// Reading the configuration files: number conversion, element paths, the
// lexer table, word sorting and the completion decision. No editor needed.
#include "TestSupport.h"
#include "CodeviewTestData.h"
#include "codeview/Completion.h"
#include "codeview/EditorConfigFiles.h"
#include "codeview/LexerConfig.h"
#include "text/Numbers.h"
#include "codeview/XmlTree.h"

#include <QDir>
#include <QFile>

#include <climits>
#include <sys/stat.h>

using namespace codeview;
using cvtest::toGbk;
using cvtest::writeFile;

namespace {

// A stylers.xml / langs.xml pair with the given bodies.
struct Files
{
    QString styles, langs;
};

Files writeFiles(const QByteArray &styles, const QByteArray &langs)
{
    const QString dir = testsupport::freshTempDir();
    Files f{dir + "/stylers.xml", dir + "/langs.xml"};
    writeFile(f.styles, styles);
    writeFile(f.langs, langs);
    return f;
}

QByteArray stylesDoc(const QByteArray &lexerTypes)
{
    return "<ZelvoEditor><LexerStyles>" + lexerTypes + "</LexerStyles></ZelvoEditor>";
}

QByteArray langsDoc(const QByteArray &languages)
{
    return "<ZelvoEditor><Languages>" + languages + "</Languages></ZelvoEditor>";
}

QByteArray shipped(std::string_view bytes)
{
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

// The shipped pair, written once.
Files f_good()
{
    static const Files files = writeFiles(shipped(ShippedStylersXml()), shipped(ShippedLangsXml()));
    return files;
}

size_t completion(const char *text, size_t longest = 20)
{
    return CompletionWordLength(text, WordBreakSet(LexerConfig::kHtmlWordBreaks), longest);
}

} // namespace

class LexerConfigTest : public QObject
{
    Q_OBJECT

private slots:
    void elementPaths()
    {
        XmlTree tree;
        QVERIFY(tree.LoadBytes("<?xml version=\"1.0\" encoding=\"GB2312\"?>\r\n"
                               "<R>text<!-- c --><A n=\"1\"/>\r\n<B n=\"2\">x &lt;y&gt; <i>z</i></B>"
                               "<A n=\"3\" g=\"\xC4\xAC\"/></R>"));
        std::string v = "unchanged";
        int count = -1;
        QVERIFY(tree.ChildCount("R", count));
        QCOMPARE(count, 3); // elements only: text and comments are skipped
        QVERIFY(tree.Attribute("R/@2", "n", v));
        QCOMPARE(v, std::string("2"));
        QVERIFY(tree.Attribute("R/A", "n", v)); // a name selects the first match
        QCOMPARE(v, std::string("1"));
        QVERIFY(tree.Attribute("R/@3", "g", v));
        QCOMPARE(v, std::string("\xC4\xAC")); // GBK bytes pass through
        QCOMPARE(tree.NodeText("R/B"), std::string("x <y> z"));
        QCOMPARE(tree.NodeText("R/@9"), std::string());

        v = "unchanged";
        for (const char *path : {"R/@4", "R/@0", "R/@x", "R/@", "R//A", "Q/@1", "R/C", ""})
            QVERIFY2(!tree.Attribute(path, "n", v), path);
        QVERIFY(!tree.Attribute("R/@1", "missing", v));
        QCOMPARE(v, std::string("unchanged"));
        QVERIFY(!tree.ChildCount("R/@7", count));

        tree.Release();
        QVERIFY(!tree.ChildCount("R", count));
    }

    void deeplyNestedKeywords()
    {
        // Deep enough to exhaust the stack of a recursive walk.
        const int depth = 500000;
        std::string file = "<R><K>a ";
        for (int i = 0; i < depth; ++i)
            file += "<i>";
        file += "b";
        for (int i = 0; i < depth; ++i)
            file += "</i>";
        file += "-<i>c</i><![CDATA[ d]]></K></R>";
        XmlTree tree;
        QVERIFY(tree.LoadBytes(file));
        QCOMPARE(QString::fromStdString(tree.NodeText("R/K")), QStringLiteral("a b-c d"));
    }

    void unreadableTreesFindNothing()
    {
        XmlTree tree;
        int count = 0;
        QVERIFY(!tree.LoadBytes("<R><A></R>"));
        QVERIFY(!tree.ChildCount("R", count));
        QVERIFY(!tree.LoadBytes(""));
        QVERIFY(!tree.LoadFile(testsupport::freshTempDir() + "/absent.xml"));
        QVERIFY(tree.LoadBytes("<R/>"));
        QVERIFY(!tree.LoadBytes("garbage")); // a failed load drops the old tree
        QVERIFY(!tree.ChildCount("R", count));
    }

    // The files lie in the shared temporary folder, where anyone can put
    // something in their place: nothing there may hang the start, fill the
    // memory or pass unreported.
    void filesThatCannotBeReadAreReported_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QString>("reason");
        QTest::newRow("fifo") << "fifo" << QStringLiteral("不是普通文件");
        QTest::newRow("link to /dev/zero") << "device" << QStringLiteral("不是普通文件");
        QTest::newRow("larger than a configuration file") << "huge" << QStringLiteral("按格式错误处理");
        QTest::newRow("folder") << "folder" << QStringLiteral("文件夹");
        QTest::newRow("missing") << "missing" << QStringLiteral("文件不存在");
        QTest::newRow("malformed") << "malformed" << QStringLiteral("第 7 个字节");
    }
    void filesThatCannotBeReadAreReported()
    {
        QFETCH(QString, kind);
        QFETCH(QString, reason);
        const QString dir = testsupport::freshTempDir();
        const QString styles = dir + "/stylers.xml";
        const QString langs = dir + "/langs.xml";
        QVERIFY(writeFile(langs, shipped(ShippedLangsXml())));
        const QByteArray name = QFile::encodeName(styles);
        if (kind == "fifo")
            QVERIFY(::mkfifo(name.constData(), 0644) == 0);
        else if (kind == "device")
            QVERIFY(QFile::link("/dev/zero", styles));
        else if (kind == "huge")
            QVERIFY(writeFile(styles, "<R/>") && QFile::resize(styles, XmlTree::kMaxFileBytes + 1)); // sparse
        else if (kind == "folder")
            QVERIFY(QDir(dir).mkdir("stylers.xml"));
        else if (kind == "malformed")
            QVERIFY(writeFile(styles, "<Zelvo<"));

        LexerConfig config;
        config.Load(styles, langs);
        QVERIFY(!config.stylesTree.isLoaded());
        QVERIFY(config.langsTree.isLoaded()); // the other file is still read
        QVERIFY2(config.problem.contains(QDir::toNativeSeparators(styles)) && config.problem.contains(reason),
                 qPrintable(config.problem));
        QVERIFY(!config.problem.contains("langs.xml"));
        config.Load(f_good().styles, f_good().langs); // a later good load clears it
        QVERIFY(config.problem.isEmpty());
    }

    // Text below elements nested as deep as a file of a few megabytes allows.
    void deeplyNestedTextIsRead()
    {
        constexpr int kDepth = 300000;
        QByteArray doc = "<R><K>";
        for (int i = 0; i < kDepth; ++i)
            doc += "<a>";
        doc += "deep";
        for (int i = 0; i < kDepth; ++i)
            doc += "</a>";
        doc += "tail</K></R>";
        XmlTree tree;
        QVERIFY(tree.LoadBytes(std::string_view(doc.constData(), size_t(doc.size()))));
        QCOMPARE(tree.NodeText("R/K"), std::string("deeptail"));
        QCOMPARE(tree.NodeText("R"), std::string("deeptail"));
    }

    void shippedFilesParse()
    {
        const Files f = writeFiles(shipped(ShippedStylersXml()), shipped(ShippedLangsXml()));
        LexerConfig config;
        QVERIFY(!config.Load(f.styles, f.langs)); // stops at the third, absent LexerType
        QCOMPARE(config.stylesPath, f.styles);
        QCOMPARE(config.langsPath, f.langs);
        QCOMPARE(int(config.lexers.size()), 5);

        const LexerEntry &html = config.lexers[0];
        QCOMPARE(html.name, std::string("html"));
        QCOMPARE(html.position, 1);
        QCOMPARE(int(html.styles.size()), 10);
        const WordsStyleEntry &comment = html.styles[1];
        QCOMPARE(comment.position, 2);
        QCOMPARE(QString::fromStdString(comment.name), QStringLiteral("注释"));
        QCOMPARE(comment.styleID, 9);
        QCOMPARE(comment.fgColor, 255);
        QCOMPARE(comment.bgColor, 65280);
        QCOMPARE(comment.fontName, std::string("Fixedsys"));
        QCOMPARE(comment.fontSize, 8);
        QCOMPARE(html.styles[6].fontStyle, 1); // unknown tag
        QCOMPARE(int(html.keywordTexts.size()), 1);
        QCOMPARE(QByteArray::fromStdString(html.keywordTexts[0]).split(' ').size(), 226);
        QVERIFY(html.keywordTexts[0].rfind("!doctype a abbr accept-charset accept ", 0) == 0); // file order
        QVERIFY(html.completionList.rfind("!doctype a abbr accept accept-charset accesskey acronym action ", 0) == 0);
        QVERIFY(QByteArray::fromStdString(html.completionList).endsWith(" vspace width xml xmlns"));
        QCOMPARE(html.wordBreaks, std::string("< / \""));

        const LexerEntry &js = config.lexers[1];
        QCOMPARE(js.name, std::string("javascript"));
        QCOMPARE(int(js.styles.size()), 10);
        QCOMPARE(js.styles[3].styleID, 47);
        QCOMPARE(js.styles[3].fgColor, 16711680);
        QCOMPARE(QByteArray::fromStdString(js.completionList).split(' ').size(), 56);
        QCOMPARE(js.wordBreaks, std::string("; ( ) [ ] { } = == > < !"));

        QVERIFY(config.lexers[2].name.empty()); // never filled
        LexerEntry copy;
        QVERIFY(config.FindLexer("javascript", copy));
        QCOMPARE(copy.completionList, js.completionList);
        LexerEntry untouched;
        untouched.name = "mine";
        QVERIFY(!config.FindLexer("HTML", untouched)); // names are case-sensitive
        QCOMPARE(untouched.name, std::string("mine"));
    }

    void editedKeywordListsAreSortedAndJoined()
    {
        const Files f = writeFiles(
            stylesDoc("<LexerType name=\"html\"><WordsStyle styleID=\"0\"/></LexerType>"),
            langsDoc("<Language><Keywords>zeta alpha mid</Keywords>"
                     "<Keywords>beta  gamma</Keywords><Keywords/></Language>"));
        LexerConfig config;
        config.Load(f.styles, f.langs);
        const LexerEntry &html = config.lexers[0];
        QCOMPARE(int(html.keywordTexts.size()), 3);
        QCOMPARE(html.keywordTexts[0], std::string("zeta alpha mid")); // as written, for the lexer
        // The two spaces make an empty word, which sorts first.
        QCOMPARE(html.completionList, std::string(" alpha beta gamma mid zeta"));
    }

    void incompleteFilesDegradeQuietly()
    {
        // A missing attribute reads as empty, not as the previous element's value.
        Files f = writeFiles(stylesDoc("<LexerType name=\"html\">"
                                       "<WordsStyle styleID=\"3\" fgColor=\"255\" fontName=\"A\"/>"
                                       "<WordsStyle styleID=\"4\"/></LexerType>"
                                       "<LexerType name=\"javascript\"/>"),
                             langsDoc("<Language/>"));
        LexerConfig config;
        config.Load(f.styles, f.langs);
        const WordsStyleEntry &second = config.lexers[0].styles[1];
        QCOMPARE(second.styleID, 4);
        QCOMPARE(second.fgColor, 0);
        QVERIFY(second.fontName.empty());
        QVERIFY(config.lexers[0].keywordTexts.empty());
        QVERIFY(config.lexers[0].completionList.empty());
        QVERIFY(config.lexers[1].styles.empty()); // no all-zero style to apply
        QVERIFY(config.lexers[1].keywordTexts.empty()); // its Language is missing

        // Missing and malformed stylers.xml: nothing is found.
        for (const QByteArray &styles : {QByteArray(), QByteArray("<ZelvoEditor><LexerStyles>"),
                                         QByteArray("\xFF\xFE<")}) {
            f = writeFiles(styles, shipped(ShippedLangsXml()));
            LexerConfig broken;
            QVERIFY(!broken.Load(f.styles, f.langs));
            LexerEntry entry;
            QVERIFY(!broken.FindLexer("html", entry));
        }
        LexerConfig absent;
        QVERIFY(!absent.Load(f.styles + ".absent", f.langs + ".absent"));
        QCOMPARE(int(absent.lexers.size()), 5);
    }

    void onlyFiveLexersAreRead()
    {
        QByteArray types;
        for (int i = 1; i <= 6; ++i)
            types += "<LexerType name=\"l" + QByteArray::number(i) + "\"/>";
        const Files f = writeFiles(stylesDoc(types), langsDoc(""));
        LexerConfig config;
        QVERIFY(config.Load(f.styles, f.langs));
        QCOMPARE(int(config.lexers.size()), 5);
        LexerEntry entry;
        QVERIFY(config.FindLexer("l5", entry));
        QVERIFY(!config.FindLexer("l6", entry));
    }

    void sortWords_data()
    {
        QTest::addColumn<QByteArray>("words");
        QTest::addColumn<QByteArray>("sorted");
        QTest::newRow("prefix first") << QByteArray("accept-charset accept") << QByteArray("accept accept-charset");
        QTest::newRow("punctuation first") << QByteArray("b !doctype a") << QByteArray("!doctype a b");
        QTest::newRow("unsigned bytes") << QByteArray("\xC3\xA9 z") << QByteArray("z \xC3\xA9");
        QTest::newRow("by GBK bytes") << QByteArray("中 啊 z") << QByteArray("z 啊 中");
        QTest::newRow("duplicates kept") << QByteArray("b a b") << QByteArray("a b b");
        QTest::newRow("double space") << QByteArray("b  a") << QByteArray(" a b");
        QTest::newRow("trailing space") << QByteArray("b a ") << QByteArray("a b");
        QTest::newRow("empty") << QByteArray("") << QByteArray("");
    }
    void sortWords()
    {
        QFETCH(QByteArray, words);
        QFETCH(QByteArray, sorted);
        std::string text = words.toStdString();
        LexerConfig::SortWords(text);
        QCOMPARE(QByteArray::fromStdString(text), sorted);
    }

    void wordBreakTokens()
    {
        const WordBreakSet other(LexerConfig::kOtherWordBreaks);
        QVERIFY(other.breaksAt('=') && other.breaksAt(' ') && other.breaksAt(';'));
        QVERIFY(!other.breaksAt('/') && !other.breaksAt('\n'));
    }

    void completionDecision_data()
    {
        QTest::addColumn<QByteArray>("before");
        QTest::addColumn<int>("entered");
        QTest::newRow("tag name") << QByteArray("<d") << 1;
        QTest::newRow("bare <") << QByteArray("<") << 0;
        QTest::newRow("end tag") << QByteArray("</d") << 1;
        QTest::newRow("closed value") << QByteArray("<a href=\"x\" t") << 1;
        QTest::newRow("open value") << QByteArray("<a href=\"t") << 0;
        QTest::newRow("after >") << QByteArray("<p>t") << 0;
        QTest::newRow("after > and space") << QByteArray("<p> tab") << 0;
        QTest::newRow("start of text") << QByteArray("ab") << 2;
        QTest::newRow("space in plain text") << QByteArray("x ab") << 2;
        QTest::newRow("newline does not break") << QByteArray("<a\r\nb") << 4;
        QTest::newRow("= does not break") << QByteArray("<img src=x") << 5;
        QTest::newRow("multi-byte text") << QByteArray("<\xE4\xB8\xAD" "d") << 4;
        QTest::newRow("longer than any word") << QByteArray("<abcdefghijklmnopqrstuvwxyz") << 0;
        QTest::newRow("empty") << QByteArray("") << 0;
    }
    void completionDecision()
    {
        QFETCH(QByteArray, before);
        QFETCH(int, entered);
        QCOMPARE(int(completion(before.constData())), entered);
    }

    void noLimitOnTheWord()
    {
        // The largest limit there is means no limit (it once wrapped round to none at all).
        QCOMPARE(CompletionWordLength("<di", WordBreakSet(LexerConfig::kHtmlWordBreaks), size_t(-1)), size_t(2));
    }

    void longestWord()
    {
        QCOMPARE(LongestWord("a abc ab"), size_t(3));
        QCOMPARE(LongestWord(""), size_t(0));
    }
};

ZELVO_TEST_MAIN(LexerConfigTest)
#include "test_lexerconfig.moc"
