#pragma once
// Where the design view's documents live: an address of the editor's own
// scheme whose path is the page's folder on disk ("zelvo-page://local/home/
// user/site/"). Relative addresses in the page, absolute paths and file://
// addresses all reach the page's pictures through it, and, unlike a file://
// document, such a document can move to another folder in place
// (history.replaceState), keeping its caret and history.
#include <QString>
#include <QUrl>

class QWebEngineProfile;

namespace engine {

// Registers the scheme; must run before QApplication is created.
void registerPageFolderScheme();
// Whether the scheme was registered in this process.
bool pageFolderSchemeRegistered();
// The profile serves the scheme's addresses from the local disk (once).
void servePageFolders(QWebEngineProfile *profile);

// The document address for a local folder, and the folder of such an
// address (empty for any other address).
QUrl pageFolderUrl(const QString &folder);
QString folderOfPageUrl(const QUrl &url);

} // namespace engine
