#pragma once
// The simple insertions: fixed form-element fragments, the date and time
// labels, the ordinary button and the group box. These build text only; the
// commands that put it into a page are in insert/Insertion.h.
#include "insert/InsertDialog.h"

#include <QDate>
#include <QString>
#include <QTime>

namespace insert {

// Fixed fragments of the direct insertion commands.
inline const QString HorizontalRuleFragment = QStringLiteral("<HR>");
inline const QString TextBoxFragment = QStringLiteral("<input>");
// An opening tag alone: the engine completes the element.
inline const QString TextAreaFragment = QStringLiteral("<textarea>");
// Every check box and radio button carries the same name and value.
inline const QString CheckBoxFragment =
    QStringLiteral("<input type=\"checkbox\" value=\"ON\" checked name=\"C1\">");
inline const QString RadioButtonFragment =
    QStringLiteral("<input type=\"radio\" value=\"V1\" checked name=\"R1\">");
inline const QString LabelFragment = QStringLiteral("<div>新的标签</div>");

// "2011年4月2日": numbers in decimal without leading zeros.
QString DateLabel(const QDate &date);
// "9时5分7秒": hour 0 to 23, no leading zeros.
QString TimeLabel(const QTime &time);

// The page "普通按钮" of the dialog "插入按钮".
struct ButtonFields {
    QString id;    // 编辑框_按钮名称, required
    QString title; // 编辑框_按钮标题, required
};
// Checks the ID, then the title; builds the button with both values as typed.
BuildResult BuildButton(const ButtonFields &fields);

// The dialog "插入分组框"; the initial values are the dialog's defaults.
struct GroupBoxFields {
    QString width = QStringLiteral("400");  // 编辑框1
    QString height = QStringLiteral("200"); // 编辑框2
    int alignIndex = 0;                     // 组合框1: 左对齐, 居中, 右对齐
    quint32 borderColour = 0x000000;        // 颜色选择器2
    quint32 backColour = 0xFFFFFF;          // 颜色选择器1
    QString title = QStringLiteral("标题"); // 编辑框3
};
// "left" for 0, "center" for 1, "right" for any other index.
QString GroupBoxAlign(int index);
QString BuildGroupBox(const GroupBoxFields &fields);

} // namespace insert
