// The dialogs "插入表格", "插入图片", "超级链接" and the page "图形按钮" on
// their real widgets: defaults, file choosing, checks that keep the dialog,
// and each one inserting into a real page.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "engine/EngineView.h"
#include "insert/ButtonDialog.h"
#include "insert/HyperlinkDialog.h"
#include "insert/ImageDialog.h"
#include "insert/TableDialog.h"
#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QPointer>
#include <QTabWidget>
#include <QVBoxLayout>
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

void setText(QWidget *dialog, const char *name, const QString &text)
{
    control<QLineEdit>(dialog, name)->setText(text);
}

void click(QWidget *dialog, const char *name)
{
    QTest::mouseClick(control<QAbstractButton>(dialog, name), Qt::LeftButton);
}

} // namespace

class TableImageLinkDialogsTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanupTestCase();
    void init();
    void cleanup();

    void captionsSizesAndDefaults();
    void tableBackgroundImageChoice();
    void tableTooLargeKeepsTheDialog();
    void tableGoesIntoThePage();
    void imagePictureChoice();
    void imageChecksInOrder();
    void imageFromTheMainWindowGoesIntoThePage();
    void imageForAnotherViewIsOwnedAndModal();
    void hyperlinkWithoutTextGoesIntoThePage();
    void pictureLinkPage();

private:
    QString body() { return m_view->evaluate(QStringLiteral("document.body.innerHTML;")).toString(); }
    QVariant run(const QString &script) { return m_view->evaluate(script); }

    EngineView *m_view = nullptr;
    std::unique_ptr<QWidget> m_owner;
    std::unique_ptr<ScriptedPrompter> m_prompter;
    QString m_dir;
};

void TableImageLinkDialogsTest::initTestCase()
{
    m_dir = testsupport::freshTempDir();
    m_owner = std::make_unique<QWidget>();
    m_owner->resize(800, 600);
    m_view = new EngineView(m_owner.get());
    m_view->resize(800, 600);
    m_owner->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_owner.get()));
    QVERIFY(m_view->Navigate(QStringLiteral("about:blank")));
    QVERIFY(m_view->SetEditMode(true));
}

void TableImageLinkDialogsTest::cleanupTestCase()
{
    m_owner.reset();
}

void TableImageLinkDialogsTest::init()
{
    m_prompter = std::make_unique<ScriptedPrompter>();
    QVERIFY(m_view->WriteDocument(Page));
    // The caret after the "a" of the paragraph.
    QVERIFY(run(QStringLiteral("(function(){var t=document.querySelector('p').firstChild;"
                               "var r=document.createRange(); r.setStart(t,1); r.collapse(true);"
                               "var s=getSelection(); s.removeAllRanges(); s.addRange(r); return true;})();"))
                .toBool());
}

void TableImageLinkDialogsTest::cleanup()
{
    for (QDialog *open : m_owner->findChildren<QDialog *>(QString(), Qt::FindDirectChildrenOnly))
        delete open;
    m_prompter.reset();
}

