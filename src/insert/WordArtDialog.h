#pragma once
// The dialog "插入艺术字": a gallery of the thirty WordArt styles and the
// text to show in the chosen one.
#include "insert/InsertDialog.h"

#include <QPixmap>
#include <QWidget>
#include <array>

class QLineEdit;
class QPlainTextEdit;

namespace engine {
class EngineView;
}

namespace insert {

inline const QString WordArtDialogCaption = QStringLiteral("插入艺术字");

// One style's box over the gallery: it shows a thin frame while framed and
// reports the pointer entering, leaving and pressing it. To the keyboard and
// to screen readers the boxes are a group of radio buttons: Tab reaches the
// chosen one, the arrow keys choose a neighbour.
class WordArtStyleBox : public QWidget {
    Q_OBJECT
public:
    WordArtStyleBox(int style, QWidget *gallery);

    int style() const { return m_style; }
    bool isFramed() const { return m_framed; }
    void setFramed(bool framed);
    void setChosen(bool chosen);

signals:
    void entered(int style);
    void left(int style);
    void chosen(int style);

protected:
    void paintEvent(QPaintEvent *event) override;
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;

private:
    int m_style;
    bool m_framed = false;
    bool m_chosen = false;
};

// The picture behind the boxes: every style's preview at its place.
class WordArtGallery : public QWidget {
    Q_OBJECT
public:
    explicit WordArtGallery(QWidget *parent);

    static constexpr int kWidth = 477;
    static constexpr int kHeight = 388;
    static constexpr int kBoxWidth = 77;
    static constexpr int kBoxHeight = 75;
    // Where box N (1 to 30) sits on the picture: six columns, five rows.
    static QPoint boxPosition(int style);
    // The whole picture for a device pixel ratio, drawn once and kept.
    static QPixmap picture(qreal devicePixelRatio);

protected:
    void paintEvent(QPaintEvent *event) override;
};

class WordArtDialog : public InsertDialog {
    Q_OBJECT
public:
    WordArtDialog(QWidget *owner, Inserter inserter);

    // The chosen style (wordArtStyle), 1 to 30; 1 at every opening.
    int style() const { return m_style; }
    void chooseStyle(int style);
    // The style under the pointer, 0 when the pointer is over none.
    int hoveredStyle() const { return m_hovered; }
    WordArtStyleBox *styleBox(int style) const;
    // The text as typed, each line break as CR LF.
    QString text() const;

private:
    void updateFrames();

    std::array<WordArtStyleBox *, 30> m_boxes{};
    QPlainTextEdit *m_text = nullptr;
    int m_style = 1;
    int m_hovered = 0;
};

// Opens the dialog owned by owner, inserting into view; an open one is
// brought to the front instead.
QDialog *OpenWordArtDialog(QWidget *owner, engine::EngineView *view);

} // namespace insert
