// The two configuration files written into the temporary-files directory.
#include "TestSupport.h"
#include "CodeviewTestData.h"
#include "codeview/EditorConfigFiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QStringList>

#include <unistd.h>

using namespace codeview;
using cvtest::readFile;
using cvtest::toGbk;
using cvtest::writeFile;

namespace {

const char kHtmlWords[] =
    "!doctype a abbr accept-charset accept accesskey acronym action address align alink alt applet "
    "archive area axis b background balance base basefont bdo bgcolor bgsound big blockquote body "
    "border bordercolor br button caption cellpadding cellspacing center char charoff charset checkbox "
    "checked cite class classid clear code codebase codetype col colgroup color cols colspan compact "
    "content coords css data datafld dataformatas datapagesize datasrc datetime dd declare defer del "
    "dfn dir disabled div dl dt em embed enctype event face fieldset file font for form frame "
    "frameborder frameset h1 h2 h3 h4 h5 h6 head headers height hidden hr href hreflang hspace html "
    "http-equiv i id iframe image img input ins isindex ismap javascript kbd label lang language "
    "leftmargin legend li link longdesc map marginwidth marginheight marquee maxlength media menu meta "
    "method multiple name noframes nohref noresize noscript noshade nowrap object ol onblur onchange "
    "onclick ondblclick onfocus onkeydown onkeypress onkeyup onload onmousedown onmousemove "
    "onmouseover onmouseout onmouseup optgroup option onreset onselect onsubmit onunload p param "
    "password profile pre prompt public q radio readonly rel reset rev rows rowspan rules s samp "
    "scheme scope script scrolling select selected shape size small span src standby start strike "
    "strong style sub submit summary sup tabindex table target tbody td text textarea tfoot th thead "
    "title topmargin tr tt type u ul usemap valign value valuetype var version vlink vspace volume "
    "width xml xmlns";
const char kJsWords[] =
    "abstract boolean break byte case catch char class const continue debugger default delete do "
    "double else enum export extends final finally float for function goto if implements import in "
    "instanceof int interface long native new package private protected public return short static "
    "super switch synchronized this throw throws transient try typeof var void volatile while with";

QString wordsStyle(const QString &name, int id, long fg, long bg, int fontStyle, const QString &extra = {})
{
    return QStringLiteral("\t\t\t<WordsStyle name=\"%1\" styleID=\"%2\" fgColor=\"%3\" bgColor=\"%4\" "
                          "fontName=\"Fixedsys\" fontStyle=\"%5\" fontSize=\"8\"%6/>")
        .arg(name).arg(id).arg(fg).arg(bg).arg(fontStyle).arg(extra);
}

// The expected documents, rebuilt line by line from the format description.
QByteArray expectedLangs()
{
    const QStringList lines = {
        QStringLiteral("<?xml version=\"1.0\" encoding=\"GB2312\" ?>"),
        QStringLiteral("<ZelvoEditor>"),
        QStringLiteral("   <!-- The key words of the supported languages, don't touch them! -->"),
        QStringLiteral("   <Languages>"),
        QString(12, ' ') + "<Language name=\"html\" ext=\"html htm\" commentLine=\"\" commentStart=\"&lt;!--\" commentEnd=\"--&gt;\">",
        QString(12, ' ') + "<Keywords name=\"instre1\">" + kHtmlWords + "</Keywords>",
        QString(8, ' ') + "</Language>",
        QString(),
        "\t\t<Language name=\"javascript\" ext=\"js\" commentLine=\"//\" commentStart=\"/*\" commentEnd=\"*/\">",
        QString(8, ' ') + "<Keywords name=\"instre1\">" + kJsWords + "</Keywords>",
        QString(8, ' ') + "</Language>",
        QString(),
        QStringLiteral("    </Languages>"),
        QStringLiteral("</ZelvoEditor>"),
    };
    return toGbk(lines.join("\r\n") + "\r\n");
}

QByteArray expectedStylers()
{
    QStringList lines = {
        QStringLiteral("<?xml version=\"1.0\" encoding=\"gb2312\"?>"), QStringLiteral("<ZelvoEditor>"),
        QStringLiteral("\t<LexerStyles>"), QStringLiteral("\t\t"), QStringLiteral("\t\t"), QStringLiteral("\t\t"),
        QStringLiteral("\t\t<LexerType name=\"html\" desc=\"HTML\" ext=\"\">"),
        wordsStyle("默认", 0, 0, 16777215, 0), wordsStyle("注释", 9, 255, 65280, 0),
        wordsStyle("数字", 5, 255, 16777215, 0), wordsStyle("双引号字符串", 6, 16711935, 16777215, 0),
        wordsStyle("单引号字符串", 7, 16711935, 8421504, 0), wordsStyle("标签", 1, 16711680, 16777215, 0),
        wordsStyle("未知标签", 2, 16711680, 8421504, 1), wordsStyle("属性", 3, 255, 16777215, 0),
        wordsStyle("未知属性", 4, 255, 8421504, 1), wordsStyle("值", 19, 8388736, 16777215, 0),
        QStringLiteral("\t\t</LexerType>"),
        QStringLiteral("\t\t<LexerType name=\"javascript\" desc=\"Javascript\" ext=\"\">"),
        wordsStyle("默认", 41, 0, 16777215, 0), wordsStyle("数字", 45, 33023, 16777215, 0),
        wordsStyle("其它字符", 46, 6316128, 16777215, 0),
        wordsStyle("关键字", 47, 16711680, 16777215, 0, " keywordClass=\"instre1\""),
        wordsStyle("双引号字符串", 48, 8421504, 16777215, 0), wordsStyle("单引号字符串", 49, 8421504, 16777215, 0),
        wordsStyle("正则匹配", 52, 255, 16777215, 0), wordsStyle("注释", 42, 32768, 16777215, 0),
        wordsStyle("行注释", 43, 32768, 16777215, 0), wordsStyle("文档注释", 44, 32768, 16777215, 0),
        QStringLiteral("\t\t</LexerType>"), QStringLiteral("\t</LexerStyles>"), QStringLiteral("\t<GlobalStyles>"),
        "\t\t<WidgetStyle name=\"Style Default\" styleID=\"32\" fgColor=\"000000\" bgColor=\"FFFFFF\" fontName=\"Courier New\" fontStyle=\"0\" fontSize=\"10\"/>",
        "\t\t<WidgetStyle name=\"Indent guideline style\" styleID=\"37\" fgColor=\"C0C0C0\" bgColor=\"FFFFFF\" fontName=\"\" fontStyle=\"0\" fontSize=\"\"/>",
        "\t\t<WidgetStyle name=\"Brace highlight style\" styleID=\"34\" fgColor=\"FF0000\" bgColor=\"FFFFFF\" fontName=\"\" fontStyle=\"1\" fontSize=\"12\"/>",
        "\t\t<WidgetStyle name=\"Bad brace colour\" styleID=\"35\" fgColor=\"800000\" bgColor=\"FFFFFF\" fontName=\"\" fontStyle=\"0\" fontSize=\"\"/>",
        "\t\t<WidgetStyle name=\"Current line background colour\" styleID=\"0\" bgColor=\"E8E8FF\"/>",
        "\t\t<WidgetStyle name=\"Mark colour\" styleID=\"0\" fgColor=\"C00000\" bgColor=\"FFFF00\"/>",
        "\t\t<WidgetStyle name=\"Selected text colour\" styleID=\"0\" bgColor=\"C0C0C0\"/>",
        "\t\t<WidgetStyle name=\"Caret colour\" styleID=\"2069\" fgColor=\"8000FF\"/>",
        "\t\t<WidgetStyle name=\"Find Mark Style\" styleID=\"31\" fgColor=\"FFFF00\" bgColor=\"FF0000\" fontName=\"\" fontStyle=\"1\" fontSize=\"\"/>",
        "\t\t<WidgetStyle name=\"Edge colour\" styleID=\"0\" fgColor=\"80FFFF\"/>",
        QStringLiteral("\t</GlobalStyles>"), QStringLiteral("</ZelvoEditor>"),
    };
    return toGbk(lines.join("\r\n"));
}

} // namespace

