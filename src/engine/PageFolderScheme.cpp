#include "engine/PageFolderScheme.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QWebEngineProfile>
#include <QWebEngineUrlRequestJob>
#include <QWebEngineUrlScheme>
#include <QWebEngineUrlSchemeHandler>

namespace engine {

namespace {

const QByteArray kScheme = QByteArrayLiteral("zelvo-page");
const QString kHost = QStringLiteral("local");
bool registered = false;

// Answers each request with the local file its path names. Only GET is
// served; a folder or a missing file is "not found", like a file:// address.
class PageFolderHandler : public QWebEngineUrlSchemeHandler {
public:
    using QWebEngineUrlSchemeHandler::QWebEngineUrlSchemeHandler;
    void requestStarted(QWebEngineUrlRequestJob *job) override
    {
        if (job->requestMethod() != QByteArrayLiteral("GET")) {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        const QString path = job->requestUrl().path(QUrl::FullyDecoded);
        if (!QFileInfo(path).isFile()) {
            job->fail(QWebEngineUrlRequestJob::UrlNotFound);
            return;
        }
        auto *file = new QFile(path, job);
        if (!file->open(QIODevice::ReadOnly)) {
            job->fail(QWebEngineUrlRequestJob::RequestDenied);
            return;
        }
        static const QMimeDatabase mimeTypes;
        job->reply(mimeTypes.mimeTypeForFile(path, QMimeDatabase::MatchExtension).name().toUtf8(), file);
    }
};

} // namespace

void registerPageFolderScheme()
{
    if (registered)
        return;
    QWebEngineUrlScheme scheme(kScheme);
    scheme.setSyntax(QWebEngineUrlScheme::Syntax::Host);
    // Local access lets the page's file:// addresses load. The scheme is not
    // marked local: a local document could not change its path in place.
    scheme.setFlags(QWebEngineUrlScheme::LocalAccessAllowed);
    QWebEngineUrlScheme::registerScheme(scheme);
    registered = true;
}

bool pageFolderSchemeRegistered()
{
    return registered;
}

void servePageFolders(QWebEngineProfile *profile)
{
    if (!registered || profile->urlSchemeHandler(kScheme))
        return;
    profile->installUrlSchemeHandler(kScheme, new PageFolderHandler(profile));
}

QUrl pageFolderUrl(const QString &folder)
{
    QString path = QDir(folder).absolutePath();
    if (!path.endsWith(QLatin1Char('/')))
        path += QLatin1Char('/');
    QUrl url;
    url.setScheme(QString::fromLatin1(kScheme));
    url.setHost(kHost);
    url.setPath(path, QUrl::DecodedMode);
    return url;
}

QString folderOfPageUrl(const QUrl &url)
{
    if (url.scheme() != QLatin1String(kScheme) || url.host() != kHost)
        return QString();
    return url.path(QUrl::FullyDecoded);
}

} // namespace engine