void TableImageLinkDialogsTest::captionsSizesAndDefaults()
{
    QDialog *table = OpenTableDialog(m_owner.get(), m_view);
    QDialog *image = OpenImageDialog(m_owner.get(), m_view, ImageTarget::MainPage);
    QDialog *link = OpenHyperlinkDialog(m_owner.get(), m_view);
    const struct {
        QDialog *dialog;
        const char *caption;
        QSize size;
    } dialogs[] = {{table, "插入表格", QSize(381, 288)},
                   {image, "插入图片", QSize(325, 223)},
                   {link, "超级链接", QSize(373, 202)}};
    for (const auto &d : dialogs) {
        QCOMPARE(d.dialog->windowTitle(), QString::fromUtf8(d.caption));
        QCOMPARE(d.dialog->size(), d.size);
        QCOMPARE(d.dialog->parentWidget(), m_owner.get());
        QCOMPARE(d.dialog->windowModality(), Qt::NonModal);
        QVERIFY(d.dialog->isVisible());
    }

    const struct {
        QDialog *dialog;
        const char *edit;
        const char *text;
    } edits[] = {{table, "编辑框_行数", "1"},   {table, "编辑框_列数", "1"},   {table, "编辑框_宽度", "400"},
                 {table, "编辑框_高度", "200"}, {table, "编辑框_边距", "1"},   {table, "编辑框_间距", "1"},
                 {table, "编辑框_粗细", "1"},   {table, "编辑框_背景图片", ""}, {image, "编辑框_图片位置", ""},
                 {image, "编辑框_图片宽度", ""}, {image, "编辑框_图片高度", ""}, {image, "编辑框_边框粗细", "0"},
                 {image, "编辑框_提示文本", ""}, {link, "编辑框1", ""},         {link, "编辑框2", "http://"}};
    for (const auto &e : edits)
        QCOMPARE(control<QLineEdit>(e.dialog, e.edit)->text(), QString::fromUtf8(e.text));

    const struct {
        QDialog *dialog;
        const char *list;
        int count, current;
        const char *first;
    } lists[] = {{table, "组合框_边框效果", 2, 0, "合并"}, {table, "组合框_水平对齐", 3, 1, "左对齐"},
                 {table, "组合框_垂直对齐", 3, 1, "顶部"}, {image, "组合框_文本环绕", 6, 0, "左对齐"},
                 {image, "组合框_特殊效果", 11, 0, "无"},  {link, "组合框1", 2, 0, "自身窗口"}};
    for (const auto &l : lists) {
        auto *box = control<QComboBox>(l.dialog, l.list);
        QCOMPARE(box->count(), l.count);
        QCOMPARE(box->currentIndex(), l.current);
        QCOMPARE(box->itemText(0), QString::fromUtf8(l.first));
    }
    QCOMPARE(control<ui::ColourPicker>(table, "颜色选择器_边框颜色")->colour(), 0);
    QCOMPARE(control<ui::ColourPicker>(table, "颜色选择器_背景颜色")->colour(), 0xFFFFFF);
    QCOMPARE(control<ui::ColourPicker>(image, "颜色选择器_边框颜色")->colour(), 0);
    QStringList groups;
    for (QGroupBox *group : table->findChildren<QGroupBox *>())
        groups << group->title();
    QCOMPARE(groups, (QStringList{QStringLiteral("表格大小"), QStringLiteral("表格效果")}));
}

void TableImageLinkDialogsTest::tableBackgroundImageChoice()
{
    QDialog *dialog = OpenTableDialog(m_owner.get(), m_view);
    setText(dialog, "编辑框_背景图片", QStringLiteral("kept.gif"));
    click(dialog, "按钮_浏览"); // cancelled
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_背景图片")->text(), QStringLiteral("kept.gif"));
    m_prompter->fileNames.enqueue(QStringLiteral("/tmp/my pictures/背景.gif"));
    click(dialog, "按钮_浏览");
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_背景图片")->text(), QStringLiteral("/tmp/my pictures/背景.gif"));
    QCOMPARE(m_prompter->fileDialogs.size(), 2);
    QVERIFY(!m_prompter->fileDialogs[0].save);
    QCOMPARE(m_prompter->fileDialogs[0].request.filter, TablePictureFilter);
    QVERIFY(m_prompter->fileDialogs[0].request.proposedName.isEmpty());
}

void TableImageLinkDialogsTest::tableTooLargeKeepsTheDialog()
{
    QPointer<QDialog> dialog = OpenTableDialog(m_owner.get(), m_view);
    setText(dialog, "编辑框_行数", QStringLiteral("100000"));
    setText(dialog, "编辑框_列数", QStringLiteral("100000"));
    click(dialog, "按钮_确定");
    QCOMPARE(m_prompter->messages.size(), 1);
    QCOMPARE(m_prompter->messages[0].caption, QStringLiteral("信息："));
    QCOMPARE(m_prompter->messages[0].text, TableTooLargeMessage);
    QTest::qWait(20);
    QVERIFY(dialog && dialog->isVisible());
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_行数")->text(), QStringLiteral("100000"));
    QCOMPARE(body(), QStringLiteral("<p>ab</p>"));
}

