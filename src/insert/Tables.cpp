#include "insert/Tables.h"

#include "insert/TextHelpers.h"

#include <algorithm>

namespace insert {

namespace {
const QString kLineBreak = QStringLiteral("\r\n");
}

QString TableCollapse(int index)
{
    return index == 0 ? QStringLiteral("collapse") : QStringLiteral("separate");
}

QString TableHorizontalAlign(int index)
{
    return HorizontalAlign(index);
}

QString TableVerticalAlign(int index)
{
    switch (index) {
    case 0:
        return QStringLiteral("top");
    case 1:
        return QStringLiteral("middle");
    default:
        return QStringLiteral("bottom");
    }
}

BuildResult BuildTable(const TableFields &fields)
{
    const qint64 rows = std::max(0, CountFromField(fields.rows));
    const qint64 columns = std::max(0, CountFromField(fields.columns));
    if (rows > 0 && rows * std::max<qint64>(columns, 1) > kMaxTableCells)
        return BuildResult::refuse(TableTooLargeMessage);
    return BuildResult::insert(TableMarkup(fields));
}

QString TableMarkup(const TableFields &fields)
{
    const qint64 rows = std::max(0, CountFromField(fields.rows));
    const qint64 columns = std::max(0, CountFromField(fields.columns));

    const QString head = QStringLiteral("<table style=\"WIDTH:") + fields.width
        + QStringLiteral("px; BORDER-COLLAPSE:") + TableCollapse(fields.collapseIndex)
        + QStringLiteral("; HEIGHT:") + fields.height + QStringLiteral("px;BACKGROUND-COLOR:")
        + ColourToHtml(fields.backColour) + QStringLiteral(";BACKGROUND-IMAGE: url(")
        + fields.backgroundImage + QStringLiteral(")\" cellSpacing=") + fields.spacing
        + QStringLiteral("; cellPadding=") + fields.padding + QStringLiteral("; border=")
        + fields.border + QStringLiteral("; bordercolor=") + ColourToHtml(fields.borderColour)
        + QStringLiteral(";>") + kLineBreak + QStringLiteral("<tbody>");
    const QString tail = QStringLiteral("</tbody></table>");
    if (rows == 0)
        return head + tail;

    // Every row is the same text, and so is every cell: one row is made and
    // repeated, so the cost grows with the table's size and no faster.
    const QString cell = kLineBreak + QStringLiteral("<td style=TEXT-ALIGN:")
        + TableHorizontalAlign(fields.horizontalIndex) + QStringLiteral(";VERTICAL-ALIGN:")
        + TableVerticalAlign(fields.verticalIndex) + QStringLiteral(">&nbsp;</td>");
    const QString row = kLineBreak + QStringLiteral("<tr>") + kLineBreak
        + cell.repeated(columns) + QStringLiteral("</tr>");

    QString fragment;
    fragment.reserve(head.size() + row.size() * rows + tail.size());
    fragment += head;
    for (qint64 i = 0; i < rows; ++i)
        fragment += row;
    fragment += tail;
    return fragment;
}

} // namespace insert