class ConfigFilesTest : public QObject
{
    Q_OBJECT

    QString dir_;
    QString langs() const { return dir_ + "/langs.xml"; }
    QString stylers() const { return dir_ + "/stylers.xml"; }

private slots:
    void init()
    {
        dir_ = testsupport::freshTempDir();
        qputenv("TMPDIR", QFile::encodeName(dir_));
    }

    void pathsFollowTmpdir()
    {
        QCOMPARE(EditorConfigPath(kLangsFileName), langs());
        QCOMPARE(EditorConfigPath(kStylersFileName), stylers());
    }

    void firstStartWritesShippedBytes()
    {
        QVERIFY(WriteEditorConfigFiles());
        const QByteArray l = readFile(langs());
        const QByteArray s = readFile(stylers());
        QCOMPARE(l, expectedLangs());
        QCOMPARE(s, expectedStylers());

        // Form checks independent of the rebuilt documents.
        QVERIFY(l.endsWith("</ZelvoEditor>\r\n"));
        QVERIFY(s.endsWith("</ZelvoEditor>"));
        QCOMPARE(l.count("\r\n"), 14);
        QCOMPARE(s.count("\r\n"), 43);
        QCOMPARE(l.count('\n'), l.count("\r\n"));
        QCOMPARE(s.count('\n'), s.count("\r\n"));
        QVERIFY(!l.contains('\0') && !s.contains('\0'));
        QVERIFY(s.contains("name=\"\xC4\xAC\xC8\xCF\"")); // "默认" in GBK
        QCOMPARE(QByteArray(kHtmlWords).split(' ').size(), 226);
        QCOMPARE(QByteArray(kJsWords).split(' ').size(), 56);
    }

