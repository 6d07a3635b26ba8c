#pragma once
// Plain text helpers of the Office import: spreadsheet column names, the HTML
// that puts a document's text or a sheet's cells into the page, and the reader
// of the comma-separated text LibreOffice writes for a sheet.
#include <QList>
#include <QString>
#include <QStringList>

namespace import {

// The spreadsheet's own name of column number (1 -> "a", 26 -> "z",
// 27 -> "aa", 52 -> "az", 53 -> "ba", 702 -> "zz", 703 -> "aaa"); empty for
// numbers below 1.
QString ColumnName(int number);
// Column name followed by the row number: (3, 10) -> "c10".
QString CellName(int column, int row);

// Text as HTML that shows it unchanged: "&", "<" and ">" escaped, each line or
// paragraph end (CR LF, CR, LF, vertical tab, form feed, U+2028, U+2029) a
// "<br>", spaces that HTML would collapse (at a line's start or end, or after
// another space) as "&nbsp;", a tab as the engine's own tab span, other
// control characters left out.
QString HtmlText(const QString &text);

// Records of comma-separated text with '"' quoting (quoted fields may hold
// commas, doubled quotes and line ends); a line end after the last record
// starts no new one, and an empty text has no records.
QList<QStringList> ReadCsv(const QString &text);

// The cells of a sheet from A1 to the last used cell.
struct SheetCells {
    QList<QStringList> rows; // every row padded to the column count
    int columns = 0;
    bool isEmpty() const; // no cell holds any text
    // "a1:" followed by the last cell's name, e.g. "a1:c10"; empty without rows.
    QString range() const;
};
// The records of a sheet's comma-separated text as cells.
SheetCells CellsFromCsv(const QString &text);

// A table of the sheet's rows and columns, each cell's text as HtmlText and
// an empty cell as "&nbsp;".
QString TableFragment(const SheetCells &cells);

} // namespace import
