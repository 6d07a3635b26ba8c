#pragma once
// The Word and Excel import commands: a file chosen in the open dialog is
// converted by LibreOffice, and the document's text or the first sheet's
// cells go into the page at the caret, replacing any selection. The system
// clipboard is not used.
#include "import/SheetText.h"

#include <QString>

class QWidget;

namespace engine {
class EngineView;
}

namespace import {

inline const QString WordDialogTitle = QStringLiteral("导入Word文档");
inline const QString WordDialogFilter = QStringLiteral("Word文件（*.doc）|*.doc");
inline const QString ExcelDialogTitle = QStringLiteral("导入Excel文档");
inline const QString ExcelDialogFilter = QStringLiteral("Excel文件（*.xls）|*.xls");

// The commands of 插入 › Word文档 and 插入 › Excel文档. The import notice is
// shown over owner while LibreOffice works; a failure is told in a "信息："
// box and inserts nothing. While an import runs, another one does nothing.
void ImportWord(QWidget *owner, engine::EngineView &view);
void ImportExcel(QWidget *owner, engine::EngineView &view);
bool importRunning();

// The text of a document (.doc, .docx, .odt, .rtf ...), paragraph ends
// included, or the message that tells why there is none.
struct DocumentText {
    QString text;
    QString failure;
};
DocumentText ReadDocumentText(const QString &path);

// The cells of a workbook's first sheet from A1 to its last used cell, or the
// message that tells why there are none (an empty sheet among the reasons).
struct SheetContents {
    SheetCells cells;
    QString failure;
};
SheetContents ReadFirstSheet(const QString &path);

} // namespace import
