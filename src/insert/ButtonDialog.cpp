#include "insert/ButtonDialog.h"

#include "insert/GridForm.h"
#include "insert/HyperlinkDialog.h"
#include "ui/Prompter.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QVBoxLayout>

namespace insert {

ButtonDialog::ButtonDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, ButtonDialogCaption, QSize(374, 247))
{
    setInserter(std::move(inserter));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    m_pages = new QTabWidget(this);
    ui::nameControl(m_pages, QStringLiteral("新选择夹1"), QStringLiteral("按钮种类"));
    layout->addWidget(m_pages);
    addPlainButtonPage();
    addPictureLinkPage();
    // Typing goes into the first field, not to the page tabs.
    m_id->setFocus(Qt::OtherFocusReason);
}

QWidget *ButtonDialog::addPage(const QString &caption)
{
    auto *page = new QWidget(m_pages);
    page->setAccessibleName(caption);
    const int index = m_pages->addTab(page, QStringLiteral("  ") + caption + QStringLiteral("  "));
    m_pages->tabBar()->setAccessibleTabName(index, caption);
    return page;
}

void ButtonDialog::addPlainButtonPage()
{
    FieldForm form(addPage(QStringLiteral("普通按钮")));
    m_id = form.edit(QStringLiteral("编辑框_按钮名称"), QStringLiteral("按钮ID："));
    m_title = form.edit(QStringLiteral("编辑框_按钮标题"), QStringLiteral("按钮标题："));
    form.confirmAndCancel(this, QStringLiteral("按钮1"), QStringLiteral("按钮2"),
                          [this] { return BuildButton(plainButtonFields()); });
}

void ButtonDialog::addPictureLinkPage()
{
    QWidget *page = addPage(QStringLiteral("图形按钮"));
    const PictureLinkFields defaults;
    FieldForm form(page);
    m_linkId = form.edit(QStringLiteral("编辑框_按钮ID"), QStringLiteral("按钮ID："), defaults.id);
    QPushButton *browse = nullptr;
    m_linkPicture = AddPathRow(form.form(), page, QStringLiteral("编辑框_正常图片"), QStringLiteral("按钮图片："),
                               QStringLiteral("按钮3"), &browse);
    connect(browse, &QPushButton::clicked, this, &ButtonDialog::choosePictureLinkPicture);

    m_linkAddress = form.edit(QStringLiteral("编辑框_链接地址"), QStringLiteral("链接地址："), defaults.address);
    m_linkTip = form.edit(QStringLiteral("编辑框_按钮提示"), QStringLiteral("按钮提示："), defaults.tip);
    m_linkTarget = form.list(QStringLiteral("组合框1"), QStringLiteral("打开方式："), LinkTargetCaptions);
    m_linkTarget->setCurrentIndex(defaults.targetIndex);
    form.confirmAndCancel(this, QStringLiteral("按钮4"), QStringLiteral("按钮5"),
                          [this] { return BuildPictureLink(pictureLinkFields()); });
}

void ButtonDialog::choosePictureLinkPicture()
{
    m_linkPicture->setText(
        ui::prompter().openFileName(this, {PictureLinkFilter, QString(), QString(), QString()}));
}

PictureLinkFields ButtonDialog::pictureLinkFields() const
{
    PictureLinkFields values;
    values.id = m_linkId->text();
    values.picture = m_linkPicture->text();
    values.address = m_linkAddress->text();
    values.tip = m_linkTip->text();
    values.targetIndex = m_linkTarget->currentIndex();
    return values;
}

ButtonFields ButtonDialog::plainButtonFields() const
{
    return {m_id->text(), m_title->text()};
}

} // namespace insert
