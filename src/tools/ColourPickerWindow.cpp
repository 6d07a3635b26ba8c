#include "tools/ColourPickerWindow.h"

#include "text/Colour.h"
#include "text/ColourSpaces.h"
#include "ui/DialogHost.h"
#include "ui/Naming.h"

#include <QApplication>
#include <QGuiApplication>
#include <QImage>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>

namespace tools {

const QString ColourPickerCaption = QStringLiteral("取色窗口");

namespace {

// One of the window's pictures at its size in pixels.
QPixmap svgPicture(const QString &file, const QSize &size)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QSvgRenderer renderer(QStringLiteral(":/tools/") + file);
    QPainter painter(&image);
    renderer.render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return QPixmap::fromImage(image);
}

// Lets the window system draw what changed, without taking user input.
void drawPending()
{
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

QLabel *caption(QWidget *parent, const QString &name, const QString &text, int x, int y)
{
    auto *label = new QLabel(text, parent);
    ui::nameControl(label, name, text);
    label->setGeometry(x, y, 40, 24);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return label;
}

QLineEdit *box(QWidget *parent, const QString &name, const QString &accessibleName, int y)
{
    auto *edit = new QLineEdit(parent);
    ui::nameControl(edit, name, accessibleName);
    edit->setGeometry(56, y, 144, 24);
    return edit;
}

} // namespace

EyedropperBox::EyedropperBox(QWidget *parent) : QLabel(parent)
{
    ui::nameControl(this, QStringLiteral("图片框5"), QStringLiteral("吸管"));
    setToolTip(QStringLiteral("按住鼠标左键拖到屏幕上任意处取色"));
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setAlignment(Qt::AlignCenter);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    p.setColor(QPalette::WindowText, Qt::black);
    setPalette(p);
    setPixmap(eyedropperPicture());
    setCursor(handCursor());
    // Moves reach the box with the button up too (the handler ignores them):
    // a capture taken by a press that the window system did not see still
    // hears every move.
    setMouseTracking(true);
}

QPixmap EyedropperBox::eyedropperPicture()
{
    static const QPixmap pixmap = svgPicture(QStringLiteral("eyedropper.svg"), QSize(32, 32));
    return pixmap;
}

QCursor EyedropperBox::eyedropperCursor()
{
    return QCursor(eyedropperPicture(), 3, 1);
}

QCursor EyedropperBox::handCursor()
{
    static const QPixmap pixmap = [] {
        // Black, white and transparent only.
        QImage image = svgPicture(QStringLiteral("hand.svg"), QSize(32, 32)).toImage();
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                image.setPixelColor(x, y, c.alpha() < 128 ? QColor(Qt::transparent)
                                          : c.lightness() < 128 ? QColor(Qt::black) : QColor(Qt::white));
            }
        }
        return QPixmap::fromImage(image);
    }();
    return QCursor(pixmap, 6, 0);
}

void EyedropperBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        QLabel::mousePressEvent(event);
        return;
    }
    m_picking = true;
    // The eyedropper leaves its box while it is in use.
    setCursor(eyedropperCursor());
    setPixmap(QPixmap());
    drawPending();
    // From here on every move comes to the box, wherever the pointer is.
    if (m_picking)
        grabMouse(eyedropperCursor());
}

void EyedropperBox::mouseMoveEvent(QMouseEvent *event)
{
    if (m_picking)
        emit sampleRequested();
    else
        QLabel::mouseMoveEvent(event);
}

void EyedropperBox::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && m_picking)
        stopPicking();
    else
        QLabel::mouseReleaseEvent(event);
}

void EyedropperBox::hideEvent(QHideEvent *event)
{
    // A window closed during a drag must not keep the mouse.
    if (m_picking)
        stopPicking();
    QLabel::hideEvent(event);
}

void EyedropperBox::stopPicking()
{
    releaseMouse();
    m_picking = false;
    setCursor(handCursor());
    setPixmap(eyedropperPicture());
}

