#pragma once
// The status bar "状态条1": three panels of widths 100, 200 and the rest.
#include <QWidget>

class QLabel;

namespace app {

class StatusBar : public QWidget {
    Q_OBJECT
public:
    static constexpr int kHeight = 20;

    explicit StatusBar(QWidget *parent = nullptr);

    void setPanelText(int panel, const QString &text);
    QString panelText(int panel) const;

private:
    QLabel *m_panels[3] = {};
};

} // namespace app
