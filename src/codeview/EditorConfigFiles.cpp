#include "codeview/EditorConfigFiles.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace codeview {

namespace {

const char kLangsXml[] =
    "<?xml version=\"1.0\" encoding=\"GB2312\" ?>\r\n"
    "<ZelvoEditor>\r\n"
    "   <!-- The key words of the supported languages, don't touch them! -->\r\n"
    "   <Languages>\r\n"
    "            <Language name=\"html\" ext=\"html htm\" commentLine=\"\" commentStart=\"&lt;!--\" commentEnd=\"--&gt;\">\r\n"
    "            <Keywords name=\"instre1\">!doctype a abbr accept-charset accept accesskey "
    "acronym action address align alink alt applet archive area axis b background balance base "
    "basefont bdo bgcolor bgsound big blockquote body border bordercolor br button caption "
    "cellpadding cellspacing center char charoff charset checkbox checked cite class classid "
    "clear code codebase codetype col colgroup color cols colspan compact content coords css "
    "data datafld dataformatas datapagesize datasrc datetime dd declare defer del dfn dir "
    "disabled div dl dt em embed enctype event face fieldset file font for form frame "
    "frameborder frameset h1 h2 h3 h4 h5 h6 head headers height hidden hr href hreflang hspace "
    "html http-equiv i id iframe image img input ins isindex ismap javascript kbd label lang "
    "language leftmargin legend li link longdesc map marginwidth marginheight marquee "
    "maxlength media menu meta method multiple name noframes nohref noresize noscript noshade "
    "nowrap object ol onblur onchange onclick ondblclick onfocus onkeydown onkeypress onkeyup "
    "onload onmousedown onmousemove onmouseover onmouseout onmouseup optgroup option onreset "
    "onselect onsubmit onunload p param password profile pre prompt public q radio readonly "
    "rel reset rev rows rowspan rules s samp scheme scope script scrolling select selected "
    "shape size small span src standby start strike strong style sub submit summary sup "
    "tabindex table target tbody td text textarea tfoot th thead title topmargin tr tt type u "
    "ul usemap valign value valuetype var version vlink vspace volume width xml "
    "xmlns</Keywords>\r\n"
    "        </Language>\r\n"
    "\r\n"
    "\t\t<Language name=\"javascript\" ext=\"js\" commentLine=\"//\" commentStart=\"/*\" commentEnd=\"*/\">\r\n"
    "        <Keywords name=\"instre1\">abstract boolean break byte case catch char class const "
    "continue debugger default delete do double else enum export extends final finally float "
    "for function goto if implements import in instanceof int interface long native new "
    "package private protected public return short static super switch synchronized this throw "
    "throws transient try typeof var void volatile while with</Keywords>\r\n"
    "        </Language>\r\n"
    "\r\n"
    "    </Languages>\r\n"
    "</ZelvoEditor>\r\n";

const char kStylersXml[] =
    "<?xml version=\"1.0\" encoding=\"gb2312\"?>\r\n"
    "<ZelvoEditor>\r\n"
    "\t<LexerStyles>\r\n"
    "\t\t\r\n"
    "\t\t\r\n"
    "\t\t\r\n"
    "\t\t<LexerType name=\"html\" desc=\"HTML\" ext=\"\">\r\n"
    "\t\t\t<WordsStyle name=\"\xC4\xAC\xC8\xCF\" styleID=\"0\" fgColor=\"0\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 默认
    "\t\t\t<WordsStyle name=\"\xD7\xA2\xCA\xCD\" styleID=\"9\" fgColor=\"255\" bgColor=\"65280\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 注释
    "\t\t\t<WordsStyle name=\"\xCA\xFD\xD7\xD6\" styleID=\"5\" fgColor=\"255\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 数字
    "\t\t\t<WordsStyle name=\"\xCB\xAB\xD2\xFD\xBA\xC5\xD7\xD6\xB7\xFB\xB4\xAE\" styleID=\"6\" fgColor=\"16711935\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 双引号字符串
    "\t\t\t<WordsStyle name=\"\xB5\xA5\xD2\xFD\xBA\xC5\xD7\xD6\xB7\xFB\xB4\xAE\" styleID=\"7\" fgColor=\"16711935\" bgColor=\"8421504\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 单引号字符串
    "\t\t\t<WordsStyle name=\"\xB1\xEA\xC7\xA9\" styleID=\"1\" fgColor=\"16711680\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 标签
    "\t\t\t<WordsStyle name=\"\xCE\xB4\xD6\xAA\xB1\xEA\xC7\xA9\" styleID=\"2\" fgColor=\"16711680\" bgColor=\"8421504\" fontName=\"Fixedsys\" fontStyle=\"1\" fontSize=\"8\"/>\r\n"  // name: 未知标签
    "\t\t\t<WordsStyle name=\"\xCA\xF4\xD0\xD4\" styleID=\"3\" fgColor=\"255\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 属性
    "\t\t\t<WordsStyle name=\"\xCE\xB4\xD6\xAA\xCA\xF4\xD0\xD4\" styleID=\"4\" fgColor=\"255\" bgColor=\"8421504\" fontName=\"Fixedsys\" fontStyle=\"1\" fontSize=\"8\"/>\r\n"  // name: 未知属性
    "\t\t\t<WordsStyle name=\"\xD6\xB5\" styleID=\"19\" fgColor=\"8388736\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 值
    "\t\t</LexerType>\r\n"
    "\t\t<LexerType name=\"javascript\" desc=\"Javascript\" ext=\"\">\r\n"
    "\t\t\t<WordsStyle name=\"\xC4\xAC\xC8\xCF\" styleID=\"41\" fgColor=\"0\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 默认
    "\t\t\t<WordsStyle name=\"\xCA\xFD\xD7\xD6\" styleID=\"45\" fgColor=\"33023\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 数字
    "\t\t\t<WordsStyle name=\"\xC6\xE4\xCB\xFC\xD7\xD6\xB7\xFB\" styleID=\"46\" fgColor=\"6316128\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 其它字符
    "\t\t\t<WordsStyle name=\"\xB9\xD8\xBC\xFC\xD7\xD6\" styleID=\"47\" fgColor=\"16711680\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\" keywordClass=\"instre1\"/>\r\n"  // name: 关键字
    "\t\t\t<WordsStyle name=\"\xCB\xAB\xD2\xFD\xBA\xC5\xD7\xD6\xB7\xFB\xB4\xAE\" styleID=\"48\" fgColor=\"8421504\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 双引号字符串
    "\t\t\t<WordsStyle name=\"\xB5\xA5\xD2\xFD\xBA\xC5\xD7\xD6\xB7\xFB\xB4\xAE\" styleID=\"49\" fgColor=\"8421504\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 单引号字符串
    "\t\t\t<WordsStyle name=\"\xD5\xFD\xD4\xF2\xC6\xA5\xC5\xE4\" styleID=\"52\" fgColor=\"255\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 正则匹配
    "\t\t\t<WordsStyle name=\"\xD7\xA2\xCA\xCD\" styleID=\"42\" fgColor=\"32768\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 注释
    "\t\t\t<WordsStyle name=\"\xD0\xD0\xD7\xA2\xCA\xCD\" styleID=\"43\" fgColor=\"32768\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 行注释
    "\t\t\t<WordsStyle name=\"\xCE\xC4\xB5\xB5\xD7\xA2\xCA\xCD\" styleID=\"44\" fgColor=\"32768\" bgColor=\"16777215\" fontName=\"Fixedsys\" fontStyle=\"0\" fontSize=\"8\"/>\r\n"  // name: 文档注释
    "\t\t</LexerType>\r\n"
    "\t</LexerStyles>\r\n"
    "\t<GlobalStyles>\r\n"
    "\t\t<WidgetStyle name=\"Style Default\" styleID=\"32\" fgColor=\"000000\" bgColor=\"FFFFFF\" fontName=\"Courier New\" fontStyle=\"0\" fontSize=\"10\"/>\r\n"
    "\t\t<WidgetStyle name=\"Indent guideline style\" styleID=\"37\" fgColor=\"C0C0C0\" bgColor=\"FFFFFF\" fontName=\"\" fontStyle=\"0\" fontSize=\"\"/>\r\n"
    "\t\t<WidgetStyle name=\"Brace highlight style\" styleID=\"34\" fgColor=\"FF0000\" bgColor=\"FFFFFF\" fontName=\"\" fontStyle=\"1\" fontSize=\"12\"/>\r\n"
    "\t\t<WidgetStyle name=\"Bad brace colour\" styleID=\"35\" fgColor=\"800000\" bgColor=\"FFFFFF\" fontName=\"\" fontStyle=\"0\" fontSize=\"\"/>\r\n"
    "\t\t<WidgetStyle name=\"Current line background colour\" styleID=\"0\" bgColor=\"E8E8FF\"/>\r\n"
    "\t\t<WidgetStyle name=\"Mark colour\" styleID=\"0\" fgColor=\"C00000\" bgColor=\"FFFF00\"/>\r\n"
    "\t\t<WidgetStyle name=\"Selected text colour\" styleID=\"0\" bgColor=\"C0C0C0\"/>\r\n"
    "\t\t<WidgetStyle name=\"Caret colour\" styleID=\"2069\" fgColor=\"8000FF\"/>\r\n"
    "\t\t<WidgetStyle name=\"Find Mark Style\" styleID=\"31\" fgColor=\"FFFF00\" bgColor=\"FF0000\" fontName=\"\" fontStyle=\"1\" fontSize=\"\"/>\r\n"
    "\t\t<WidgetStyle name=\"Edge colour\" styleID=\"0\" fgColor=\"80FFFF\"/>\r\n"
    "\t</GlobalStyles>\r\n"
    "</ZelvoEditor>";

bool writeAll(int fd, const char *data, size_t size)
{
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        data += n;
        size -= size_t(n);
    }
    return true;
}

} // namespace

