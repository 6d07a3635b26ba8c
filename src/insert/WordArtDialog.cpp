#include "insert/WordArtDialog.h"

#include "insert/Insertion.h"
#include "insert/WordArt.h"
#include "insert/WordArtLook.h"
#include "ui/Accessibility.h"
#include "ui/DialogHost.h"

#include <QEnterEvent>
#include <QHash>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTextCursor>

namespace insert {

WordArtStyleBox::WordArtStyleBox(int style, QWidget *gallery) : QWidget(gallery), m_style(style)
{
    ui::nameControl(this, QStringLiteral("图片框%1").arg(style), QStringLiteral("艺术字样式%1").arg(style));
    setGeometry(QRect(WordArtGallery::boxPosition(style),
                      QSize(WordArtGallery::kBoxWidth, WordArtGallery::kBoxHeight)));
    // The gallery's picture shows through; the box draws only its frame.
    setAttribute(Qt::WA_TranslucentBackground);
    setFocusPolicy(Qt::NoFocus);
    ui::AccessibleTraits traits;
    traits.role = QAccessible::RadioButton;
    traits.press = [this] { emit chosen(m_style); };
    traits.checked = [this] { return m_chosen; };
    ui::describeControl(this, std::move(traits));
}

void WordArtStyleBox::setFramed(bool framed)
{
    if (framed == m_framed)
        return;
    m_framed = framed;
    update();
}

void WordArtStyleBox::setChosen(bool chosen)
{
    if (chosen == m_chosen)
        return;
    m_chosen = chosen;
    // Like a group of radio buttons, only the chosen one is a Tab stop; a
    // click chooses without taking the focus from the text.
    setFocusPolicy(chosen ? Qt::TabFocus : Qt::NoFocus);
    ui::announceStateChange(this);
}

void WordArtStyleBox::paintEvent(QPaintEvent *)
{
    if (!m_framed && !hasFocus())
        return;
    QPainter p(this);
    if (m_framed) {
        p.setPen(QPen(palette().color(QPalette::WindowText), 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
    if (hasFocus()) {
        p.setPen(QPen(palette().color(QPalette::Highlight), 1, Qt::DotLine));
        p.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}

void WordArtStyleBox::keyPressEvent(QKeyEvent *event)
{
    // Six styles to a row, five rows.
    constexpr int columns = 6;
    const int n = m_style - 1;
    int next = -1;
    switch (event->key()) {
    case Qt::Key_Left: next = n % columns > 0 ? n - 1 : n; break;
    case Qt::Key_Right: next = n % columns < columns - 1 && n + 1 < WordArtStyleCount ? n + 1 : n; break;
    case Qt::Key_Up: next = n >= columns ? n - columns : n; break;
    case Qt::Key_Down: next = n + columns < WordArtStyleCount ? n + columns : n; break;
    case Qt::Key_Home: next = 0; break;
    case Qt::Key_End: next = WordArtStyleCount - 1; break;
    case Qt::Key_Space: next = n; break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    emit chosen(next + 1);
}

void WordArtStyleBox::focusInEvent(QFocusEvent *)
{
    update();
}

void WordArtStyleBox::focusOutEvent(QFocusEvent *)
{
    update();
}

void WordArtStyleBox::enterEvent(QEnterEvent *)
{
    emit entered(m_style);
}

void WordArtStyleBox::leaveEvent(QEvent *)
{
    emit left(m_style);
}

void WordArtStyleBox::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        emit chosen(m_style);
}

WordArtGallery::WordArtGallery(QWidget *parent) : QWidget(parent)
{
    ui::nameControl(this, QStringLiteral("图片框"), QStringLiteral("艺术字样式"));
    ui::describeControl(this, {QAccessible::Grouping, {}, {}, {}});
    setFixedSize(kWidth, kHeight);
}

QPoint WordArtGallery::boxPosition(int style)
{
    static const int columns[] = {0, 80, 160, 240, 320, 400};
    static const int rows[] = {1, 79, 157, 235, 312};
    const int n = qBound(1, style, WordArtStyleCount) - 1;
    return QPoint(columns[n % 6], rows[n / 6]);
}

QPixmap WordArtGallery::picture(qreal devicePixelRatio)
{
    static QHash<qreal, QPixmap> drawn;
    auto it = drawn.constFind(devicePixelRatio);
    if (it != drawn.constEnd())
        return it.value();
    QPixmap pixmap(QSize(kWidth, kHeight) * devicePixelRatio);
    pixmap.setDevicePixelRatio(devicePixelRatio);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    for (int style = 1; style <= WordArtStyleCount; ++style) {
        const QPoint at = boxPosition(style);
        p.fillRect(QRect(at + QPoint(2, 2), QSize(kBoxWidth - 4, kBoxHeight - 4)), QColor(0xf4, 0xf6, 0xfa));
        p.drawImage(at, WordArtPreview(style, QSize(kBoxWidth, kBoxHeight), devicePixelRatio));
    }
    p.end();
    drawn.insert(devicePixelRatio, pixmap);
    return pixmap;
}

void WordArtGallery::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture(devicePixelRatioF()));
}

WordArtDialog::WordArtDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, WordArtDialogCaption, QSize(709, 425))
{
    setInserter(std::move(inserter));

    auto *gallery = new WordArtGallery(this);
    gallery->move(8, 18);
    for (int style = 1; style <= WordArtStyleCount; ++style) {
        auto *box = new WordArtStyleBox(style, gallery);
        // The frames follow the pointer's own enter and leave events.
        connect(box, &WordArtStyleBox::entered, this, [this](int n) {
            m_hovered = n;
            updateFrames();
        });
        connect(box, &WordArtStyleBox::left, this, [this](int n) {
            if (m_hovered == n)
                m_hovered = 0;
            updateFrames();
        });
        connect(box, &WordArtStyleBox::chosen, this, &WordArtDialog::chooseStyle);
        m_boxes[size_t(style - 1)] = box;
    }

    auto *textLabel = new QLabel(QStringLiteral("文字"), this);
    textLabel->setGeometry(494, 8, 208, 20);
    m_text = new QPlainTextEdit(this);
    ui::nameControl(m_text, QStringLiteral("编辑框2"), QStringLiteral("文字"));
    m_text->setGeometry(494, 30, 208, 296);
    m_text->setTabChangesFocus(true);
    textLabel->setBuddy(m_text);

    auto *fontLabel = new QLabel(QStringLiteral("字体"), this);
    fontLabel->setGeometry(494, 338, 32, 24);
    auto *font = new QLineEdit(QStringLiteral("宋体"), this);
    ui::nameControl(font, QStringLiteral("编辑框3"), QStringLiteral("字体"));
    font->setGeometry(526, 338, 76, 24);
    font->setReadOnly(true);
    fontLabel->setBuddy(font);
    auto *sizeLabel = new QLabel(QStringLiteral("大小"), this);
    sizeLabel->setGeometry(610, 338, 32, 24);
    auto *size = new QLineEdit(QStringLiteral("36"), this);
    ui::nameControl(size, QStringLiteral("编辑框1"), QStringLiteral("大小"));
    size->setGeometry(642, 338, 60, 24);
    size->setReadOnly(true);
    sizeLabel->setBuddy(size);

    auto *confirm = new QPushButton(QStringLiteral("确定"), this);
    ui::nameControl(confirm, QStringLiteral("按钮1"), QStringLiteral("确定"));
    confirm->setGeometry(494, 382, 100, 28);
    confirm->setAutoDefault(false);
    auto *cancel = new QPushButton(QStringLiteral("取消"), this);
    ui::nameControl(cancel, QStringLiteral("按钮2"), QStringLiteral("取消"));
    cancel->setGeometry(602, 382, 100, 28);
    cancel->setAutoDefault(false);
    bindConfirm(confirm, [this] { return BuildWordArt(m_style, text()); });
    bindCancel(cancel);

    // Opening: the text box has the focus and the default text, with the
    // caret at its end; style 1 is chosen and framed.
    m_text->setFocus(Qt::OtherFocusReason);
    m_text->moveCursor(QTextCursor::End);
    m_text->insertPlainText(WordArtDefaultText);
    chooseStyle(1);
}

void WordArtDialog::chooseStyle(int style)
{
    m_style = qBound(1, style, WordArtStyleCount);
    updateFrames();
}

WordArtStyleBox *WordArtDialog::styleBox(int style) const
{
    return style >= 1 && style <= WordArtStyleCount ? m_boxes[size_t(style - 1)] : nullptr;
}

QString WordArtDialog::text() const
{
    QString typed = m_text->toPlainText();
    typed.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
    return typed;
}

void WordArtDialog::updateFrames()
{
    // The chosen style and the style under the pointer are framed. The
    // keyboard focus, when it is on a style, follows the choice.
    bool focusOnStyle = false;
    for (WordArtStyleBox *box : m_boxes)
        focusOnStyle = focusOnStyle || box->hasFocus();
    for (WordArtStyleBox *box : m_boxes) {
        box->setFramed(box->style() == m_style || box->style() == m_hovered);
        box->setChosen(box->style() == m_style);
    }
    if (focusOnStyle)
        styleBox(m_style)->setFocus(Qt::OtherFocusReason);
}

QDialog *OpenWordArtDialog(QWidget *owner, engine::EngineView *view)
{
    return ui::DialogHost::of(owner)->open(WordArtDialogCaption, [view](QWidget *parent) {
        return new WordArtDialog(parent, InserterFor(view));
    });
}

} // namespace insert
