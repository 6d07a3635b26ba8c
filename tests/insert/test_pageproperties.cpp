// Page properties: what is read from a page, the page written from the
// dialog's values, and the dialog on its real widgets.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "insert/PageProperties.h"
#include "insert/PagePropertiesDialog.h"
#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPointer>
#include <memory>

using namespace insert;

namespace {

const QString kHead = QStringLiteral(
    "<HTML><HEAD><TITLE>%1</TITLE>\r\n"
    "<META http-equiv=Content-Type content=\"text/html; charset=gb2312\">\r\n"
    "<META content=\"MSHTML 6.00.2900.6058\"name=GENERATOR>%2</HEAD>\r\n");
const QString kBody = QStringLiteral(
    "<BODY bgcolor=\"%1\" background=\"%2\"><bgsound balance=0 src=\"%3\" volume=0 >%4</BODY></HTML>");

QString page(const QString &title, const QString &colour, const QString &image, const QString &sound,
             const QString &head = QString(), const QString &body = QString())
{
    // A sound plays in today's browsers through an audio element beside it.
    const QString audio = sound.isEmpty() ? QString() : QStringLiteral("<audio src=\"%1\" autoplay loop></audio>").arg(sound);
    return kHead.arg(title, head) + kBody.arg(colour, image, sound, audio + body);
}

template <class T>
T *control(QWidget *dialog, const char *name)
{
    T *found = dialog->findChild<T *>(QString::fromUtf8(name));
    if (!found)
        qFatal("control %s missing", name);
    return found;
}

} // namespace

class PagePropertiesTest : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();

    void readers_data();
    void readers();
    void writtenPage_data();
    void writtenPage();

    void dialogOpensWithWhatThePageSays();
    void browsingFillsTheFields();
    void confirmWritesTheNewPage();
    void cancelWritesNothing();

private:
    QDialog *open()
    {
        return ui::DialogHost::of(m_owner.get())->open(PagePropertiesDialogCaption, [this](QWidget *owner) {
            return new PagePropertiesDialog(
                owner, {[this] { ++m_reads; return m_page; }, [this](const QString &text) { m_written << text; }});
        });
    }

    std::unique_ptr<QWidget> m_owner;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    QString m_page;
    int m_reads = 0;
    QStringList m_written;
};

void PagePropertiesTest::init()
{
    m_prompter = std::make_unique<ScriptedPrompter>();
    m_owner = std::make_unique<QWidget>();
    m_owner->show();
    m_written.clear();
    m_reads = 0;
    m_page = QStringLiteral("<html><head><title>abc</title></head><body background=\"bg.jpg\">"
                            "<bgsound balance=\"0\" src=\"music.mp3\" volume=\"0\"><p>text</p></body></html>");
}

void PagePropertiesTest::cleanup()
{
    m_owner.reset();
    m_prompter.reset();
}

void PagePropertiesTest::readers_data()
{
    QTest::addColumn<QString>("page");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("sound");
    QTest::addColumn<QString>("image");
    QTest::newRow("as the engine writes it")
        << "<html><head><title>abc</title></head><body bgcolor=\"#FFFFFF\" background=\"bg.jpg\">"
           "<bgsound balance=\"0\" src=\"music.mp3\" volume=\"0\"></body></html>"
        << "abc" << "music.mp3" << "bg.jpg";
    QTest::newRow("upper case, as this program writes it")
        << page(QStringLiteral("标题"), QStringLiteral("#FFFFFF"), QStringLiteral("a b.gif"), QStringLiteral("c:\\m.mp3"))
        << "标题" << "c:\\m.mp3" << "a b.gif";
    QTest::newRow("title in mixed case") << "<Html><Head><TiTlE>abc</tItLe></Head></Html>" << "abc" << "" << "";
    QTest::newRow("no title") << "<html><head></head><body></body></html>" << "" << "" << "";
    QTest::newRow("unquoted background is not read")
        << "<html><body background=bg.jpg></body></html>" << "" << "" << "";
    QTest::newRow("background of another element") << "<html><body><table background=\"t.jpg\"></table></body></html>"
                                                   << "" << "" << "";
    QTest::newRow("first of two sounds") << "<body><bgsound src=\"1.mp3\"><bgsound src=\"2.mp3\"></body>"
                                         << "" << "1.mp3" << "";
    QTest::newRow("sound without src") << "<body><bgsound loop=\"-1\"></body><img src=\"x.gif\">" << "" << "" << "";
}

void PagePropertiesTest::readers()
{
    QFETCH(QString, page);
    QFETCH(QString, title);
    QFETCH(QString, sound);
    QFETCH(QString, image);
    const PageProperties read = ReadPageProperties(page);
    QCOMPARE(read.title, title);
    QCOMPARE(read.sound, sound);
    QCOMPARE(read.image, image);
    QCOMPARE(read.background, quint32(0xFFFFFF));
}