void TableImageLinkDialogsTest::tableGoesIntoThePage()
{
    QPointer<QDialog> dialog = OpenTableDialog(m_owner.get(), m_view);
    setText(dialog, "编辑框_行数", QStringLiteral("2"));
    setText(dialog, "编辑框_列数", QStringLiteral("3"));
    setText(dialog, "编辑框_背景图片", QStringLiteral("a b.gif"));
    control<QComboBox>(dialog, "组合框_水平对齐")->setCurrentIndex(2);
    control<QComboBox>(dialog, "组合框_垂直对齐")->setCurrentIndex(2);
    click(dialog, "按钮_确定");
    QTRY_VERIFY(!dialog);
    QCOMPARE(run(QStringLiteral("document.querySelectorAll('p table tr').length;")).toInt(), 2);
    QCOMPARE(run(QStringLiteral("document.querySelectorAll('p table td').length;")).toInt(), 6);
    QCOMPARE(run(QStringLiteral("document.querySelector('td').getAttribute('style');")).toString(),
             QStringLiteral("TEXT-ALIGN:right;VERTICAL-ALIGN:bottom"));
    // The unquoted attributes keep their semicolons.
    QCOMPARE(run(QStringLiteral("document.querySelector('table').getAttribute('cellspacing');")).toString(),
             QStringLiteral("1;"));
    QCOMPARE(run(QStringLiteral("document.querySelector('table').getAttribute('bordercolor');")).toString(),
             QStringLiteral("#000000;"));
    QVERIFY(run(QStringLiteral("document.querySelector('table').getAttribute('style');"))
                .toString()
                .endsWith(QStringLiteral("BACKGROUND-IMAGE: url(a b.gif)")));
    QVERIFY(m_prompter->messages.isEmpty());
}

void TableImageLinkDialogsTest::imagePictureChoice()
{
    const QString png = m_dir + QStringLiteral("/图 片.png");
    QImage picture(37, 21, QImage::Format_RGB32);
    picture.fill(Qt::red);
    QVERIFY(picture.save(png));
    const QString notPicture = m_dir + QStringLiteral("/text.jpg");
    QFile file(notPicture);
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("not a picture");
    file.close();

    QDialog *dialog = OpenImageDialog(m_owner.get(), m_view, ImageTarget::MainPage);
    setText(dialog, "编辑框_图片位置", QStringLiteral("old.gif"));
    setText(dialog, "编辑框_图片宽度", QStringLiteral("5"));
    click(dialog, "按钮_浏览"); // cancelled: everything kept
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_图片位置")->text(), QStringLiteral("old.gif"));
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_图片宽度")->text(), QStringLiteral("5"));

    const struct {
        QString path;
        const char *width, *height;
    } cases[] = {{png, "37", "21"}, {notPicture, "0", "0"}, {m_dir + QStringLiteral("/missing.png"), "0", "0"}};
    for (const auto &c : cases) {
        m_prompter->fileNames.enqueue(c.path);
        click(dialog, "按钮_浏览");
        QCOMPARE(control<QLineEdit>(dialog, "编辑框_图片位置")->text(), c.path);
        QCOMPARE(control<QLineEdit>(dialog, "编辑框_图片宽度")->text(), QString::fromLatin1(c.width));
        QCOMPARE(control<QLineEdit>(dialog, "编辑框_图片高度")->text(), QString::fromLatin1(c.height));
    }
    QCOMPARE(m_prompter->fileDialogs[0].request.filter, ImagePictureFilter);
}

void TableImageLinkDialogsTest::imageChecksInOrder()
{
    QPointer<QDialog> dialog = OpenImageDialog(m_owner.get(), m_view, ImageTarget::MainPage);
    const struct {
        const char *field, *message;
    } steps[] = {{"编辑框_图片位置", "请输入图片地址！"},
                 {"编辑框_图片宽度", "请输入图片宽度！"},
                 {"编辑框_图片高度", "请输入图片高度！"}};
    for (const auto &step : steps) {
        click(dialog, "按钮_确定");
        QCOMPARE(m_prompter->messages.last().text, QString::fromUtf8(step.message));
        QCOMPARE(m_prompter->messages.last().caption, QStringLiteral("信息："));
        QVERIFY(dialog && dialog->isVisible());
        setText(dialog, step.field, QStringLiteral("0"));
    }
    QCOMPARE(m_prompter->messages.size(), 3);
}

