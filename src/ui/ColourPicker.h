#pragma once
// A colour control: a face showing the current colour and a drop-down of
// standard colours with "其他颜色…" for the full colour dialog. Colours are
// 0x00BBGGRR values (red in the low byte).
#include <QColor>
#include <QVector>
#include <QWidget>

class QMenu;

namespace ui {


struct NamedColour {
    QColor colour;
    QString name;
};
// The standard colours of the drop-down, row by row (8 per row).
const QVector<NamedColour> &standardColours();

class ColourPicker : public QWidget {
    Q_OBJECT
public:
    explicit ColourPicker(QWidget *parent = nullptr);

    int colour() const { return m_colour; }
    // The colour as a screen reader says it: its name among the standard
    // colours, if it is one, and its HTML notation ("红色 #FF0000").
    QString colourName() const;
    // Changes the current colour without raising colourPicked.
    void setColour(int colour);

    // The drop-down (built on first use).
    QMenu *dropDown();
    // Opens the drop-down under the control.
    void openDropDown();

    // What the drop-down does: make the colour current and raise colourPicked.
    void pick(int colour);
    // "其他颜色…": the full colour dialog; cancelling changes nothing.
    void chooseOtherColour();

    QSize sizeHint() const override;

signals:
    void colourPicked(int colour);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    QMenu *m_menu = nullptr;
    int m_colour = 0;
    bool m_hot = false;
};

} // namespace ui