void PagePropertiesTest::writtenPage_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<quint32>("colour");
    QTest::addColumn<QString>("previous");
    QTest::addColumn<QString>("written");
    QTest::newRow("all empty") << "" << quint32(0xFFFFFF) << ""
                               << page("", QStringLiteral("#FFFFFF"), "", "");
    QTest::newRow("values as typed") << "a\"b</TITLE>" << quint32(0x0A0B0C) << ""
                                     << page(QStringLiteral("a\"b</TITLE>"), QStringLiteral("#0C0B0A"), "", "");
    QTest::newRow("a blank page adds nothing")
        << "t" << quint32(0xFFFFFF)
        << "<html><head><title>无标题网页</title>\n<meta http-equiv=\"Content-Type\" content=\"text/html; "
           "charset=gb2312\">\n<meta content=\"MSHTML 6.00.2900.6058\" name=\"GENERATOR\"></head>\n<body></body></html>"
        << page("t", QStringLiteral("#FFFFFF"), "", "");
    // What the page held is kept; its old title, declarations and sound give way to the new ones.
    QTest::newRow("content kept")
        << "t" << quint32(0xFFFFFF)
        << "<html><head><title>old</title><meta name=\"generator\" content=\"x\"><style>p{color:red}</style></head>"
           "<body bgcolor=\"#000000\"><bgsound src=\"old.mp3\"><p>work</p><table><tr><td>1</td></tr></table></body></html>"
        << page("t", QStringLiteral("#FFFFFF"), "", "", QStringLiteral("<style>p{color:red}</style>"),
                QStringLiteral("<p>work</p><table><tr><td>1</td></tr></table>"));
}

void PagePropertiesTest::writtenPage()
{
    QFETCH(QString, title);
    QFETCH(quint32, colour);
    QFETCH(QString, previous);
    QFETCH(QString, written);
    PageProperties properties;
    properties.title = title;
    properties.background = colour;
    QCOMPARE(BuildPropertiesPage(properties, previous), written);
}

void PagePropertiesTest::dialogOpensWithWhatThePageSays()
{
    QDialog *dialog = open();
    QCOMPARE(m_reads, 1);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("页面属性"));
    QCOMPARE(dialog->size(), QSize(301, 224));
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_网页标题")->text(), QStringLiteral("abc"));
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_背景音乐")->text(), QStringLiteral("music.mp3"));
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_背景图片")->text(), QStringLiteral("bg.jpg"));
    QCOMPARE(control<ui::ColourPicker>(dialog, "颜色选择器1")->colour(), 0xFFFFFF);
    auto *encoding = control<QComboBox>(dialog, "组合框1");
    QCOMPARE(encoding->count(), 1);
    QCOMPARE(encoding->currentText(), QStringLiteral("GB2312"));
    QCOMPARE(control<QAbstractButton>(dialog, "按钮_浏览1")->text(), QStringLiteral("浏览"));
    QCOMPARE(control<QAbstractButton>(dialog, "按钮_浏览2")->text(), QStringLiteral("浏览"));
}

void PagePropertiesTest::browsingFillsTheFields()
{
    QDialog *dialog = open();
    m_prompter->fileNames << QStringLiteral("/home/u/歌.mp3") << QString() << QStringLiteral("/p/底.png");
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮_浏览1"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_背景音乐")->text(), QStringLiteral("/home/u/歌.mp3"));
    // A cancelled dialog leaves the field as it was.
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮_浏览2"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_背景图片")->text(), QStringLiteral("bg.jpg"));
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮_浏览2"), Qt::LeftButton);
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_背景图片")->text(), QStringLiteral("/p/底.png"));

    QCOMPARE(m_prompter->fileDialogs.size(), 3);
    for (const ShownFileDialog &shown : m_prompter->fileDialogs) {
        QVERIFY(!shown.save);
        QVERIFY(shown.request.proposedName.isEmpty());
    }
    QCOMPARE(m_prompter->fileDialogs.at(0).request.filter, QStringLiteral("MP3文件（*.mp3）|*.mp3"));
    QCOMPARE(m_prompter->fileDialogs.at(1).request.filter,
             QStringLiteral("JPG图片（*.jpg）|*.jpg|GIF图片（*.gif）|*.gif|PNG图片（*.png）|*.png|"
                            "BMP图片（*.bmp）|*.bmp|所有文件（*.*）|*.*"));
}

void PagePropertiesTest::confirmWritesTheNewPage()
{
    QPointer<QDialog> dialog = open();
    control<QLineEdit>(dialog, "编辑框_网页标题")->setText(QStringLiteral("新标题"));
    control<ui::ColourPicker>(dialog, "颜色选择器1")->setColour(0x00FF00);
    // The page changed while the dialog was open: the new page keeps it as it is now.
    m_page.replace(QStringLiteral("<p>text</p>"), QStringLiteral("<p>more text</p>"));
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮_确定"), Qt::LeftButton);
    QCOMPARE(m_written, QStringList{page(QStringLiteral("新标题"), QStringLiteral("#00FF00"), QStringLiteral("bg.jpg"),
                                         QStringLiteral("music.mp3"), QString(),
                                         QStringLiteral("<p>more text</p>"))});
    QTRY_VERIFY(!dialog);
}

void PagePropertiesTest::cancelWritesNothing()
{
    QPointer<QDialog> dialog = open();
    QTest::mouseClick(control<QAbstractButton>(dialog, "按钮_取消"), Qt::LeftButton);
    QTRY_VERIFY(!dialog);
    QVERIFY(m_written.isEmpty());
}

ZELVO_TEST_MAIN(PagePropertiesTest)
#include "test_pageproperties.moc"
