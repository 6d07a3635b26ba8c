#include "insert/MarqueeDialog.h"

#include "commands/Formatting.h"
#include "commands/PictureButton.h"
#include "commands/Toolbar.h"
#include "engine/EngineView.h"
#include "insert/ImageDialog.h"
#include "insert/Insertion.h"
#include "ui/ColourPicker.h"
#include "ui/DialogHost.h"
#include "ui/Naming.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace insert {

MarqueeDialog::MarqueeDialog(QWidget *owner, Inserter inserter, const QString &baseFolder)
    : InsertDialog(owner, MarqueeDialogCaption, QSize(546, 298))
{
    setInserter(std::move(inserter));
    QPalette background = palette();
    background.setColor(QPalette::Window, QColor(218, 230, 243));
    setPalette(background);
    setAutoFillBackground(true);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(9, 6, 9, 8);
    column->setSpacing(5);

    // The toolbar above the editing view.
    auto *bar = new QHBoxLayout;
    bar->setSpacing(4);
    column->addLayout(bar);
    m_fontName = new QComboBox(this);
    m_fontName->setObjectName(QStringLiteral("组合框1"));
    m_fontName->setMinimumWidth(130);
    m_fontSize = new QComboBox(this);
    m_fontSize->setObjectName(QStringLiteral("组合框2"));
    commands::FillFontSizeBox(m_fontSize);
    m_textColour = new ui::ColourPicker(this);
    m_textColour->setObjectName(QStringLiteral("颜色选择器2"));
    m_textColour->setColour(0x000000);
    m_textBackColour = new ui::ColourPicker(this);
    m_textBackColour->setObjectName(QStringLiteral("颜色选择器1"));
    m_textBackColour->setColour(0xFFFFFF);
    commands::PictureButton *bold = pictureButton(QStringLiteral("图形按钮6"), QStringLiteral("bold"));
    commands::PictureButton *italic = pictureButton(QStringLiteral("图形按钮7"), QStringLiteral("italic"));
    commands::PictureButton *underline = pictureButton(QStringLiteral("图形按钮8"), QStringLiteral("underline"));
    commands::PictureButton *image = pictureButton(QStringLiteral("图形按钮21"), QStringLiteral("image"));
    for (QWidget *control : {static_cast<QWidget *>(m_fontName), static_cast<QWidget *>(m_fontSize),
                             static_cast<QWidget *>(m_textColour), static_cast<QWidget *>(m_textBackColour),
                             static_cast<QWidget *>(bold), static_cast<QWidget *>(italic),
                             static_cast<QWidget *>(underline), static_cast<QWidget *>(image)})
        bar->addWidget(control);
    bar->addStretch(1);

    m_view = new engine::EngineView(this);
    ui::nameControl(m_view, QStringLiteral("互联网浏览器1"), QStringLiteral("字幕内容"));
    m_view->setFixedSize(528, 168);
    column->addWidget(m_view);

    // The scrolling choice and the two buttons below it.
    auto *bottom = new QHBoxLayout;
    column->addStretch(1);
    column->addLayout(bottom);
    bottom->addWidget(new QLabel(QStringLiteral("滚动方式："), this));
    m_oneWay = new QRadioButton(QStringLiteral("单向滚动"), this);
    ui::nameControl(m_oneWay, QStringLiteral("单选框1"), m_oneWay->text());
    m_oneWay->setChecked(true);
    m_backAndForth = new QRadioButton(QStringLiteral("来回滚动"), this);
    ui::nameControl(m_backAndForth, QStringLiteral("单选框2"), m_backAndForth->text());
    bottom->addWidget(m_oneWay);
    bottom->addWidget(m_backAndForth);
    bottom->addStretch(1);
    for (const auto &[name, caption] : {std::pair{"按钮1", "确定"}, std::pair{"按钮2", "取消"}}) {
        auto *button = new QPushButton(QString::fromUtf8(caption), this);
        button->setAutoDefault(false);
        ui::nameControl(button, QString::fromUtf8(name), button->text());
        bottom->addWidget(button);
        if (button->objectName() == QStringLiteral("按钮1"))
            bindConfirm(button, [this] { return build(); });
        else
            bindCancel(button);
    }

    // The toolbar formats the selection of the editing view.
    engine::EngineView *view = m_view;
    using engine::EditCommand;
    connect(bold, &commands::PictureButton::clicked, this, [view] { view->ExecCommand(EditCommand::Bold); });
    connect(italic, &commands::PictureButton::clicked, this, [view] { view->ExecCommand(EditCommand::Italic); });
    connect(underline, &commands::PictureButton::clicked, this,
            [view] { view->ExecCommand(EditCommand::Underline); });
    connect(m_fontName, &QComboBox::activated, this,
            [this](int index) { commands::SetFontName(*m_view, m_fontName->itemText(index)); });
    connect(m_fontSize, &QComboBox::activated, this,
            [this](int index) { commands::SetFontSize(*m_view, commands::fontSizeForIndex(index)); });
    connect(m_textColour, &ui::ColourPicker::colourPicked, this,
            [view](int colour) { commands::SetTextColour(*view, colour); });
    connect(m_textBackColour, &ui::ColourPicker::colourPicked, this,
            [view](int colour) { commands::SetTextBackColour(*view, colour); });
    connect(image, &commands::PictureButton::clicked, this, [this] { openImageDialog(); });

    // The window's creation: a blank editable page, the tooltips, the fonts.
    m_view->Navigate(QStringLiteral("about:blank"));
    m_view->SetEditMode(true);
    m_view->WriteDocument(MarqueeBlankPage, baseFolder);
    const struct {
        QWidget *control;
        const char *tip;
    } tips[] = {{m_fontName, "字体选择"},          {m_fontSize, "字号选择"}, {m_textColour, "文字颜色"},
                {m_textBackColour, "文字背景颜色"}, {bold, "加粗"},           {italic, "斜体"},
                {underline, "下划线"},              {image, "插入图片"}};
    for (const auto &t : tips)
        commands::SetTooltip(t.control, QString::fromUtf8(t.tip));
    commands::FillFontNameBox(m_fontName);
}

commands::PictureButton *MarqueeDialog::pictureButton(const QString &name, const QString &svg)
{
    auto *button = new commands::PictureButton(this);
    button->setObjectName(name);
    button->setFixedSize(23, 23);
    button->setSvgPictures(QStringLiteral(":/toolbar/%1.svg").arg(svg));
    return button;
}

QDialog *MarqueeDialog::openImageDialog()
{
    return OpenImageDialog(this, m_view, ImageTarget::MarqueeView);
}

BuildResult MarqueeDialog::build()
{
    return BuildMarquee(m_view->ReadDocument(), m_backAndForth->isChecked());
}

QDialog *OpenMarqueeDialog(QWidget *owner, engine::EngineView *view)
{
    return ui::DialogHost::of(owner)->open(MarqueeDialogCaption, [view](QWidget *parent) {
        return new MarqueeDialog(parent, InserterFor(view), view ? view->baseFolder() : QString());
    });
}

} // namespace insert
