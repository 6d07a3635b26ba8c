#include "import/SheetText.h"

#include <algorithm>

namespace import {

QString ColumnName(int number)
{
    QString name;
    // Bijective base 26: there is no zero digit, "z" is followed by "aa".
    for (int n = number; n > 0; n = (n - 1) / 26)
        name.prepend(QChar(u'a' + (n - 1) % 26));
    return name;
}

QString CellName(int column, int row)
{
    return ColumnName(column) + QString::number(row);
}

namespace {

bool isLineEnd(char16_t c)
{
    return c == u'\n' || c == u'\r' || c == u'\v' || c == u'\f' || c == 0x2028 || c == 0x2029;
}

} // namespace

QString HtmlText(const QString &text)
{
    QString html;
    html.reserve(text.size() + text.size() / 8);
    // A plain space is kept only where HTML keeps it: not at a line's start,
    // not after another plain space, not before a line end or another space.
    bool spaceWouldCollapse = true;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = text.at(i).unicode();
        if (isLineEnd(c)) {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            html += QLatin1String("<br>");
            spaceWouldCollapse = true;
            continue;
        }
        switch (c) {
        case u'&':
            html += QLatin1String("&amp;");
            break;
        case u'<':
            html += QLatin1String("&lt;");
            break;
        case u'>':
            html += QLatin1String("&gt;");
            break;
        case u'\t':
            html += QLatin1String("<span style=\"white-space:pre\">\t</span>");
            break;
        case u' ': {
            const bool lastOnLine = i + 1 == n || text.at(i + 1) == u' ' || isLineEnd(text.at(i + 1).unicode());
            if (spaceWouldCollapse || lastOnLine) {
                html += QLatin1String("&nbsp;");
                spaceWouldCollapse = false;
            } else {
                html += QLatin1Char(' ');
                spaceWouldCollapse = true;
            }
            continue;
        }
        default:
            if (c < 0x20 || c == 0x7F)
                continue;
            html += QChar(c);
            break;
        }
        spaceWouldCollapse = false;
    }
    return html;
}

QList<QStringList> ReadCsv(const QString &text)
{
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    bool recordOpen = false;
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text.at(i);
        recordOpen = true;
        if (quoted) {
            if (c == u'"') {
                if (i + 1 < n && text.at(i + 1) == u'"') {
                    field += u'"';
                    ++i;
                } else {
                    quoted = false;
                }
            } else {
                field += c;
            }
        } else if (c == u'"') {
            quoted = true;
        } else if (c == u',') {
            record << field;
            field.clear();
        } else if (c == u'\n' || c == u'\r') {
            if (c == u'\r' && i + 1 < n && text.at(i + 1) == u'\n')
                ++i;
            record << field;
            field.clear();
            records << record;
            record.clear();
            recordOpen = false;
        } else {
            field += c;
        }
    }
    if (recordOpen) {
        record << field;
        records << record;
    }
    return records;
}

bool SheetCells::isEmpty() const
{
    for (const QStringList &row : rows)
        for (const QString &cell : row)
            if (!cell.isEmpty())
                return false;
    return true;
}

QString SheetCells::range() const
{
    if (rows.isEmpty() || columns < 1)
        return QString();
    return QStringLiteral("a1:") + CellName(columns, int(rows.size()));
}

SheetCells CellsFromCsv(const QString &text)
{
    SheetCells cells;
    cells.rows = ReadCsv(text);
    for (const QStringList &row : std::as_const(cells.rows))
        cells.columns = std::max(cells.columns, int(row.size()));
    for (QStringList &row : cells.rows)
        while (row.size() < cells.columns)
            row << QString();
    return cells;
}

QString TableFragment(const SheetCells &cells)
{
    QString html = QStringLiteral("<table border=\"1\" cellspacing=\"0\" cellpadding=\"2\">\r\n<tbody>");
    for (const QStringList &row : cells.rows) {
        html += QLatin1String("\r\n<tr>");
        for (const QString &cell : row) {
            html += QLatin1String("\r\n<td>");
            html += cell.isEmpty() ? QStringLiteral("&nbsp;") : HtmlText(cell);
            html += QLatin1String("</td>");
        }
        html += QLatin1String("</tr>");
    }
    html += QLatin1String("</tbody></table>");
    return html;
}

} // namespace import
