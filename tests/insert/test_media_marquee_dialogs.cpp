// The dialogs "多媒体视频", "JavaScript", "插入网页框架" and "插入滚动字幕"
// on their real widgets, each inserting into a real page; the scrolling
// text dialog with its own editing view, its toolbar and its image dialog.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "commands/PictureButton.h"
#include "engine/EngineView.h"
#include "insert/FrameDialog.h"
#include "insert/ImageDialog.h"
#include "insert/MarqueeDialog.h"
#include "insert/MediaDialog.h"
#include "insert/ScriptDialog.h"
#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPointer>
#include <QRadioButton>
#include <QTabWidget>
#include <memory>

using engine::EngineView;
using namespace insert;

namespace {

const QString Page = QStringLiteral("<html><head><title>t</title></head><body><p>ab</p></body></html>");

template <class T>
T *control(QWidget *dialog, const char *name)
{
    T *found = dialog->findChild<T *>(QString::fromUtf8(name));
    if (!found)
        qFatal("control %s missing", name);
    return found;
}

void click(QWidget *dialog, const char *name)
{
    QTest::mouseClick(control<QAbstractButton>(dialog, name), Qt::LeftButton);
}

void clickPicture(QWidget *dialog, const char *name)
{
    auto *button = control<commands::PictureButton>(dialog, name);
    QTest::mouseClick(button, Qt::LeftButton, {}, button->rect().center());
}

} // namespace

class MediaMarqueeDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void mediaOpensOnItsPage();
    void mediaFileChoiceAndEmptyPath();
    void mediaGoesIntoThePage();
    void scriptPages();
    void frameGoesIntoThePage();
    void marqueeDialogHasItsOwnEditableView();
    void marqueeWithBoldTextGoesIntoThePage();
    void marqueeBackAndForthAndFormatting();
    void marqueeEmptyKeepsTheDialog();
    void marqueeImageButton();

private:
    QString body() { return m_view->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }
    MarqueeDialog *openMarquee()
    {
        return static_cast<MarqueeDialog *>(OpenMarqueeDialog(m_owner.get(), m_view));
    }
    // Types into the marquee's view and selects what was typed.
    void typeAndSelect(MarqueeDialog *dialog, const QString &text)
    {
        EngineView *view = dialog->editingView();
        QTest::mouseClick(view->inputWidget(), Qt::LeftButton, {}, QPoint(40, 20));
        QTest::keyClicks(view->inputWidget(), text);
        QTRY_COMPARE(view->evaluate(QStringLiteral("document.body.textContent;")).toString(), text);
        QVERIFY(view->evaluate(QStringLiteral("getSelection().selectAllChildren(document.body); true;")).toBool());
    }

    EngineView *m_view = nullptr;
    std::unique_ptr<QWidget> m_owner;
    std::unique_ptr<ScriptedPrompter> m_prompter;
};

void MediaMarqueeDialogsTest::initTestCase()
{
    m_owner = std::make_unique<QWidget>();
    m_owner->resize(800, 600);
    m_view = new EngineView(m_owner.get());
    m_view->resize(800, 600);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    QVERIFY(m_view->Navigate(QStringLiteral("about:blank")));
    QVERIFY(m_view->SetEditMode(true));
}

void MediaMarqueeDialogsTest::cleanupTestCase()
{
    m_owner.reset();
}

void MediaMarqueeDialogsTest::init()
{
    m_prompter = std::make_unique<ScriptedPrompter>();
    QVERIFY(m_view->WriteDocument(Page));
    QVERIFY(m_view->evaluate(QStringLiteral("getSelection().collapse(document.querySelector('p').firstChild, 1); true;"))
                .toBool());
}

void MediaMarqueeDialogsTest::cleanup()
{
    for (QDialog *open : m_owner->findChildren<QDialog *>(QString(), Qt::FindDirectChildrenOnly))
        delete open;
    m_prompter.reset();
}

void MediaMarqueeDialogsTest::mediaOpensOnItsPage()
{
    QDialog *dialog = OpenMediaDialog(m_owner.get(), m_view, MediaKind::Wmv);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("多媒体视频"));
    QCOMPARE(dialog->size(), QSize(355, 190));
    QCOMPARE(dialog->windowModality(), Qt::NonModal);
    auto *pages = control<QTabWidget>(dialog, "选择夹1");
    QCOMPARE(pages->count(), 2);
    QCOMPARE(pages->tabText(0), QStringLiteral("swf视频"));
    QCOMPARE(pages->tabText(1), QStringLiteral("wmv视频"));
    QCOMPARE(pages->currentIndex(), 1);
    QCOMPARE(OpenMediaDialog(m_owner.get(), m_view, MediaKind::Flash), dialog);
    QCOMPARE(pages->currentIndex(), 0);
    for (const char *name : {"编辑框1", "按钮3", "按钮1", "按钮2", "编辑框2", "按钮4", "按钮5", "按钮6"})
        QVERIFY2(dialog->findChild<QWidget *>(QString::fromUtf8(name)), name);
}