std::string_view ShippedLangsXml()
{
    return std::string_view(kLangsXml, sizeof kLangsXml - 1);
}

std::string_view ShippedStylersXml()
{
    return std::string_view(kStylersXml, sizeof kStylersXml - 1);
}

QString EditorConfigPath(const char *fileName)
{
    // QDir::tempPath() is empty when $TMPDIR names a directory that does not
    // exist, which would put the files in the root directory. Keep the named
    // directory instead: creating and reading there then simply fails.
    QString dir = QDir::tempPath();
    if (dir.isEmpty()) {
        dir = QDir::cleanPath(qEnvironmentVariable("TMPDIR"));
        if (dir.isEmpty())
            dir = QStringLiteral("/tmp");
    }
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir + QLatin1String(fileName);
}

bool WriteFileIfMissing(const QString &path, std::string_view content)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::lstat(native.constData(), &st) == 0)
        return true; // something of that name is there already: leave it

    // O_EXCL refuses any existing name, symbolic links included, so a link
    // planted between the test and the creation is not followed either.
    const int fd = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0644);
    if (fd < 0)
        return errno == EEXIST;
    bool ok = writeAll(fd, content.data(), content.size());
    if (::close(fd) != 0)
        ok = false;
    if (!ok)
        ::unlink(native.constData());
    return ok;
}

bool WriteEditorConfigFiles()
{
    const bool langs = WriteFileIfMissing(EditorConfigPath(kLangsFileName), ShippedLangsXml());
    const bool stylers = WriteFileIfMissing(EditorConfigPath(kStylersFileName), ShippedStylersXml());
    return langs && stylers;
}

} // namespace codeview
