#pragma once
// The small frameless notice "正在导入，请稍后……" shown over the main window
// while a Word or Excel import blocks the program.
#include <QWidget>

namespace import {

inline const QString ImportNoticeText = QStringLiteral("正在导入，请稍后……");

class ImportNotice : public QWidget {
    Q_OBJECT
public:
    // A 240 x 56 window without frame, owned by owner, holding one label.
    explicit ImportNotice(QWidget *owner = nullptr);

    // Shows the notice centred over its owner and lets it paint, so that it
    // is visible during the blocking work that follows.
    void showNotice();
};

} // namespace import
