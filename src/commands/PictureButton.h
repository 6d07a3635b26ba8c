#pragma once
// A button drawn with three pictures (normal, hot, pressed) that follow the
// mouse: hot while the pointer rests over it, pressed while the left button
// is held over it, normal otherwise. The click fires when the left button is
// released over the button; released elsewhere, nothing happens.
#include <QAbstractButton>
#include <QPixmap>

namespace commands {

class PictureButton : public QAbstractButton {
    Q_OBJECT
public:
    enum class State { Normal, Hot, Pressed };

    explicit PictureButton(QWidget *parent = nullptr);

    void setPictures(const QPixmap &normal, const QPixmap &hot, const QPixmap &pressed);
    // Pictures drawn from an SVG file at the button's size: the hot picture
    // adds a highlight frame; the pressed picture is the normal one.
    void setSvgPictures(const QString &svgPath);

    State state() const { return m_state; }
    const QPixmap &currentPicture() const;

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;

private:
    void setState(State state);
    bool pointerOver(const QPointF &pos) const;

    QPixmap m_normal, m_hot, m_pressed;
    QString m_svgPath;
    State m_state = State::Normal;
    bool m_leftDown = false;
};

} // namespace commands