void MediaMarqueeDialogsTest::mediaFileChoiceAndEmptyPath()
{
    const struct {
        MediaKind kind;
        const char *field, *browse, *confirm, *message;
        QString filter;
    } pages[] = {{MediaKind::Flash, "编辑框1", "按钮3", "按钮1", "请输入FLASH视频地址！", FlashFileFilter},
                 {MediaKind::Wmv, "编辑框2", "按钮4", "按钮5", "请输入WMV视频地址！", WmvFileFilter}};
    for (const auto &p : pages) {
        m_prompter->fileDialogs.clear();
        QPointer<QDialog> dialog = OpenMediaDialog(m_owner.get(), m_view, p.kind);
        auto *path = control<QLineEdit>(dialog, p.field);
        path->setText(QStringLiteral("kept"));
        click(dialog, p.browse); // cancelled
        QCOMPARE(path->text(), QStringLiteral("kept"));
        m_prompter->fileNames.enqueue(QStringLiteral("/v/a b.x"));
        click(dialog, p.browse);
        QCOMPARE(path->text(), QStringLiteral("/v/a b.x"));
        QCOMPARE(m_prompter->fileDialogs[0].request.filter, p.filter);

        // An empty path: the message, and the dialog closes all the same.
        path->clear();
        click(dialog, p.confirm);
        QCOMPARE(m_prompter->messages.last().caption, QStringLiteral("信息："));
        QCOMPARE(m_prompter->messages.last().text, QString::fromUtf8(p.message));
        QTRY_VERIFY(!dialog);
    }
    QCOMPARE(body(), QStringLiteral("<p>ab</p>"));
}

void MediaMarqueeDialogsTest::mediaGoesIntoThePage()
{
    QPointer<QDialog> dialog = OpenMediaDialog(m_owner.get(), m_view, MediaKind::Wmv);
    control<QLineEdit>(dialog, "编辑框2")->setText(QStringLiteral("my movies/v 1.wmv"));
    click(dialog, "按钮5");
    QTRY_VERIFY(!dialog);
    QCOMPARE(body(), QStringLiteral("<p>a<embed align=\"left\" src=\"my movies/v 1.wmv\" width=\"237\" height=\"200\">b</p>"));
}

void MediaMarqueeDialogsTest::scriptPages()
{
    QPointer<QDialog> dialog = OpenScriptDialog(m_owner.get(), m_view);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("JavaScript"));
    QCOMPARE(dialog->size(), QSize(372, 286));
    auto *pages = control<QTabWidget>(dialog, "选择夹1");
    QCOMPARE(pages->tabText(0), QStringLiteral("插入脚本"));
    QCOMPARE(pages->tabText(1), QStringLiteral("引用脚本"));

    // Script text: required, then inserted exactly as typed.
    click(dialog, "按钮1");
    QCOMPARE(m_prompter->messages.last().text, QStringLiteral("请输入欲插入的Java脚本的内容！"));
    QVERIFY(dialog && dialog->isVisible());
    control<QPlainTextEdit>(dialog, "编辑框1")->setPlainText(QStringLiteral("纯文本 <i>x</i>"));
    click(dialog, "按钮1");
    QTRY_VERIFY(!dialog);
    QCOMPARE(body(), QStringLiteral("<p>a纯文本 <i>x</i>b</p>"));

    // Script reference: the file choice, the check, the script element.
    dialog = OpenScriptDialog(m_owner.get(), m_view);
    control<QTabWidget>(dialog, "选择夹1")->setCurrentIndex(1);
    click(dialog, "按钮4");
    QCOMPARE(m_prompter->messages.last().text, QStringLiteral("请输入欲调用的Java脚本的路径！"));
    QVERIFY(dialog && dialog->isVisible());
    m_prompter->fileNames.enqueue(QStringLiteral("/js/a b.js"));
    click(dialog, "按钮3");
    QCOMPARE(m_prompter->fileDialogs.last().request.filter, ScriptFileFilter);
    click(dialog, "按钮3"); // cancelled: kept
    QCOMPARE(control<QLineEdit>(dialog, "编辑框2")->text(), QStringLiteral("/js/a b.js"));
    click(dialog, "按钮4");
    QTRY_VERIFY(!dialog);
    QCOMPARE(m_view->evaluate(QStringLiteral("document.querySelector('script').getAttribute('src');")).toString(),
             QStringLiteral("/js/a b.js"));

    // The cancel button of the second page closes like the others.
    dialog = OpenScriptDialog(m_owner.get(), m_view);
    click(dialog, "按钮5");
    QTRY_VERIFY(!dialog);
}

