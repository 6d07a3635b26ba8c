#include "document/PictureFolder.h"

#include "document/PageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QUrl>

#include <cerrno>

namespace document {

PictureFolder::PictureFolder(const QString &pagePath)
{
    const QFileInfo page(pagePath);
    m_pageFolder = page.absolutePath();
    m_folder = QDir(m_pageFolder).filePath(page.completeBaseName() + QStringLiteral("_files"));
}

QString PictureFolder::relativeAddress(const QString &folder, const QString &file)
{
    QString address = QDir(folder).relativeFilePath(file);
    address.replace(QLatin1Char('%'), QLatin1String("%25"));
    address.replace(QLatin1Char(' '), QLatin1String("%20"));
    address.replace(QLatin1Char('"'), QLatin1String("%22"));
    address.replace(QLatin1Char('#'), QLatin1String("%23"));
    address.replace(QLatin1Char('?'), QLatin1String("%3F"));
    return address;
}

QString PictureFolder::resolve(const QString &folder, const QString &address)
{
    QString path = address.trimmed();
    if (path.isEmpty() || path.startsWith(QLatin1Char('#')) || path.startsWith(QLatin1Char('/')) ||
        path.startsWith(QLatin1Char('\\')))
        return QString();
    // A scheme ("http:", "data:", "file:", "javascript:") makes it absolute.
    const qsizetype colon = path.indexOf(QLatin1Char(':'));
    const qsizetype slash = path.indexOf(QLatin1Char('/'));
    if (colon > 0 && (slash < 0 || colon < slash))
        return QString();
    path = path.section(QLatin1Char('#'), 0, 0).section(QLatin1Char('?'), 0, 0);
    if (path.isEmpty())
        return QString();
    path = QUrl::fromPercentEncoding(path.toUtf8());
    return QDir::cleanPath(QDir(folder).filePath(path));
}

PictureFolder::Outcome PictureFolder::writeNew(const QByteArray &bytes, const QString &extension)
{
    Outcome outcome;
    if (!QDir().mkpath(m_folder)) {
        outcome.error = QStringLiteral("无法创建图片文件夹“%1”：%2。图片没有插入。")
                            .arg(QDir::toNativeSeparators(m_folder), fileErrorReason(errno, true));
        return outcome;
    }
    for (int n = 1; n < 100000; ++n) {
        const QString name = QDir(m_folder).filePath(QStringLiteral("图片%1.%2").arg(n).arg(extension));
        if (QFileInfo::exists(name))
            continue;
        QFile file(name);
        // Made anew or not at all: a file of that name that came meanwhile stays untouched.
        errno = 0;
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly)) {
            if (QFileInfo::exists(name))
                continue;
            outcome.error = QStringLiteral("无法写入图片文件“%1”：%2。图片没有插入。")
                                .arg(QDir::toNativeSeparators(name), fileErrorReason(errno, true));
            return outcome;
        }
        errno = 0;
        const bool whole = file.write(bytes) == bytes.size() && file.flush();
        const int err = errno;
        file.close();
        if (!whole || file.error() != QFileDevice::NoError) {
            file.remove(); // nothing half-written stays
            const QString reason = fileErrorReason(err, true);
            outcome.error = QStringLiteral("无法写入图片文件“%1”：%2。图片没有插入。")
                                .arg(QDir::toNativeSeparators(name), reason.isEmpty() ? file.errorString() : reason);
            return outcome;
        }
        outcome.address = relativeAddress(m_pageFolder, name);
        return outcome;
    }
    outcome.error = QStringLiteral("图片文件夹“%1”中的图片太多，没有插入图片。").arg(QDir::toNativeSeparators(m_folder));
    return outcome;
}

PictureFolder::Outcome PictureFolder::take(const QString &file)
{
    Outcome outcome;
    const QFileInfo info(file);
    const QString absolute = info.absoluteFilePath();
    // Already beside the page (or below its folder): used where it is.
    const QString inside = QDir(m_pageFolder).relativeFilePath(absolute);
    if (info.isFile() && !inside.startsWith(QLatin1String("..")) && !QDir::isAbsolutePath(inside)) {
        outcome.address = relativeAddress(m_pageFolder, absolute);
        return outcome;
    }
    QFile source(absolute);
    if (!info.isFile() || !source.open(QIODevice::ReadOnly)) {
        outcome.error = QStringLiteral("无法读取图片文件“%1”：%2。图片没有插入。")
                            .arg(QDir::toNativeSeparators(absolute),
                                 info.exists() ? source.errorString() : QStringLiteral("文件不存在"));
        return outcome;
    }
    const QByteArray bytes = source.readAll();
    const QString suffix = info.suffix().isEmpty() ? QStringLiteral("png") : info.suffix().toLower();
    return writeNew(bytes, suffix);
}

} // namespace document
