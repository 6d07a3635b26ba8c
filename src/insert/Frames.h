#pragma once
// The inline frame of the dialog "插入网页框架".
#include <QString>

namespace insert {

// The dialog's values; the initial values are its defaults.
struct FrameFields {
    QString source = QStringLiteral("http://"); // 编辑框1
    QString width = QStringLiteral("400");      // 编辑框2
    QString height = QStringLiteral("300");     // 编辑框3
    int alignIndex = 0;                         // 组合框1: 左对齐, 居中, 右对齐
    bool scrolling = false;                     // 选择框1 "允许滚动条"
};

// "left", "center", "right" for 0, 1 and any other index.
QString FrameAlign(int index);
// No field is required. The height's closing quote runs straight into
// scrolling, without a blank, as the page has always had it.
QString BuildFrame(const FrameFields &fields);

} // namespace insert
