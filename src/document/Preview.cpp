#include "document/Preview.h"

#include "document/PreviewText.h"
#include "ui/Prompter.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace document {

QString Preview::programDirectory() const
{
    return m_programDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_programDir;
}

void Preview::show(QWidget *window, const QString &text, const PageEncoding &encoding, const QString &pageFolder)
{
    const QByteArray bytes = encodePage(withBaseForPreview(text, pageFolder), encodingForSaving(text, encoding));

    QString path = QDir(programDirectory()).filePath(previewFileName());
    const FileOutcome written = writeFileSafely(path, bytes);
    if (!written.ok) {
        // The program's directory is not writable (an installed program):
        // the temporary-files directory takes the preview instead. An empty
        // answer means that directory does not exist either.
        const QString tempDir = QDir::tempPath();
        FileOutcome second;
        const QString fallback = tempDir.isEmpty() ? QString() : QDir(tempDir).filePath(previewFileName());
        if (!fallback.isEmpty())
            second = writeFileSafely(fallback, bytes);
        if (!second.ok) {
            ui::showInformation(window, QStringLiteral("无法预览：预览文件“%1”写不进去（%2），临时文件夹中也写不进去%3。")
                                            .arg(QDir::toNativeSeparators(path), written.reason,
                                                 fallback.isEmpty() ? QStringLiteral("（临时文件夹不存在）")
                                                                    : QStringLiteral("（%1）").arg(second.reason)));
            return;
        }
        path = fallback;
    }
    m_lastPath = path;
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = m_openUrl ? m_openUrl(url) : QDesktopServices::openUrl(url);
    if (!opened)
        ui::showInformation(window, QStringLiteral("无法打开浏览器预览网页。预览文件在“%1”。")
                                        .arg(QDir::toNativeSeparators(path)));
}

void Preview::removeFile()
{
    const QString inProgramDir = QDir(programDirectory()).filePath(previewFileName());
    if (QFileInfo::exists(inProgramDir))
        QFile::remove(inProgramDir);
    // Elsewhere only the file this run wrote itself is removed.
    if (!m_lastPath.isEmpty() && m_lastPath != inProgramDir)
        QFile::remove(m_lastPath);
}

} // namespace document