void MediaMarqueeDialogsTest::frameGoesIntoThePage()
{
    QPointer<QDialog> dialog = OpenFrameDialog(m_owner.get(), m_view);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("插入网页框架"));
    QCOMPARE(dialog->size(), QSize(310, 191));
    QCOMPARE(control<QLineEdit>(dialog, "编辑框1")->text(), QStringLiteral("http://"));
    QCOMPARE(control<QLineEdit>(dialog, "编辑框2")->text(), QStringLiteral("400"));
    QCOMPARE(control<QLineEdit>(dialog, "编辑框3")->text(), QStringLiteral("300"));
    QCOMPARE(control<QComboBox>(dialog, "组合框1")->currentIndex(), 0);
    QVERIFY(!control<QCheckBox>(dialog, "选择框1")->isChecked());
    control<QComboBox>(dialog, "组合框1")->setCurrentIndex(1);
    auto *scrolling = control<QCheckBox>(dialog, "选择框1");
    QTest::mouseClick(scrolling, Qt::LeftButton, {}, QPoint(8, scrolling->height() / 2));
    QVERIFY(scrolling->isChecked());
    click(dialog, "按钮1");
    QTRY_VERIFY(!dialog);
    QCOMPARE(body(), QStringLiteral("<p>a<iframe align=\"center\" height=\"300\" scrolling=\"yes\" src=\"http://\" "
                                    "width=\"400\"></iframe>b</p>"));
}

void MediaMarqueeDialogsTest::marqueeDialogHasItsOwnEditableView()
{
    MarqueeDialog *dialog = openMarquee();
    QCOMPARE(dialog->windowTitle(), QStringLiteral("插入滚动字幕"));
    QCOMPARE(dialog->size(), QSize(546, 298));
    QCOMPARE(dialog->palette().color(QPalette::Window), QColor(218, 230, 243));
    EngineView *view = dialog->editingView();
    QVERIFY(view != m_view);
    QCOMPARE(view->objectName(), QStringLiteral("互联网浏览器1"));
    QCOMPARE(view->size(), QSize(528, 168));
    QVERIFY(view->editMode());
    QCOMPARE(view->evaluate(QStringLiteral("document.designMode;")).toString(), QStringLiteral("on"));

    const struct {
        const char *name, *tip;
    } tips[] = {{"组合框1", "字体选择"}, {"组合框2", "字号选择"}, {"颜色选择器2", "文字颜色"}, {"颜色选择器1", "文字背景颜色"},
                {"图形按钮6", "加粗"},    {"图形按钮7", "斜体"},     {"图形按钮8", "下划线"},      {"图形按钮21", "插入图片"}};
    for (const auto &t : tips)
        QCOMPARE(control<QWidget>(dialog, t.name)->toolTip(), QString::fromUtf8(t.tip));
    auto *fonts = control<QComboBox>(dialog, "组合框1");
    QVERIFY(fonts->count() > 0);
    if (QFontDatabase::families().contains(QStringLiteral("宋体")))
        QCOMPARE(fonts->currentText(), QStringLiteral("宋体"));
    auto *sizes = control<QComboBox>(dialog, "组合框2");
    QCOMPARE(sizes->count(), 7);
    QCOMPARE(sizes->itemText(6), QStringLiteral("7号字"));
    QCOMPARE(control<ui::ColourPicker>(dialog, "颜色选择器1")->colour(), 0xFFFFFF);
    QVERIFY(control<QRadioButton>(dialog, "单选框1")->isChecked());
    QVERIFY(!control<QRadioButton>(dialog, "单选框2")->isChecked());
}

