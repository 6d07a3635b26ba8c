#include "ui/ColourPicker.h"

#include "text/Colour.h"
#include "ui/Accessibility.h"
#include "ui/Prompter.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>
#include <QWidgetAction>

namespace ui {


const QVector<NamedColour> &standardColours()
{
    static const QVector<NamedColour> colours = [] {
        const struct {
            unsigned rgb;
            const char *name;
        } table[] = {
            {0x000000, "黑色"},   {0x993300, "褐色"},    {0x333300, "橄榄色"},  {0x003300, "深绿"},
            {0x003366, "深青"},   {0x000080, "深蓝"},    {0x333399, "靛蓝"},    {0x333333, "灰色-80%"},
            {0x800000, "深红"},   {0xFF6600, "橙色"},    {0x808000, "深黄"},    {0x008000, "绿色"},
            {0x008080, "青色"},   {0x0000FF, "蓝色"},    {0x666699, "蓝灰"},    {0x808080, "灰色-50%"},
            {0xFF0000, "红色"},   {0xFF9900, "浅橙色"},  {0x99CC00, "酸橙色"},  {0x339966, "海绿"},
            {0x33CCCC, "水绿色"}, {0x3366FF, "浅蓝"},    {0x800080, "紫罗兰"},  {0x969696, "灰色-40%"},
            {0xFF00FF, "粉红"},   {0xFFCC00, "金色"},    {0xFFFF00, "黄色"},    {0x00FF00, "鲜绿"},
            {0x00FFFF, "青绿"},   {0x00CCFF, "天蓝"},    {0x993366, "梅红"},    {0xC0C0C0, "灰色-25%"},
            {0xFF99CC, "玫瑰红"}, {0xFFCC99, "茶色"},    {0xFFFF99, "浅黄"},    {0xCCFFCC, "浅绿"},
            {0xCCFFFF, "浅青绿"}, {0x99CCFF, "淡蓝"},    {0xCC99FF, "淡紫"},    {0xFFFFFF, "白色"},
        };
        QVector<NamedColour> list;
        for (const auto &entry : table)
            list.append({QColor::fromRgb(entry.rgb), QString::fromUtf8(entry.name)});
        return list;
    }();
    return colours;
}

namespace {

QIcon swatchIcon(const QColor &colour)
{
    QPixmap pixmap(14, 14);
    pixmap.fill(colour);
    QPainter p(&pixmap);
    p.setPen(QColor(0x80, 0x80, 0x80));
    p.drawRect(0, 0, 13, 13);
    return QIcon(pixmap);
}

} // namespace

ColourPicker::ColourPicker(QWidget *parent) : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::ArrowCursor);
    // A button with a drop-down to screen readers, which say the colour
    // after the control's name.
    AccessibleTraits traits;
    traits.role = QAccessible::ButtonDropDown;
    traits.press = [this] { openDropDown(); };
    traits.description = [this] { return colourName(); };
    describeControl(this, std::move(traits));
}

void ColourPicker::setColour(int colour)
{
    const int before = m_colour;
    m_colour = colour & 0xffffff;
    update();
    if (m_colour != before)
        announceDescriptionChange(this);
}

QString ColourPicker::colourName() const
{
    const QString html = text::ColourToHtml(quint32(m_colour));
    const QColor shown = text::ColourFromValue(m_colour);
    for (const NamedColour &named : standardColours())
        if (named.colour == shown)
            return named.name + QLatin1Char(' ') + html;
    return html;
}

