#include "app/InitialisingWindow.h"

#include "commands/PictureButton.h"
#include "text/Version.h"

#include <QFile>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QSvgRenderer>
#include <QTimer>

namespace app {

namespace {

// The picture of an SVG file; "@VERSION@" in it stands for the version label.
QPixmap renderSvg(const QString &path, const QSize &size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    QFile file(path);
    QByteArray svg = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    svg.replace("@VERSION@", text::VersionLabel().toUtf8());
    QSvgRenderer renderer(svg);
    QPainter painter(&pixmap);
    renderer.render(&painter);
    return pixmap;
}

// The banner picture "图片框1": closes the window like its background does.
class Banner : public QWidget {
public:
    explicit Banner(QWidget *parent) : QWidget(parent)
    {
        m_picture = renderSvg(QStringLiteral(":/app/init-banner.svg"), QSize(567, 92));
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter(this).drawPixmap(0, 0, m_picture);
    }

private:
    QPixmap m_picture;
};

} // namespace

InitialisingWindow::InitialisingWindow(QWidget *owner)
    // A dialog to the window system and to screen readers, without a frame.
    : QDialog(owner, Qt::Dialog | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("初始化窗口"));
    setWindowTitle(QStringLiteral("初始化窗口"));
    setAccessibleName(QStringLiteral("初始化窗口"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(576, 319);
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(128, 224, 0));
    setPalette(pal);
    setAutoFillBackground(true);
    m_background = renderSvg(QStringLiteral(":/app/init-background.svg"), size());

    m_banner = new Banner(this);
    m_banner->setObjectName(QStringLiteral("图片框1"));
    m_banner->setAccessibleName(QStringLiteral("Zelvo网页编辑器") + text::VersionLabel());
    m_banner->setGeometry(0, 0, 567, 92);
    m_banner->installEventFilter(this);

    struct PictureButtonInfo {
        const char *name;
        const char *caption;
        const char *picture;
        int left;
        Action action;
    };
    const PictureButtonInfo buttons[] = {
        {"图形按钮1", "新建", ":/app/init-new.svg", 103, Action::NewPage},
        {"图形按钮2", "打开", ":/app/init-open.svg", 231, Action::OpenPage},
        {"图形按钮3", "向导", ":/app/init-guide.svg", 359, Action::Tutorial},
    };
    for (const PictureButtonInfo &b : buttons) {
        auto *button = new commands::PictureButton(this);
        button->setObjectName(QString::fromUtf8(b.name));
        button->setAccessibleName(QString::fromUtf8(b.caption));
        button->setToolTip(QString::fromUtf8(b.caption));
        button->setGeometry(b.left, 154, 102, 52);
        button->setSvgPictures(QString::fromUtf8(b.picture));
        const Action action = b.action;
        connect(button, &commands::PictureButton::clicked, this, [this, action] { choose(action); });
    }

    m_status = new QLabel(QStringLiteral("正在初始化……"), this);
    m_status->setObjectName(QStringLiteral("标签1"));
    m_status->setAccessibleName(QStringLiteral("状态"));
    m_status->setGeometry(-1, 277, 568, 32);
    m_status->setAlignment(Qt::AlignCenter);
    m_status->setAutoFillBackground(true);
    QPalette statusPal = m_status->palette();
    statusPal.setColor(QPalette::Window, QColor(216, 216, 0));
    m_status->setPalette(statusPal);
    m_status->installEventFilter(this);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("时钟1"));
    m_timer->setInterval(1000);
    m_timer->setSingleShot(true); // the status line changes once
    connect(m_timer, &QTimer::timeout, this, [this] { m_status->setText(welcomeText()); });
    m_timer->start();

    if (QScreen *screen = owner && owner->screen() ? owner->screen() : QGuiApplication::primaryScreen())
        move(screen->geometry().center() - rect().center());
}

QString InitialisingWindow::welcomeText()
{
    return QStringLiteral("欢迎使用Zelvo网页编辑器正式版，Zelvo，让网页制作更容易！");
}

QString InitialisingWindow::statusText() const
{
    return m_status->text();
}

void InitialisingWindow::setReady()
{
    m_ready = true;
    if (m_heldBack != Action::None) {
        const Action action = m_heldBack;
        m_heldBack = Action::None;
        emit actionRequested(action);
        close();
    }
}

void InitialisingWindow::choose(Action action)
{
    hide();
    if (!m_ready) {
        // Start-up is still writing the first page; run the choice after it.
        m_heldBack = action;
        return;
    }
    emit actionRequested(action);
    close();
}

void InitialisingWindow::paintEvent(QPaintEvent *)
{
    QPainter(this).drawPixmap(0, 0, m_background);
}

void InitialisingWindow::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        close();
}

bool InitialisingWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::MouseButtonPress && watched == m_status &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        close();
        return true;
    }
    if (event->type() == QEvent::MouseButtonRelease && watched == m_banner &&
        static_cast<QMouseEvent *>(event)->button() == Qt::LeftButton) {
        close();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace app
