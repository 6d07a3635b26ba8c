#pragma once
// The greeting shown over the main window at every start: a banner, three
// picture buttons (new page, open a page, the tutorial) and a status line
// that changes once, a second after the window opened.
#include <QDialog>

class QLabel;
class QTimer;

namespace commands {
class PictureButton;
}

namespace app {

class InitialisingWindow : public QDialog {
    Q_OBJECT
public:
    enum class Action { None, NewPage, OpenPage, Tutorial };

    explicit InitialisingWindow(QWidget *owner);

    // Until the main window has finished starting, a button's action is held
    // back and delivered by setReady().
    void setReady();
    bool isReady() const { return m_ready; }
    QString statusText() const;

    static QString welcomeText();

signals:
    // Emitted after the window has closed.
    void actionRequested(app::InitialisingWindow::Action action);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void choose(Action action);

    QPixmap m_background;
    QWidget *m_banner = nullptr;
    QLabel *m_status = nullptr;
    QTimer *m_timer = nullptr;
    bool m_ready = false;
    Action m_heldBack = Action::None;
};

} // namespace app
