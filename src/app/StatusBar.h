#pragma once
// The status bar "状态条1": three panels of widths 100, 200 and the rest.
// A panel shows its text on one line, cut to the panel's width with an
// ellipsis; its tooltip shows the text with its line breaks, up to what a
// screen can hold. Long texts never make the panels or the window wider.
#include <QFrame>
#include <QWidget>

namespace app {

class StatusPanel : public QFrame {
    Q_OBJECT
public:
    explicit StatusPanel(const QString &text, QWidget *parent = nullptr);

    void setText(const QString &text);
    QString text() const { return m_text; }
    // What the panel draws for its current width: one line, elided.
    QString shownText() const;
    // The tooltip: the text as it is, line breaks kept, markup shown as
    // text; beyond kTooltipChars characters it ends in an ellipsis (a page's
    // whole markup would take the tooltip seconds to lay out, and no screen
    // could show it). Empty for an empty text.
    static constexpr int kTooltipChars = 2000;
    QString tooltipText() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    bool event(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    QString m_text;
};

class StatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 20;

    explicit StatusBar(QWidget *parent = nullptr);

    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;
    StatusPanel *panel(int panel) const;

private:
    StatusPanel *m_panels[3] = {};
};

} // namespace app
