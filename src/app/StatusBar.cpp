#include "app/StatusBar.h"

#include "ui/Accessibility.h"

#include <QHBoxLayout>
#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

namespace app {

namespace {

// The text on one line: each line break (CR LF, CR, LF and the Unicode line
// and paragraph separators) and each tab becomes a space.
QString oneLine(QStringView text)
{
    QString line;
    line.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c == QLatin1Char('\r') && i + 1 < text.size() && text.at(i + 1) == QLatin1Char('\n'))
            continue;
        const bool breaks = c == QLatin1Char('\r') || c == QLatin1Char('\n') || c == QLatin1Char('\t')
            || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
        line += breaks ? QLatin1Char(' ') : c;
    }
    return line;
}

// The first count characters of a text, never ending in half a surrogate pair.
QStringView head(const QString &text, qsizetype count)
{
    QStringView part = QStringView(text).left(count);
    if (part.size() < text.size() && !part.isEmpty() && part.back().isHighSurrogate())
        part.chop(1);
    return part;
}

} // namespace

StatusPanel::StatusPanel(const QString &text, QWidget *parent) : QFrame(parent)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    // A label to screen readers (not a frame), its text read as its description.
    ui::describeControl(this, {QAccessible::StaticText, {}, {}, {}});
    setText(text);
}

void StatusPanel::setText(const QString &text)
{
    if (text == m_text)
        return;
    m_text = text;
    // Screen readers get what the tooltip shows.
    setAccessibleDescription(head(text, kTooltipChars).toString());
    update();
}

QString StatusPanel::shownText() const
{
    const int width = std::max(0, contentsRect().width() - 4);
    // No character is narrower than a pixel, so this much of the text fills
    // the panel; measuring the rest of a long text would only cost time.
    const qsizetype longest = width + 2;
    QString line = oneLine(head(m_text, longest));
    if (m_text.size() > longest)
        line += QChar(0x2026);
    return fontMetrics().elidedText(line, Qt::ElideRight, width);
}

QString StatusPanel::tooltipText() const
{
    if (m_text.isEmpty())
        return QString();
    QString shown = head(m_text, kTooltipChars).toString().toHtmlEscaped();
    if (m_text.size() > kTooltipChars)
        shown += QChar(0x2026);
    return QStringLiteral("<p style=\"white-space:pre-wrap\">") + shown + QStringLiteral("</p>");
}

bool StatusPanel::event(QEvent *event)
{
    // Made when asked for: the texts change far more often than anyone reads a tooltip.
    if (event->type() == QEvent::ToolTip) {
        const QString tip = tooltipText();
        if (tip.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(static_cast<QHelpEvent *>(event)->globalPos(), tip, this);
        return true;
    }
    return QFrame::event(event);
}

QSize StatusPanel::sizeHint() const
{
    // The text does not count: a long one is elided, not given room.
    return QSize(100, fontMetrics().height() + 2 * frameWidth());
}

QSize StatusPanel::minimumSizeHint() const
{
    return QSize(0, 0);
}

void StatusPanel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    drawFrame(&painter);
    painter.setPen(palette().color(QPalette::WindowText));
    painter.drawText(contentsRect().adjusted(2, 0, -2, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     shownText());
}

StatusBar::StatusBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("状态条1"));
    setAccessibleName(QStringLiteral("状态条"));
    ui::describeControl(this, {QAccessible::StatusBar, {}, {}, {}});
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const char *initial[3] = {"元素：", "内容：", "代码："};
    const int widths[3] = {100, 200, 0};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new StatusPanel(QString::fromUtf8(initial[i]), this);
        panel->setObjectName(QStringLiteral("状态条1_面板%1").arg(i + 1));
        panel->setAccessibleName(QString::fromUtf8(initial[i]).chopped(1));
        if (widths[i] > 0)
            panel->setFixedWidth(widths[i]);
        else
            panel->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
        layout->addWidget(panel, widths[i] > 0 ? 0 : 1);
        m_panels[i] = panel;
    }
}

void StatusBar::setPanelText(int panel, const QString &text)
{
    if (panel >= 0 && panel < 3)
        m_panels[panel]->setText(text);
}

QString StatusBar::panelText(int panel) const
{
    return panel >= 0 && panel < 3 ? m_panels[panel]->text() : QString();
}

StatusPanel *StatusBar::panel(int panel) const
{
    return panel >= 0 && panel < 3 ? m_panels[panel] : nullptr;
}

} // namespace app
