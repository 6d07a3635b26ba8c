#include "commands/PictureButton.h"

#include <QEnterEvent>
#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace commands {

namespace {

qreal devicePixelRatioFor(const QWidget *w)
{
    if (const QScreen *screen = w->screen())
        return screen->devicePixelRatio();
    return qApp ? qApp->devicePixelRatio() : 1.0;
}

QPixmap renderSvg(const QString &path, const QSize &size, qreal dpr, bool hot)
{
    QPixmap pixmap(size * dpr);
    pixmap.setDevicePixelRatio(dpr);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(QPointF(0, 0), QSizeF(size)).adjusted(0.5, 0.5, -0.5, -0.5);
    if (hot) {
        QLinearGradient fill(frame.topLeft(), frame.bottomLeft());
        fill.setColorAt(0, QColor(0xfd, 0xf1, 0xc9));
        fill.setColorAt(1, QColor(0xfb, 0xd8, 0x8a));
        p.setPen(QPen(QColor(0xd8, 0xa0, 0x3c), 1));
        p.setBrush(fill);
        p.drawRoundedRect(frame, 3, 3);
    }
    QSvgRenderer svg(path);
    if (svg.isValid())
        svg.render(&p, QRectF(QPointF(0, 0), QSizeF(size)));
    return pixmap;
}

} // namespace

PictureButton::PictureButton(QWidget *parent) : QAbstractButton(parent)
{
    setAttribute(Qt::WA_Hover, false);
    setMouseTracking(true);
    // Reached with Tab, never by a click: a toolbar click must leave the
    // keyboard with the page.
    setFocusPolicy(Qt::TabFocus);
}

void PictureButton::setPictures(const QPixmap &normal, const QPixmap &hot, const QPixmap &pressed)
{
    m_svgPath.clear();
    m_normal = normal;
    m_hot = hot;
    m_pressed = pressed;
    update();
}

void PictureButton::setSvgPictures(const QString &svgPath)
{
    m_svgPath = svgPath;
    const qreal dpr = devicePixelRatioFor(this);
    m_normal = renderSvg(svgPath, size(), dpr, false);
    m_hot = renderSvg(svgPath, size(), dpr, true);
    m_pressed = m_normal;
    update();
}

const QPixmap &PictureButton::currentPicture() const
{
    switch (m_state) {
    case State::Hot: return m_hot;
    case State::Pressed: return m_pressed;
    case State::Normal: break;
    }
    return m_normal;
}

QSize PictureButton::sizeHint() const
{
    if (!m_normal.isNull())
        return m_normal.size() / m_normal.devicePixelRatio();
    return QSize(23, 23);
}

void PictureButton::setState(State state)
{
    if (m_state == state)
        return;
    const qint64 shown = currentPicture().cacheKey();
    m_state = state;
    // Repaint only when the picture changes (a toolbar button's pressed
    // picture is its normal one), so a click costs no extra paint.
    if (currentPicture().cacheKey() != shown)
        update();
}

bool PictureButton::pointerOver(const QPointF &pos) const
{
    return rect().contains(pos.toPoint());
}

void PictureButton::paintEvent(QPaintEvent *)
{
    const QPixmap &picture = currentPicture();
    if (picture.isNull())
        return;
    QPainter p(this);
    p.drawPixmap(QPoint(0, 0), picture);
}

void PictureButton::enterEvent(QEnterEvent *)
{
    // Back over the button while the left button is still held shows the
    // pressed picture; with no button held, the hot one.
    setState(m_leftDown ? State::Pressed : State::Hot);
}

void PictureButton::leaveEvent(QEvent *)
{
    setState(State::Normal);
}

void PictureButton::mouseMoveEvent(QMouseEvent *event)
{
    // While the left button is held the button keeps the mouse, so moves off
    // it arrive here too. A release that never reached us (the grab was taken
    // away) ends the press.
    if (!(event->buttons() & Qt::LeftButton))
        m_leftDown = false;
    if (!pointerOver(event->position()))
        setState(State::Normal);
    else if (m_leftDown)
        setState(State::Pressed);
    else
        setState(State::Hot);
}

void PictureButton::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_leftDown = true;
    setState(State::Pressed);
}

void PictureButton::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || !m_leftDown) {
        event->ignore();
        return;
    }
    m_leftDown = false;
    setState(State::Normal);
    if (pointerOver(event->position()))
        emit clicked();
}

void PictureButton::resizeEvent(QResizeEvent *)
{
    if (!m_svgPath.isEmpty())
        setSvgPictures(m_svgPath);
}

} // namespace commands