void MediaMarqueeDialogsTest::marqueeWithBoldTextGoesIntoThePage()
{
    QPointer<MarqueeDialog> dialog = openMarquee();
    typeAndSelect(dialog, QStringLiteral("hello"));
    clickPicture(dialog, "图形按钮6");
    QTRY_COMPARE(dialog->editingView()->evaluate(QStringLiteral("document.body.innerHTML;")).toString(),
                 QStringLiteral("<b>hello</b>"));
    click(dialog, "按钮1");
    QTRY_VERIFY(!dialog);
    // The fragment goes in as it is, inside the paragraph the caret was in.
    QCOMPARE(body(), QStringLiteral("<p>a<p><marquee><b>hello</b></marquee></p>b</p>"));
}

void MediaMarqueeDialogsTest::marqueeBackAndForthAndFormatting()
{
    QPointer<MarqueeDialog> dialog = openMarquee();
    EngineView *view = dialog->editingView();
    typeAndSelect(dialog, QStringLiteral("abc"));
    clickPicture(dialog, "图形按钮7");
    clickPicture(dialog, "图形按钮8");
    auto *sizes = control<QComboBox>(dialog, "组合框2");
    sizes->setCurrentIndex(4);
    emit sizes->activated(4);
    m_prompter->colours.enqueue(QColor(255, 0, 0));
    control<ui::ColourPicker>(dialog, "颜色选择器2")->chooseOtherColour();
    const QString formatted = view->evaluate(QStringLiteral("document.body.innerHTML;")).toString();
    for (const char *piece : {"<i>", "<u>", "size=\"5\"", "color=\"#ff0000\"", "abc"})
        QVERIFY2(formatted.contains(QString::fromLatin1(piece)), qPrintable(formatted));

    click(dialog, "单选框2");
    click(dialog, "按钮1");
    QTRY_VERIFY(!dialog);
    QCOMPARE(body(), QStringLiteral("<p>a<p><marquee behavior=\"alternate\">") + formatted
                 + QStringLiteral("</marquee></p>b</p>"));
}

void MediaMarqueeDialogsTest::marqueeEmptyKeepsTheDialog()
{
    QPointer<MarqueeDialog> dialog = openMarquee();
    click(dialog, "按钮1");
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].caption, QStringLiteral("信息："));
    QCOMPARE(m_prompter->messages[0].text, QStringLiteral("请输入滚动字幕的内容！"));
    QTest::qWait(20);
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(body(), QStringLiteral("<p>ab</p>"));

    // Cancelling closes; the next opening starts blank.
    typeAndSelect(dialog, QStringLiteral("x"));
    click(dialog, "按钮2");
    QTRY_VERIFY(!dialog);
    dialog = openMarquee();
    QCOMPARE(dialog->editingView()->evaluate(QStringLiteral("document.body.innerHTML;")).toString(), QString());
}

void MediaMarqueeDialogsTest::marqueeImageButton()
{
    QPointer<MarqueeDialog> dialog = openMarquee();
    typeAndSelect(dialog, QStringLiteral("x"));
    dialog->editingView()->evaluate(QStringLiteral("getSelection().collapseToEnd(); true;"));
    clickPicture(dialog, "图形按钮21");
    QTRY_VERIFY(qobject_cast<ImageDialog *>(QApplication::activeModalWidget()));
    auto *image = qobject_cast<ImageDialog *>(QApplication::activeModalWidget());
    QCOMPARE(image->parentWidget(), dialog.data());
    QCOMPARE(image->imageTarget(), ImageTarget::MarqueeView);
    QCOMPARE(image->windowModality(), Qt::ApplicationModal);
    control<QLineEdit>(image, "编辑框_图片位置")->setText(QStringLiteral("m.gif"));
    control<QLineEdit>(image, "编辑框_图片宽度")->setText(QStringLiteral("16"));
    control<QLineEdit>(image, "编辑框_图片高度")->setText(QStringLiteral("16"));
    click(image, "按钮_确定");
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(dialog->editingView()->evaluate(QStringLiteral("document.body.innerHTML;")).toString(),
             QStringLiteral("x<img style=\"FILTER: ;WIDTH:16px;HEIGHT:16px;\" src=\"m.gif\" align=\"left\">"));
    QCOMPARE(body(), QStringLiteral("<p>ab</p>"));

    // The marquee takes the picture along.
    click(dialog, "按钮1");
    QTRY_VERIFY(!dialog);
    QVERIFY2(body().contains(QStringLiteral("<marquee>x<img ")), qPrintable(body()));
}

ZELVO_TEST_MAIN(MediaMarqueeDialogsTest)
#include "test_media_marquee_dialogs.moc"