void TableImageLinkDialogsTest::imageFromTheMainWindowGoesIntoThePage()
{
    auto *dialog = static_cast<ImageDialog *>(OpenImageDialog(m_owner.get(), m_view, ImageTarget::MainPage));
    QCOMPARE(dialog->imageTarget(), ImageTarget::MainPage);
    QPointer<QDialog> guard(dialog);
    setText(dialog, "编辑框_图片位置", QStringLiteral("pics/a.gif"));
    setText(dialog, "编辑框_图片宽度", QStringLiteral("120"));
    setText(dialog, "编辑框_图片高度", QStringLiteral("80"));
    setText(dialog, "编辑框_边框粗细", QStringLiteral("2"));
    setText(dialog, "编辑框_提示文本", QStringLiteral("first second"));
    control<QComboBox>(dialog, "组合框_文本环绕")->setCurrentIndex(2);
    control<QComboBox>(dialog, "组合框_特殊效果")->setCurrentIndex(6);
    click(dialog, "按钮_确定");
    QTRY_VERIFY(!guard);
    QCOMPARE(run(QStringLiteral("document.querySelectorAll('p img').length;")).toInt(), 1);
    const QString img = QStringLiteral("document.querySelector('img')");
    QCOMPARE(run(img + QStringLiteral(".getAttribute('style');")).toString(),
             QStringLiteral("BORDER-COLOR:#000000;filter:grayscale(1);FILTER:gray;WIDTH:120px;HEIGHT:80px;"));
    // The unquoted alt text keeps only its first word.
    QCOMPARE(run(img + QStringLiteral(".getAttribute('alt');")).toString(), QStringLiteral("first"));
    QCOMPARE(run(img + QStringLiteral(".getAttribute('src');")).toString(), QStringLiteral("pics/a.gif"));
    QCOMPARE(run(img + QStringLiteral(".getAttribute('align');")).toString(), QStringLiteral("right"));
    QCOMPARE(run(img + QStringLiteral(".getAttribute('border');")).toString(), QStringLiteral("2"));
}

void TableImageLinkDialogsTest::imageForAnotherViewIsOwnedAndModal()
{
    // Opened from another dialog for that dialog's own view: owned by it,
    // modal, and inserting there.
    EngineView *other = new EngineView;
    QDialog *outer = new QDialog(m_owner.get());
    auto *layout = new QVBoxLayout(outer);
    layout->addWidget(other);
    outer->resize(400, 300);
    outer->show();
    QVERIFY(other->Navigate(QStringLiteral("about:blank")));
    QVERIFY(other->SetEditMode(true));
    QVERIFY(other->WriteDocument(QStringLiteral("<html><head></head><body></body></html>")));

    QPointer<QDialog> fromMain = OpenImageDialog(m_owner.get(), m_view, ImageTarget::MainPage);
    auto *inner = static_cast<ImageDialog *>(OpenImageDialog(outer, other, ImageTarget::MarqueeView));
    QVERIFY(inner != fromMain);
    QCOMPARE(inner->imageTarget(), ImageTarget::MarqueeView);
    QCOMPARE(inner->parentWidget(), outer);
    QCOMPARE(inner->windowModality(), Qt::ApplicationModal);
    QTRY_COMPARE(QApplication::activeModalWidget(), inner);
    setText(inner, "编辑框_图片位置", QStringLiteral("m.gif"));
    setText(inner, "编辑框_图片宽度", QStringLiteral("1"));
    setText(inner, "编辑框_图片高度", QStringLiteral("1"));
    click(inner, "按钮_确定");
    QTRY_VERIFY(!QApplication::activeModalWidget());
    QCOMPARE(other->evaluate(QStringLiteral("document.querySelectorAll('img[src=\"m.gif\"]').length;")).toInt(), 1);

    // The dialog opened over the main window still inserts into the page.
    setText(fromMain, "编辑框_图片位置", QStringLiteral("p.gif"));
    setText(fromMain, "编辑框_图片宽度", QStringLiteral("1"));
    setText(fromMain, "编辑框_图片高度", QStringLiteral("1"));
    click(fromMain, "按钮_确定");
    QTRY_VERIFY(!fromMain);
    QCOMPARE(run(QStringLiteral("document.querySelectorAll('img[src=\"p.gif\"]').length;")).toInt(), 1);
    QCOMPARE(other->evaluate(QStringLiteral("document.querySelectorAll('img').length;")).toInt(), 1);
}

