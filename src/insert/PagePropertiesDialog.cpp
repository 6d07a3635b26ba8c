#include "insert/PagePropertiesDialog.h"

#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"
#include "ui/Prompter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace insert {

namespace {

const QString kSoundFilter = QStringLiteral("MP3文件（*.mp3）|*.mp3");
const QString kImageFilter = QStringLiteral(
    "JPG图片（*.jpg）|*.jpg|GIF图片（*.gif）|*.gif|PNG图片（*.png）|*.png|BMP图片（*.bmp）|*.bmp|所有文件（*.*）|*.*");

// A file the user picks, or an empty text when the dialog was cancelled.
QString pickFile(QWidget *parent, const QString &filter)
{
    ui::FileDialogRequest request;
    request.filter = filter;
    return ui::prompter().openFileName(parent, request);
}

} // namespace

PagePropertiesDialog::PagePropertiesDialog(QWidget *owner, PageAccess page)
    : InsertDialog(owner, PagePropertiesDialogCaption, QSize(301, 224)), m_page(std::move(page))
{
    FieldForm form(this);
    m_title = form.edit(QStringLiteral("编辑框_网页标题"), QStringLiteral("网页标题："));
    m_sound = pathRow(form, QStringLiteral("编辑框_背景音乐"), QStringLiteral("背景音乐："),
                      QStringLiteral("按钮_浏览1"), &PagePropertiesDialog::browseSound);
    m_image = pathRow(form, QStringLiteral("编辑框_背景图片"), QStringLiteral("背景图片："),
                      QStringLiteral("按钮_浏览2"), &PagePropertiesDialog::browseImage);
    m_background = form.colour(QStringLiteral("颜色选择器1"), QStringLiteral("背景颜色："), 0xFFFFFF);
    m_encoding = form.list(QStringLiteral("组合框1"), QStringLiteral("网页编码："), {QStringLiteral("GB2312")});
    form.confirmAndCancel(this, QStringLiteral("按钮_确定"), QStringLiteral("按钮_取消"), [this] { return apply(); });

    // Opening: the first encoding, and what the page says now.
    m_encoding->setCurrentIndex(0);
    const PageProperties current = ReadPageProperties(m_page.read ? m_page.read() : QString());
    m_title->setText(current.title);
    m_sound->setText(current.sound);
    m_image->setText(current.image);
}

QLineEdit *PagePropertiesDialog::pathRow(FieldForm &form, const QString &editName, const QString &label,
                                         const QString &buttonName, void (PagePropertiesDialog::*browse)())
{
    auto *row = new QWidget(this);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(4);
    auto *edit = new QLineEdit(row);
    layout->addWidget(edit, 1);
    auto *button = new QPushButton(QStringLiteral("浏览"), row);
    button->setAutoDefault(false);
    button->setFixedWidth(48);
    ui::nameControl(button, buttonName, label.chopped(1) + QStringLiteral("浏览"));
    layout->addWidget(button);
    connect(button, &QPushButton::clicked, this, browse);

    QString spoken = label;
    spoken.chop(1); // the colon
    ui::nameControl(edit, editName, spoken);
    auto *caption = new QLabel(label, this);
    caption->setBuddy(edit);
    form.form()->addRow(caption, row);
    return edit;
}

void PagePropertiesDialog::browseSound()
{
    const QString path = pickFile(this, kSoundFilter);
    if (!path.isEmpty())
        m_sound->setText(path);
}

void PagePropertiesDialog::browseImage()
{
    const QString path = pickFile(this, kImageFilter);
    if (!path.isEmpty())
        m_image->setText(path);
}

PageProperties PagePropertiesDialog::properties() const
{
    PageProperties values;
    values.title = m_title->text();
    values.sound = m_sound->text();
    values.image = m_image->text();
    values.background = quint32(m_background->colour());
    return values;
}

BuildResult PagePropertiesDialog::apply()
{
    // The page as it is now: the user may have gone on editing it while
    // the dialog was open.
    const QString previous = m_page.read ? m_page.read() : QString();
    const QString page = BuildPropertiesPage(properties(), previous);
    if (m_page.replace)
        m_page.replace(page);
    return BuildResult::close();
}

QDialog *OpenPagePropertiesDialog(QWidget *owner, PageAccess page)
{
    return ui::DialogHost::of(owner)->open(PagePropertiesDialogCaption, [page](QWidget *parent) {
        return new PagePropertiesDialog(parent, page);
    });
}

} // namespace insert
