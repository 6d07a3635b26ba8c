#include "insert/ImageDialog.h"

#include "insert/GridForm.h"
#include "insert/Insertion.h"
#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"
#include "ui/Prompter.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QImage>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace insert {

ImageDialog::ImageDialog(QWidget *owner, Inserter inserter, ImageTarget target)
    : InsertDialog(owner, ImageDialogCaption, QSize(325, 223)), m_target(target)
{
    setInserter(std::move(inserter));
    const ImageFields defaults;
    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(8, 8, 8, 8);
    column->setSpacing(6);
    auto *grid = new QGridLayout;
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(6);
    column->addLayout(grid);
    GridForm form(this, grid);

    m_path = form.edit(QStringLiteral("编辑框_图片位置"), QStringLiteral("图片位置："), 0, 0, defaults.path, 2);
    QPushButton *browse = form.browseButton(QStringLiteral("按钮_浏览"));
    grid->addWidget(browse, 0, 3);
    connect(browse, &QPushButton::clicked, this, &ImageDialog::choosePicture);
    m_width = form.edit(QStringLiteral("编辑框_图片宽度"), QStringLiteral("图片宽度："), 1, 0, defaults.width);
    m_height = form.edit(QStringLiteral("编辑框_图片高度"), QStringLiteral("图片高度："), 1, 2, defaults.height);
    m_border = form.edit(QStringLiteral("编辑框_边框粗细"), QStringLiteral("边框粗细："), 2, 0, defaults.border);
    m_borderColour = form.colour(QStringLiteral("颜色选择器_边框颜色"), QStringLiteral("边框颜色："),
                                 int(defaults.borderColour), 2, 2);
    m_wrap = form.list(QStringLiteral("组合框_文本环绕"), QStringLiteral("文本环绕："), ImageWrapCaptions(), 3, 0);
    m_effect = form.list(QStringLiteral("组合框_特殊效果"), QStringLiteral("特殊效果："), ImageEffectCaptions(), 3, 2);
    m_altText = form.edit(QStringLiteral("编辑框_提示文本"), QStringLiteral("提示文本："), 4, 0, defaults.altText, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
    // The opening selections: the first item of each list.
    m_wrap->setCurrentIndex(defaults.wrapIndex);
    m_effect->setCurrentIndex(defaults.effectIndex);

    column->addStretch(1);
    auto *buttons = new QHBoxLayout;
    column->addLayout(buttons);
    QPushButton *confirm = form.button(QStringLiteral("按钮_确定"), QStringLiteral("确定"));
    QPushButton *cancel = form.button(QStringLiteral("按钮_取消"), QStringLiteral("取消"));
    buttons->addStretch(1);
    buttons->addWidget(confirm);
    buttons->addStretch(1);
    buttons->addWidget(cancel);
    buttons->addStretch(1);
    bindConfirm(confirm, [this] { return BuildImage(fields()); });
    bindCancel(cancel);
}

ImageFields ImageDialog::fields() const
{
    ImageFields values;
    values.path = m_path->text();
    values.width = m_width->text();
    values.height = m_height->text();
    values.border = m_border->text();
    values.borderColour = quint32(m_borderColour->colour());
    values.wrapIndex = m_wrap->currentIndex();
    values.effectIndex = m_effect->currentIndex();
    values.altText = m_altText->text();
    return values;
}

void ImageDialog::choosePicture()
{
    const QString path = ui::prompter().openFileName(this, {ImagePictureFilter, QString(), QString(), QString()});
    if (path.isEmpty())
        return;
    m_path->setText(path);
    const QSize size = PictureFileSize(path);
    m_width->setText(QString::number(size.width()));
    m_height->setText(QString::number(size.height()));
}

QSize PictureFileSize(const QString &path)
{
    QImageReader reader(path);
    // The header's size where the format gives one; a picture must also decode.
    if (!reader.canRead())
        return QSize(0, 0);
    QSize size = reader.size();
    if (!size.isValid()) {
        const QImage image = reader.read();
        size = image.isNull() ? QSize(0, 0) : image.size();
    }
    return size.isValid() ? size : QSize(0, 0);
}

QDialog *OpenImageDialog(QWidget *owner, engine::EngineView *view, ImageTarget target)
{
    const auto factory = [view, target](QWidget *parent) {
        return new ImageDialog(parent, InserterFor(view), target);
    };
    ui::DialogHost *host = ui::DialogHost::of(owner);
    return target == ImageTarget::MainPage ? host->open(ImageDialogCaption, factory)
                                           : host->openModal(ImageDialogCaption, factory);
}

} // namespace insert
