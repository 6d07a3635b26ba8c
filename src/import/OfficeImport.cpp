#include "import/OfficeImport.h"

#include "engine/EngineView.h"
#include "import/ImportNotice.h"
#include "import/LibreOffice.h"
#include "import/OfficeFormat.h"
#include "insert/Insertion.h"
#include "ui/Prompter.h"

#include <QFileInfo>

namespace import {

namespace {

bool busy = false;

// Plain text in UTF-8 with the platform's line ends.
const QString kTextTarget = QStringLiteral("txt:Text (encoded):UTF8");
// Comma-separated, '"' quoting, UTF-8, from line 1; cells as shown (their
// number formats applied); the first sheet, whichever one was active.
const QString kSheetTarget =
    QStringLiteral("csv:Text - txt - csv (StarCalc):44,34,76,1,,0,false,true,true,false,false,1");

// The message for a conversion that gave no result.
QString failureText(const Conversion &conversion, const QString &path, const QString &kind)
{
    const QString name = QFileInfo(path).fileName();
    switch (conversion.outcome) {
    case Conversion::Outcome::NoConverter:
        return QStringLiteral("没有找到LibreOffice，无法导入%1。请先安装LibreOffice"
                              "（软件包 libreoffice-writer-nogui 和 libreoffice-calc-nogui）。")
            .arg(kind);
    case Conversion::Outcome::NotStarted:
        return QStringLiteral("LibreOffice无法启动，没有导入%1。").arg(kind);
    case Conversion::Outcome::CannotOpen:
        return QStringLiteral("LibreOffice无法打开文件“%1”：文件可能已损坏，或者不是%2。").arg(name, kind);
    case Conversion::Outcome::Crashed:
        return QStringLiteral("LibreOffice在转换文件“%1”时意外退出，没有导入任何内容。").arg(name);
    case Conversion::Outcome::TimedOut:
        return QStringLiteral("LibreOffice在%1秒内没有完成文件“%2”的转换，已停止导入。")
            .arg((conversionTimeLimit() + 999) / 1000)
            .arg(name);
    case Conversion::Outcome::Busy:
        return QStringLiteral("另一个导入正在进行，请稍后再试。");
    case Conversion::Outcome::Converted:
        break;
    }
    return QString();
}

QString decodedText(const QByteArray &bytes)
{
    QString text = QString::fromUtf8(bytes);
    if (text.startsWith(QChar(0xFEFF)))
        text.remove(0, 1);
    return text;
}

// Runs one import: the open dialog, the notice while reading, then the
// insertion or the message. read returns the fragment or a failure.
template <typename Read>
void runImport(QWidget *owner, engine::EngineView &view, const QString &title, const QString &filter,
               Read read)
{
    if (busy || conversionRunning())
        return;
    ui::FileDialogRequest request;
    request.title = title;
    request.filter = filter;
    const QString path = ui::prompter().openFileName(owner, request);
    if (path.isEmpty())
        return;

    busy = true;
    QString failure;
    {
        // The notice keeps the rest of the program from input while
        // LibreOffice works and the page takes in the result; it still
        // paints, as both waits dispatch events.
        ImportNotice notice(owner);
        notice.setWindowModality(Qt::ApplicationModal);
        notice.showNotice();
        QString fragment;
        read(path, fragment, failure);
        if (failure.isEmpty())
            insert::InsertFragment(view, fragment);
    }
    busy = false;
    if (!failure.isEmpty()) {
        ui::showInformation(owner, failure);
        return;
    }
    // Typing goes on after the inserted text; the notice took the focus.
    if (view.isVisible())
        view.focusPage();
}

} // namespace

DocumentText ReadDocumentText(const QString &path)
{
    DocumentText result;
    const QString filter = importFilterForFile(OfficeKind::Document, path);
    if (filter.isEmpty()) {
        result.failure = QStringLiteral("文件“%1”不是可以读取的Word文档（.doc、.docx、.odt、.rtf），没有导入任何内容。")
                             .arg(QFileInfo(path).fileName());
        return result;
    }
    const Conversion conversion = Convert(path, kTextTarget, filter);
    if (conversion.outcome != Conversion::Outcome::Converted) {
        result.failure = failureText(conversion, path, QStringLiteral("Word文档"));
        return result;
    }
    result.text = decodedText(conversion.output);
    if (result.text.trimmed().isEmpty())
        result.failure = QStringLiteral("文件“%1”中没有可导入的文字。").arg(QFileInfo(path).fileName());
    return result;
}

SheetContents ReadFirstSheet(const QString &path)
{
    SheetContents result;
    const QString filter = importFilterForFile(OfficeKind::Workbook, path);
    if (filter.isEmpty()) {
        result.failure = QStringLiteral("文件“%1”不是可以读取的Excel工作簿（.xls、.xlsx、.ods），没有导入任何内容。")
                             .arg(QFileInfo(path).fileName());
        return result;
    }
    const Conversion conversion = Convert(path, kSheetTarget, filter);
    if (conversion.outcome != Conversion::Outcome::Converted) {
        result.failure = failureText(conversion, path, QStringLiteral("Excel文档"));
        return result;
    }
    result.cells = CellsFromCsv(decodedText(conversion.output));
    if (result.cells.isEmpty())
        result.failure = QStringLiteral("文件“%1”的第一个工作表是空的，没有可导入的单元格。")
                             .arg(QFileInfo(path).fileName());
    return result;
}

void ImportWord(QWidget *owner, engine::EngineView &view)
{
    runImport(owner, view, WordDialogTitle, WordDialogFilter,
              [](const QString &path, QString &fragment, QString &failure) {
                  const DocumentText document = ReadDocumentText(path);
                  failure = document.failure;
                  fragment = HtmlText(document.text);
              });
}

void ImportExcel(QWidget *owner, engine::EngineView &view)
{
    runImport(owner, view, ExcelDialogTitle, ExcelDialogFilter,
              [](const QString &path, QString &fragment, QString &failure) {
                  const SheetContents sheet = ReadFirstSheet(path);
                  failure = sheet.failure;
                  if (failure.isEmpty())
                      fragment = TableFragment(sheet.cells);
              });
}

bool importRunning()
{
    return busy;
}

} // namespace import