QMenu *ColourPicker::dropDown()
{
    if (m_menu)
        return m_menu;
    m_menu = new QMenu(this);
    m_menu->setObjectName(QStringLiteral("颜色列表"));
    m_menu->setAccessibleName(QStringLiteral("颜色列表"));

    auto *grid = new QWidget(m_menu);
    auto *layout = new QGridLayout(grid);
    layout->setContentsMargins(6, 6, 6, 4);
    layout->setSpacing(3);
    const QVector<NamedColour> &colours = standardColours();
    for (int i = 0; i < colours.size(); ++i) {
        auto *swatch = new QToolButton(grid);
        swatch->setAutoRaise(true);
        swatch->setIcon(swatchIcon(colours[i].colour));
        swatch->setIconSize(QSize(14, 14));
        swatch->setFixedSize(20, 20);
        swatch->setToolTip(colours[i].name);
        swatch->setAccessibleName(colours[i].name);
        swatch->setObjectName(colours[i].name);
        const int value = int(text::ColourValue(colours[i].colour));
        connect(swatch, &QToolButton::clicked, this, [this, value] {
            m_menu->hide();
            pick(value);
        });
        layout->addWidget(swatch, i / 8, i % 8);
    }
    auto *gridAction = new QWidgetAction(m_menu);
    gridAction->setDefaultWidget(grid);
    m_menu->addAction(gridAction);
    m_menu->addSeparator();
    QAction *other = m_menu->addAction(QStringLiteral("其他颜色…"));
    connect(other, &QAction::triggered, this, &ColourPicker::chooseOtherColour);
    return m_menu;
}

void ColourPicker::openDropDown()
{
    dropDown()->popup(mapToGlobal(QPoint(0, height())));
}

void ColourPicker::pick(int colour)
{
    setColour(colour);
    emit colourPicked(m_colour);
}

void ColourPicker::chooseOtherColour()
{
    const std::optional<QColor> chosen =
        ui::prompter().colour(window(), text::ColourFromValue(m_colour));
    if (chosen && chosen->isValid())
        pick(int(text::ColourValue(*chosen)));
}

QSize ColourPicker::sizeHint() const
{
    return QSize(54, 20);
}

void ColourPicker::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF face = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QLinearGradient fill(face.topLeft(), face.bottomLeft());
    if (m_hot) {
        fill.setColorAt(0, QColor(0xfd, 0xf1, 0xc9));
        fill.setColorAt(1, QColor(0xfb, 0xd8, 0x8a));
    } else {
        fill.setColorAt(0, QColor(0xff, 0xff, 0xff));
        fill.setColorAt(1, QColor(0xe8, 0xee, 0xf5));
    }
    p.setBrush(fill);
    p.setPen(hasFocus() ? QColor(0x3a, 0x7b, 0xd5) : QColor(0x8a, 0x9b, 0xb0));
    p.drawRoundedRect(face, 2, 2);

    // Colour swatch on the left, drop-down arrow on the right.
    const int arrowWidth = 12;
    const QRectF swatch(4, 4, width() - arrowWidth - 9, height() - 8);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QColor(0x55, 0x55, 0x55));
    p.setBrush(text::ColourFromValue(m_colour));
    p.drawRect(swatch.toRect().adjusted(0, 0, -1, -1));
    p.setRenderHint(QPainter::Antialiasing);

    const qreal ax = width() - arrowWidth / 2.0 - 3;
    const qreal ay = height() / 2.0;
    QPainterPath arrow;
    arrow.moveTo(ax - 3.5, ay - 1.5);
    arrow.lineTo(ax + 3.5, ay - 1.5);
    arrow.lineTo(ax, ay + 2.5);
    arrow.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x33, 0x44, 0x55));
    p.drawPath(arrow);
}

void ColourPicker::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        openDropDown();
}

void ColourPicker::keyPressEvent(QKeyEvent *event)
{
    // Enter is left to the dialog, whose confirm button it runs.
    const bool open = event->key() == Qt::Key_Space || event->key() == Qt::Key_F4
        || (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier));
    if (open)
        openDropDown();
    else
        QWidget::keyPressEvent(event);
}

void ColourPicker::enterEvent(QEnterEvent *)
{
    m_hot = true;
    update();
}

void ColourPicker::leaveEvent(QEvent *)
{
    m_hot = false;
    update();
}

void ColourPicker::focusInEvent(QFocusEvent *)
{
    update();
}

void ColourPicker::focusOutEvent(QFocusEvent *)
{
    update();
}

} // namespace ui
