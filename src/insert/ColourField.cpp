#include "insert/ColourField.h"

#include "app/common/Prompter.h"

#include <QMenu>
#include <QPainter>
#include <QPixmap>

namespace insert {

namespace {

struct StandardColour {
    const char *name;
    quint32 colour; // 0x00BBGGRR
};

const StandardColour standardColours[] = {
    {"黑色", 0x000000}, {"白色", 0xFFFFFF}, {"红色", 0x0000FF}, {"绿色", 0x00FF00},
    {"蓝色", 0xFF0000}, {"黄色", 0x00FFFF}, {"青色", 0xFFFF00}, {"洋红", 0xFF00FF},
    {"深红", 0x000080}, {"深绿", 0x008000}, {"深蓝", 0x800000}, {"橄榄色", 0x008080},
    {"蓝绿", 0x808000}, {"紫色", 0x800080}, {"灰色", 0x808080}, {"银色", 0xC0C0C0},
};

QPixmap swatch(quint32 colour, const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(ColourField::toQColor(colour));
    QPainter painter(&pixmap);
    painter.setPen(Qt::darkGray);
    painter.drawRect(0, 0, size.width() - 1, size.height() - 1);
    return pixmap;
}

} // namespace

ColourField::ColourField(quint32 colour, QWidget *parent) : QToolButton(parent), m_colour(colour & 0xFFFFFFu)
{
    setPopupMode(QToolButton::InstantPopup);
    setToolButtonStyle(Qt::ToolButtonIconOnly);
    setIconSize(QSize(48, 14));
    auto *menu = new QMenu(this);
    for (const StandardColour &standard : standardColours) {
        const QString name = QString::fromUtf8(standard.name);
        QAction *action = menu->addAction(QIcon(swatch(standard.colour, QSize(16, 16))), name);
        const quint32 value = standard.colour;
        connect(action, &QAction::triggered, this, [this, value] { pick(value); });
    }
    menu->addSeparator();
    connect(menu->addAction(QStringLiteral("其他颜色…")), &QAction::triggered, this,
            &ColourField::chooseOtherColour);
    setMenu(menu);
    paintSwatch();
}

void ColourField::setColour(quint32 colour)
{
    m_colour = colour & 0xFFFFFFu;
    paintSwatch();
}

void ColourField::chooseOtherColour()
{
    if (const auto chosen = ui::prompter().colour(window(), toQColor(m_colour)))
        pick(fromQColor(*chosen));
}

void ColourField::pick(quint32 colour)
{
    setColour(colour);
    emit colourPicked(m_colour);
}

void ColourField::paintSwatch()
{
    setIcon(QIcon(swatch(m_colour, iconSize())));
    setToolTip(ColourField::toQColor(m_colour).name(QColor::HexRgb).toUpper());
}

quint32 ColourField::fromQColor(const QColor &colour)
{
    return quint32(colour.red()) | (quint32(colour.green()) << 8) | (quint32(colour.blue()) << 16);
}

QColor ColourField::toQColor(quint32 colour)
{
    return QColor(int(colour & 0xFF), int((colour >> 8) & 0xFF), int((colour >> 16) & 0xFF));
}

} // namespace insert
