#pragma once
// The screen colour picker "取色窗口": pressing the mouse button on the
// eyedropper and dragging it anywhere on the screen shows the colour under
// the pointer in four notations and on a swatch.
#include <QCursor>
#include <QDialog>
#include <QLabel>
#include <QPixmap>

class QLineEdit;

namespace tools {

extern const QString ColourPickerCaption; // "取色窗口"

// The eyedropper box "图片框5". A press in it starts picking; until the
// release it holds the mouse, so that it hears every move on the screen.
class EyedropperBox : public QLabel {
    Q_OBJECT
public:
    explicit EyedropperBox(QWidget *parent = nullptr);

    bool picking() const { return m_picking; }
    // The eyedropper (full colour, hot spot 3, 1) and the hand the box shows
    // when the eyedropper is not in use (black and white, hot spot 6, 0).
    static QCursor eyedropperCursor();
    static QCursor handCursor();
    static QPixmap eyedropperPicture();

signals:
    // The pointer moved while picking.
    void sampleRequested();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void stopPicking();

    bool m_picking = false;
};

class ColourPickerWindow : public QDialog {
    Q_OBJECT
public:
    explicit ColourPickerWindow(QWidget *owner);

    // Reads the screen pixel under the pointer and shows its colour. Boxes
    // stay as they are when the screen cannot be read there.
    void sample();
    // Shows a colour 0x00BBGGRR on the swatch and in the four boxes.
    void showColour(quint32 colour);

    EyedropperBox *eyedropper() const { return m_eyedropper; }
    QLabel *swatch() const { return m_swatch; }
    QLineEdit *htmlBox() const { return m_html; }
    QLineEdit *decimalBox() const { return m_decimal; }
    QLineEdit *rgbBox() const { return m_rgb; }
    QLineEdit *hslBox() const { return m_hsl; }

private:
    EyedropperBox *m_eyedropper = nullptr;
    QLabel *m_swatch = nullptr;
    QLineEdit *m_html = nullptr;
    QLineEdit *m_decimal = nullptr;
    QLineEdit *m_rgb = nullptr;
    QLineEdit *m_hsl = nullptr;
};

// Opens the window owned by owner (brings it to the front when it is open).
QDialog *OpenColourPicker(QWidget *owner);

} // namespace tools