ColourPickerWindow::ColourPickerWindow(QWidget *owner)
    : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint
                         | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint)
{
    setObjectName(ColourPickerCaption);
    setWindowTitle(ColourPickerCaption);
    setAccessibleName(ColourPickerCaption);
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setSizeGripEnabled(false);
    setFixedSize(452, 302);
    setAutoFillBackground(true);
    QPalette p = palette();
    p.setColor(QPalette::Window, Qt::white);
    setPalette(p);

    m_eyedropper = new EyedropperBox(this);
    m_eyedropper->setGeometry(16, 16, 34, 34);
    connect(m_eyedropper, &EyedropperBox::sampleRequested, this, &ColourPickerWindow::sample);

    m_swatch = new QLabel(this);
    ui::nameControl(m_swatch, QStringLiteral("标签13"), QStringLiteral("颜色"));
    m_swatch->setGeometry(56, 8, 144, 48);
    m_swatch->setAutoFillBackground(true);

    caption(this, QStringLiteral("标签12"), QStringLiteral("HTML"), 16, 80);
    m_html = box(this, QStringLiteral("编辑框_HTML"), QStringLiteral("HTML"), 80);
    caption(this, QStringLiteral("标签9"), QStringLiteral("十进制"), 16, 128);
    m_decimal = box(this, QStringLiteral("编辑框_十进制"), QStringLiteral("十进制"), 128);
    caption(this, QStringLiteral("标签11"), QStringLiteral("RGB"), 16, 176);
    m_rgb = box(this, QStringLiteral("编辑框_RGB"), QStringLiteral("RGB"), 176);
    caption(this, QStringLiteral("标签14"), QStringLiteral("HSL"), 16, 224);
    m_hsl = box(this, QStringLiteral("编辑框_HSL"), QStringLiteral("HSL"), 224);

    auto *chart = new QLabel(this);
    ui::nameControl(chart, QStringLiteral("图片框3"), QStringLiteral("色板"));
    chart->setGeometry(216, 8, 224, 196);
    chart->setPixmap(svgPicture(QStringLiteral("colour-chart.svg"), chart->size()));
    auto *strip = new QLabel(this);
    ui::nameControl(strip, QStringLiteral("图片框4"), QStringLiteral("色带"));
    strip->setGeometry(216, 216, 224, 44);
    strip->setPixmap(svgPicture(QStringLiteral("colour-strip.svg"), strip->size()));
}

void ColourPickerWindow::sample()
{
    const QPoint pointer = QCursor::pos();
    QScreen *screen = QGuiApplication::screenAt(pointer);
    if (!screen)
        return;
    const QPoint onScreen = pointer - screen->geometry().topLeft();
    const QImage pixel = screen->grabWindow(0, onScreen.x(), onScreen.y(), 1, 1).toImage();
    if (pixel.isNull() || pixel.width() < 1 || pixel.height() < 1)
        return;
    showColour(text::ColourValue(pixel.pixelColor(0, 0)));
    drawPending();
}

void ColourPickerWindow::showColour(quint32 colour)
{
    const QColor shown = text::ColourFromValue(colour);
    if (m_swatch->palette().color(QPalette::Window) != shown) {
        QPalette p = m_swatch->palette();
        p.setColor(QPalette::Window, shown);
        m_swatch->setPalette(p);
    }
    const text::ColourNotations n = text::DescribeColour(colour);
    m_decimal->setText(n.decimal);
    m_rgb->setText(n.rgb);
    m_hsl->setText(n.hsl);
    if (m_html->text() != n.html)
        m_html->setText(n.html);
}

QDialog *OpenColourPicker(QWidget *owner)
{
    return ui::DialogHost::of(owner)->open(ColourPickerCaption,
                                           [](QWidget *parent) { return new ColourPickerWindow(parent); });
}

} // namespace tools
