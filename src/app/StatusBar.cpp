#include "app/StatusBar.h"

#include <QHBoxLayout>
#include <QLabel>

namespace app {

StatusBar::StatusBar(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("状态条1"));
    setAccessibleName(QStringLiteral("状态条"));
    auto *layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(2);
    const char *initial[3] = {"元素：", "内容：", "代码："};
    const int widths[3] = {100, 200, 0};
    for (int i = 0; i < 3; ++i) {
        auto *panel = new QLabel(QString::fromUtf8(initial[i]), this);
        panel->setObjectName(QStringLiteral("状态条1_面板%1").arg(i + 1));
        panel->setAccessibleName(QString::fromUtf8(initial[i]).chopped(1));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        panel->setTextFormat(Qt::PlainText);
        panel->setMinimumWidth(0);
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

} // namespace app