void TableImageLinkDialogsTest::hyperlinkWithoutTextGoesIntoThePage()
{
    QPointer<QDialog> dialog = OpenHyperlinkDialog(m_owner.get(), m_view);
    setText(dialog, "编辑框2", QStringLiteral("http://a.cn/"));
    control<QComboBox>(dialog, "组合框1")->setCurrentIndex(1);
    click(dialog, "按钮1");
    QTRY_VERIFY(!dialog);
    QCOMPARE(body(), QStringLiteral("<p>a<a href=\"http://a.cn/\" target=\"_blank\"></a>b</p>"));

    dialog = OpenHyperlinkDialog(m_owner.get(), m_view);
    click(dialog, "按钮2");
    QTRY_VERIFY(!dialog);
    QCOMPARE(run(QStringLiteral("document.links.length;")).toInt(), 1);
}

void TableImageLinkDialogsTest::pictureLinkPage()
{
    QPointer<QDialog> dialog = ui::DialogHost::of(m_owner.get())->open(ButtonDialogCaption, [this](QWidget *owner) {
        return new ButtonDialog(owner, [this](const QString &fragment) { return m_view->PasteHtml(fragment); });
    });
    control<QTabWidget>(dialog, "新选择夹1")->setCurrentIndex(1);
    const struct {
        const char *edit, *text;
    } defaults[] = {{"编辑框_按钮ID", ""}, {"编辑框_正常图片", ""}, {"编辑框_链接地址", "http://"}, {"编辑框_按钮提示", ""}};
    for (const auto &d : defaults)
        QCOMPARE(control<QLineEdit>(dialog, d.edit)->text(), QString::fromUtf8(d.text));
    QCOMPARE(control<QComboBox>(dialog, "组合框1")->currentIndex(), 0);

    // "浏览": the answer replaces the field even when cancelled.
    m_prompter->fileNames.enqueue(QStringLiteral("/p/按钮.gif"));
    click(dialog, "按钮3");
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_正常图片")->text(), QStringLiteral("/p/按钮.gif"));
    QCOMPARE(m_prompter->fileDialogs[0].request.filter, PictureLinkFilter);
    click(dialog, "按钮3");
    QCOMPARE(control<QLineEdit>(dialog, "编辑框_正常图片")->text(), QString());

    // The checks in their order, the dialog staying open.
    const struct {
        const char *field, *message;
    } steps[] = {{"编辑框_按钮ID", "请输入按钮ID！"},
                 {"编辑框_按钮提示", "请输入按钮提示！"},
                 {"编辑框_正常图片", "请输入正常图片地址！"}};
    for (const auto &step : steps) {
        click(dialog, "按钮4");
        QCOMPARE(m_prompter->messages.last().text, QString::fromUtf8(step.message));
        QVERIFY(dialog && dialog->isVisible());
        setText(dialog, step.field, QStringLiteral("x.gif"));
    }
    setText(dialog, "编辑框_链接地址", QString());
    click(dialog, "按钮4");
    QCOMPARE(m_prompter->messages.last().text, QStringLiteral("请输入按钮欲跳转的链接地址！"));
    setText(dialog, "编辑框_链接地址", QStringLiteral("b.htm"));
    click(dialog, "按钮4");
    QTRY_VERIFY(!dialog);
    QCOMPARE(body(), QStringLiteral("<p>a<a target=\"_self\" href=\"b.htm\"><img border=\"0\" src=\"x.gif\" "
                                    "title=\"x.gif\"></a>b</p>"));
}

ZELVO_TEST_MAIN(TableImageLinkDialogsTest)
#include "test_table_image_link_dialogs.moc"
