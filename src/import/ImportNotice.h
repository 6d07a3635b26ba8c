#pragma once
// The small frameless notice "正在导入，请稍后……" shown over the main window
// while a Word or Excel import runs.
#include <QWidget>

namespace import {

inline const QString ImportNoticeText = QStringLiteral("正在导入，请稍后……");

class ImportNotice : public QWidget {
    Q_OBJECT
public:
    // A 240 x 56 window without frame, owned by owner, holding one label.
    explicit ImportNotice(QWidget *owner = nullptr);

    // Shows the notice centred over its owner and lets it paint at once, so
    // that it is visible as soon as the work starts.
    void showNotice();
};

} // namespace import
