// The media, script, frame and scrolling-text builders byte for byte, and
// their messages.
#include "TestSupport.h"
#include "insert/Frames.h"
#include "insert/Marquee.h"
#include "insert/Media.h"
#include "insert/Scripts.h"

using namespace insert;
using Action = BuildResult::Action;

Q_DECLARE_METATYPE(insert::BuildResult::Action)

class MediaFragmentsTest : public QObject {
    Q_OBJECT
private slots:
    void media_data();
    void media();
    void scripts();
    void frame_data();
    void frame();
    void marquee_data();
    void marquee();
};

void MediaFragmentsTest::media_data()
{
    QTest::addColumn<bool>("flash");
    QTest::addColumn<QString>("path");
    QTest::addColumn<Action>("action");
    QTest::addColumn<QString>("text"); // fragment or message
    QTest::newRow("flash with spaces") << true << "C:/my movies/片 头.swf" << Action::Insert
                                       << "<EMBED align=left src=\"C:/my movies/片 头.swf\" width=237 height=200>";
    QTest::newRow("wmv") << false << "http://a.cn/v.wmv" << Action::Insert
                         << "<EMBED align=left src=\"http://a.cn/v.wmv\" width=237 height=200>";
    QTest::newRow("empty flash: message, then close") << true << "" << Action::RefuseAndClose
                                                      << "请输入FLASH视频地址！";
    QTest::newRow("empty wmv: message, then close") << false << "" << Action::RefuseAndClose
                                                    << "请输入WMV视频地址！";
    QTest::newRow("a blank is a path") << false << " " << Action::Insert
                                       << "<EMBED align=left src=\" \" width=237 height=200>";
}

void MediaFragmentsTest::media()
{
    QFETCH(bool, flash);
    QFETCH(QString, path);
    QFETCH(Action, action);
    QFETCH(QString, text);
    const BuildResult result = BuildMedia(flash ? MediaKind::Flash : MediaKind::Wmv, path);
    QCOMPARE(result.action(), action);
    QCOMPARE(action == Action::Insert ? result.fragment() : result.message(), text);
}

void MediaFragmentsTest::scripts()
{
    const struct {
        bool reference;
        const char *input;
        Action action;
        const char *text;
    } cases[] = {
        {false, "alert('你好');", Action::Insert, "alert('你好');"},
        {false, "<script>\r\nvar a = 1;\r\n</script>", Action::Insert, "<script>\r\nvar a = 1;\r\n</script>"},
        {false, "", Action::Refuse, "请输入欲插入的Java脚本的内容！"},
        {true, "js/my lib.js", Action::Insert, "<script src=\"js/my lib.js\" type=\"text/javascript\"></script>"},
        {true, "", Action::Refuse, "请输入欲调用的Java脚本的路径！"},
    };
    for (const auto &c : cases) {
        const QString input = QString::fromUtf8(c.input);
        const BuildResult result = c.reference ? BuildScriptReference(input) : BuildScriptText(input);
        QCOMPARE(result.action(), c.action);
        QCOMPARE(c.action == Action::Insert ? result.fragment() : result.message(), QString::fromUtf8(c.text));
    }
}

void MediaFragmentsTest::frame_data()
{
    QTest::addColumn<int>("change");
    QTest::addColumn<QString>("fragment");
    // No blank between the height's closing quote and scrolling.
    QTest::newRow("defaults") << 0 << "<iframe align=\"left\" height=\"300\"scrolling=\"no\" src=\"http://\" width=\"400\"></iframe>";
    QTest::newRow("scroll bars, 居中") << 1
        << "<iframe align=\"center\" height=\"300\"scrolling=\"yes\" src=\"http://\" width=\"400\"></iframe>";
    QTest::newRow("右对齐, values as typed") << 2
        << "<iframe align=\"right\" height=\"\"scrolling=\"no\" src=\"a b.htm\" width=\"50%\"></iframe>";
    QTest::newRow("any other index: right") << 3
        << "<iframe align=\"right\" height=\"300\"scrolling=\"no\" src=\"http://\" width=\"400\"></iframe>";
}

void MediaFragmentsTest::frame()
{
    QFETCH(int, change);
    QFETCH(QString, fragment);
    FrameFields fields;
    switch (change) {
    case 1: fields.scrolling = true; fields.alignIndex = 1; break;
    case 2:
        fields.alignIndex = 2;
        fields.height.clear();
        fields.source = QStringLiteral("a b.htm");
        fields.width = QStringLiteral("50%");
        break;
    case 3: fields.alignIndex = 9; break;
    }
    QCOMPARE(BuildFrame(fields), fragment);
}

void MediaFragmentsTest::marquee_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<bool>("backAndForth");
    QTest::addColumn<QString>("result"); // fragment, or the message
    const QString empty = MarqueeEmptyMessage;
    QTest::newRow("bold text, one way") << "<html><head></head><body>滚动<b>粗体</b></body></html>" << false
                                        << "<p><marquee>滚动<b>粗体</b></marquee></p>";
    QTest::newRow("来回滚动") << "<html><head></head><body><font color=\"#ff0000\">字幕</font></body></html>" << true
                          << "<p><marquee behavior=alternate><font color=\"#ff0000\">字幕</font></marquee></p>";
    QTest::newRow("markers in upper case") << "<HTML><BODY>a<IMG src=\"x.gif\"></BODY></HTML>" << false
                                           << "<p><marquee>a<IMG src=\"x.gif\"></marquee></p>";
    QTest::newRow("first end marker after the start") << "<body>a</body>b</body>" << false
                                                      << "<p><marquee>a</marquee></p>";
    QTest::newRow("empty body") << "<html><head></head><body></body></html>" << false << empty;
    QTest::newRow("body with attributes") << "<html><body style=\"x\">text</body></html>" << true << empty;
    QTest::newRow("no page") << "" << false << empty;
}

void MediaFragmentsTest::marquee()
{
    QFETCH(QString, page);
    QFETCH(bool, backAndForth);
    QFETCH(QString, result);
    const BuildResult built = BuildMarquee(page, backAndForth);
    if (result == MarqueeEmptyMessage) {
        QCOMPARE(built.action(), Action::Refuse);
        QCOMPARE(built.message(), result);
    } else {
        QVERIFY(built.isInsert());
        QCOMPARE(built.fragment(), result);
    }
}

ZELVO_TEST_MAIN(MediaFragmentsTest)
#include "test_media_fragments.moc"
