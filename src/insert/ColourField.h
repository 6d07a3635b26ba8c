#pragma once
// A colour picker control for the insertion dialogs: a button showing the
// current colour, with a drop-down of standard colours and "其他颜色…" for
// the full colour dialog. Colours are 0x00BBGGRR values (red in the low byte).
#include <QToolButton>

namespace insert {

class ColourField : public QToolButton {
    Q_OBJECT
public:
    explicit ColourField(quint32 colour, QWidget *parent = nullptr);

    quint32 colour() const { return m_colour; }
    void setColour(quint32 colour);

    // Asks the full colour dialog for a colour; keeps the current one when
    // the dialog is cancelled.
    void chooseOtherColour();

    static quint32 fromQColor(const QColor &colour);
    static QColor toQColor(quint32 colour);

signals:
    // The user picked a colour.
    void colourPicked(quint32 colour);

private:
    void pick(quint32 colour);
    void paintSwatch();

    quint32 m_colour = 0;
};

} // namespace insert
