#pragma once
// The table of the dialog "插入表格": rows of identical empty cells, with the
// table's size, border, spacing, colours, background picture and the
// alignment of every cell.
#include "insert/BuildResult.h"

#include <QString>
#include <QtGlobal>

namespace insert {

// The dialog's values; the initial values are its defaults.
struct TableFields {
    QString rows = QStringLiteral("1");     // 编辑框_行数, read as a number
    QString columns = QStringLiteral("1");  // 编辑框_列数, read as a number
    QString width = QStringLiteral("400");  // 编辑框_宽度
    QString height = QStringLiteral("200"); // 编辑框_高度
    QString padding = QStringLiteral("1");  // 编辑框_边距
    QString spacing = QStringLiteral("1");  // 编辑框_间距
    QString border = QStringLiteral("1");   // 编辑框_粗细
    int collapseIndex = 0;                  // 组合框_边框效果: 合并, 分开
    quint32 borderColour = 0x000000;        // 颜色选择器_边框颜色
    quint32 backColour = 0xFFFFFF;          // 颜色选择器_背景颜色
    QString backgroundImage;                // 编辑框_背景图片
    int horizontalIndex = 1;                // 组合框_水平对齐: 左对齐, 居中, 右对齐
    int verticalIndex = 1;                  // 组合框_垂直对齐: 顶部, 中间, 底部
};

// The largest table inserted: rows times columns, a row without cells
// counting as one cell. The engine keeps every cell in memory while it lays
// the table out; half a million cells take it about 2.7 GB and half the
// memory mappings a Linux process may have, and a table of a million cells
// makes it give up, losing the page.
constexpr qint64 kMaxTableCells = 500000;
inline const QString TableTooLargeMessage =
    QStringLiteral("表格太大：单元格（行数乘以列数）不能超过50万个！");

// "collapse" for index 0, "separate" otherwise.
QString TableCollapse(int index);
// "left", "center", "right" for 0, 1 and any other index.
QString TableHorizontalAlign(int index);
// "top", "middle", "bottom" for 0, 1 and any other index.
QString TableVerticalAlign(int index);

// The whole table: CR LF before every row and every cell; rows and columns
// that do not start with a number count as 0. Built in time linear in the
// table's size; the caller keeps that size within what memory holds.
QString TableMarkup(const TableFields &fields);
// The table to insert; one past kMaxTableCells is refused with
// TableTooLargeMessage.
BuildResult BuildTable(const TableFields &fields);

} // namespace insert
