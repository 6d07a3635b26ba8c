#pragma once
// 查看 › 预览: the page written to the preview file and opened in the
// system's browser. The file goes into the program's folder, or into the
// temporary-files folder where that one cannot be written.
#include "document/PageFile.h"

#include <QString>
#include <QUrl>
#include <functional>

class QWidget;

namespace document {

class Preview {
public:
    // Writes text, in the encoding a save would write it in, to the preview
    // file and opens that in the browser; relative addresses resolve against
    // pageFolder. Failures are told in a message box over window.
    void show(QWidget *window, const QString &text, const PageEncoding &encoding, const QString &pageFolder);
    // Removes the preview file of the program's folder, and the one this
    // run wrote elsewhere.
    void removeFile();

    // Where the preview goes first; the program's directory unless set.
    void setProgramDirectory(const QString &dir) { m_programDir = dir; }
    // Opens the preview; QDesktopServices::openUrl unless set.
    using UrlOpener = std::function<bool(const QUrl &)>;
    void setUrlOpener(UrlOpener opener) { m_openUrl = std::move(opener); }
    // The preview file written last (empty before the first preview).
    QString lastPath() const { return m_lastPath; }

private:
    QString programDirectory() const;

    QString m_programDir;
    QString m_lastPath;
    UrlOpener m_openUrl;
};

} // namespace document
