#include "commands/Toolbar.h"

#include "text/Colour.h"
#include "ui/Accessibility.h"
#include "ui/ColourPicker.h"
#include "commands/CommandRouter.h"
#include "commands/CommandTable.h"
#include "commands/Formatting.h"
#include "commands/Menus.h"
#include "commands/PictureButton.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QGuiApplication>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace commands {

void SetTooltip(QWidget *control, const QString &text)
{
    if (!control)
        return;
    control->setToolTip(text);
    // Tooltips show whether or not the window is active.
    control->setAttribute(Qt::WA_AlwaysShowToolTips);
    if (QWidget *top = control->window())
        top->setAttribute(Qt::WA_AlwaysShowToolTips);
    if (control->accessibleName().isEmpty())
        control->setAccessibleName(text);
    // Qt on Linux names a drop-down list by its current item; what the list
    // is for goes in its description.
    if (qobject_cast<QComboBox *>(control) && control->accessibleDescription().isEmpty())
        control->setAccessibleDescription(text);
}

namespace {

QComboBox *makeBox(QWidget *parent, int popupWidth)
{
    auto *box = new QComboBox(parent);
    QFont f = box->font();
    f.setPixelSize(11);
    box->setFont(f);
    box->setMaxVisibleItems(20);
    box->view()->setMinimumWidth(popupWidth);
    return box;
}

QPixmap renderBackground(qreal dpr)
{
    const QSize size(Toolbar::kDesignWidth, Toolbar::kHeight);
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(QColor(0xe9, 0xef, 0xf7));
    QPainter p(&pixmap);
    QSvgRenderer svg(QStringLiteral(":/toolbar/background.svg"));
    if (svg.isValid())
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

} // namespace

Toolbar::Toolbar(CommandRouter &router, QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("图片框_工具栏"));
    setAccessibleName(QStringLiteral("工具栏"));
    ui::describeControl(this, {QAccessible::ToolBar, {}, {}, {}});
    setFixedHeight(kHeight);
    resize(kDesignWidth, kHeight);
    m_background = renderBackground(devicePixelRatioF());

    CommandRouter *r = &router;
    for (const ToolbarControl &c : toolbarTable()) {
        QWidget *w = nullptr;
        const CommandId id = c.command;
        switch (c.kind) {
        case ToolbarControl::Kind::Button: {
            auto *button = new PictureButton(this);
            button->setGeometry(c.geometry);
            button->setSvgPictures(c.icon);
            connect(button, &PictureButton::clicked, this, [r, id] { r->run(id); });
            w = button;
            break;
        }
        case ToolbarControl::Kind::FontNameBox:
            m_fontName = makeBox(this, 200);
            connect(m_fontName, &QComboBox::activated, this, [r, id] { r->run(id); });
            w = m_fontName;
            break;
        case ToolbarControl::Kind::FontSizeBox:
            m_fontSize = makeBox(this, 70);
            FillFontSizeBox(m_fontSize);
            connect(m_fontSize, &QComboBox::activated, this, [r, id] { r->run(id); });
            w = m_fontSize;
            break;
        case ToolbarControl::Kind::ColourPicker: {
            auto *picker = new ui::ColourPicker(this);
            if (id == CommandId::TextBackColour) {
                picker->setColour(int(text::PackColour(0xff, 0xff, 0x00)));
                m_textBackColour = picker;
            } else {
                m_textColour = picker;
            }
            connect(picker, &ui::ColourPicker::colourPicked, this, [r, id] { r->run(id); });
            w = picker;
            break;
        }
        }
        w->setObjectName(c.name);
        w->setGeometry(c.geometry);
        // Screen readers name each control by its tooltip text (a drop-down
        // list, named by its current item, is described by it).
        w->setAccessibleName(c.tooltip);
        if (qobject_cast<QComboBox *>(w))
            w->setAccessibleDescription(c.tooltip);
    }
    m_effectsMenu = buildEffectsMenu(this, router);
}

void Toolbar::applyTooltips()
{
    for (const ToolbarControl &c : toolbarTable())
        SetTooltip(control(c.name), c.tooltip);
}

QWidget *Toolbar::control(const QString &name) const
{
    for (QWidget *child : findChildren<QWidget *>(name, Qt::FindDirectChildrenOnly))
        return child;
    return nullptr;
}

QSize Toolbar::sizeHint() const
{
    return QSize(kDesignWidth, kHeight);
}

void Toolbar::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(QPoint(0, 0), m_background);
    if (width() > kDesignWidth) {
        // Beyond the picture the strip continues with its last column.
        const qreal dpr = m_background.devicePixelRatio();
        const QRect lastColumn(int((kDesignWidth - 1) * dpr), 0, int(dpr), m_background.height());
        p.drawPixmap(QRect(kDesignWidth, 0, width() - kDesignWidth, kHeight), m_background,
                     lastColumn);
    }
}

} // namespace commands