    void secondStartTouchesNothing()
    {
        QVERIFY(WriteEditorConfigFiles());
        // The user edits langs.xml; both files get an old time stamp.
        const QByteArray edited = "<ZelvoEditor>edited</ZelvoEditor>";
        QVERIFY(writeFile(langs(), edited));
        const QDateTime old = QDateTime::currentDateTime().addDays(-3);
        for (const QString &path : {langs(), stylers()}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::ReadWrite));
            QVERIFY(f.setFileTime(old, QFileDevice::FileModificationTime));
        }
        const QDateTime langsTime = QFileInfo(langs()).lastModified();
        const QDateTime stylersTime = QFileInfo(stylers()).lastModified();

        QVERIFY(WriteEditorConfigFiles());
        QCOMPARE(readFile(langs()), edited);
        QCOMPARE(readFile(stylers()), expectedStylers());
        QCOMPARE(QFileInfo(langs()).lastModified(), langsTime);
        QCOMPARE(QFileInfo(stylers()).lastModified(), stylersTime);
    }

    void onlyTheMissingFileIsRecreated()
    {
        QVERIFY(WriteEditorConfigFiles());
        QVERIFY(writeFile(langs(), "edited"));
        QVERIFY(QFile::remove(stylers()));
        QVERIFY(WriteEditorConfigFiles());
        QCOMPARE(readFile(langs()), QByteArray("edited"));
        QCOMPARE(readFile(stylers()), expectedStylers());
    }

    void emptyExistingFileIsKept()
    {
        QVERIFY(writeFile(stylers(), QByteArray()));
        QVERIFY(WriteEditorConfigFiles());
        QCOMPARE(QFileInfo(stylers()).size(), 0);
        QCOMPARE(readFile(langs()), expectedLangs());
    }

    void symbolicLinksAreNeverFollowed()
    {
        // A dangling link: its target must not come into being.
        const QString target = dir_ + "/elsewhere.xml";
        QVERIFY(QFile::link(target, langs()));
        // A link to an existing file: the file must stay as it is.
        const QString victim = dir_ + "/victim.txt";
        QVERIFY(writeFile(victim, "precious"));
        QVERIFY(QFile::link(victim, stylers()));

        WriteEditorConfigFiles();
        QVERIFY(!QFileInfo::exists(target));
        QVERIFY(QFileInfo(langs()).isSymLink());
        QCOMPARE(readFile(victim), QByteArray("precious"));
        QVERIFY(QFileInfo(stylers()).isSymLink());
    }

    void unwritableDirectoryIsReportedQuietly()
    {
        const QString missing = dir_ + "/no/such/dir";
        qputenv("TMPDIR", QFile::encodeName(missing));
        QVERIFY(EditorConfigPath(kLangsFileName).startsWith(missing + "/"));
        QVERIFY(!WriteEditorConfigFiles());
        QVERIFY(!QFileInfo::exists(missing));
    }
};

ZELVO_TEST_MAIN(ConfigFilesTest)
#include "test_configfiles.moc"
