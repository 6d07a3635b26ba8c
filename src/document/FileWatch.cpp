#include "document/FileWatch.h"

#include "document/PageFile.h"

#include <QFileInfo>

namespace document {

namespace {

// Long enough for a program's write, a rename and a touch to arrive as one.
constexpr int kSettleMs = 150;

} // namespace

FileWatch::FileWatch(QObject *parent) : QObject(parent)
{
    m_settle.setSingleShot(true);
    m_settle.setInterval(kSettleMs);
    connect(&m_settle, &QTimer::timeout, this, [this] {
        watchAgain();
        emit mayHaveChanged();
    });
    // A file replaced by a rename or deleted drops out of the file watch;
    // the folder's watch sees it come back.
    // Not started again while it runs: a folder that never stops changing
    // would otherwise keep the check from ever coming.
    const auto settle = [this] {
        if (!m_settle.isActive())
            m_settle.start();
    };
    connect(&m_watcher, &QFileSystemWatcher::fileChanged, this, settle);
    connect(&m_watcher, &QFileSystemWatcher::directoryChanged, this, settle);
}

void FileWatch::follow(const QString &path, const QByteArray &digest)
{
    follow(path, text::stampOf(path), digest);
}

void FileWatch::follow(const QString &path, const text::FileStamp &stamp, const QByteArray &digest)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    if (absolute != m_path) {
        stop();
        m_path = absolute;
    }
    m_stamp = stamp;
    m_digest = digest;
    watchAgain();
}

void FileWatch::stop()
{
    m_settle.stop();
    if (!m_watcher.files().isEmpty())
        m_watcher.removePaths(m_watcher.files());
    if (!m_watcher.directories().isEmpty())
        m_watcher.removePaths(m_watcher.directories());
    m_path.clear();
    m_stamp = {};
    m_digest.clear();
}

void FileWatch::watchAgain()
{
    if (m_path.isEmpty())
        return;
    const QFileInfo file(m_path);
    if (file.exists() && !m_watcher.files().contains(m_path))
        m_watcher.addPath(m_path);
    const QString folder = file.absolutePath();
    if (!m_watcher.directories().contains(folder))
        m_watcher.addPath(folder);
}

FileWatch::State FileWatch::check()
{
    if (m_path.isEmpty())
        return State::Unchanged;
    const text::FileStamp now = text::stampOf(m_path);
    if (now == m_stamp)
        return State::Unchanged;
    if (!now.exists)
        return m_stamp.exists ? State::Deleted : State::Unchanged;
    // Something moved: the bytes decide. A file that cannot be read now (no
    // longer a regular file, too large, no longer permitted) has changed.
    const text::FileRead read = text::readRegularFile(m_path, maxPageBytes());
    if (!read.ok || contentDigest(read.bytes) != m_digest)
        return State::Changed;
    m_stamp = read.stamp;
    return State::Unchanged;
}

void FileWatch::acceptDisk()
{
    if (m_path.isEmpty())
        return;
    const text::FileRead read = text::readRegularFile(m_path, maxPageBytes());
    m_stamp = read.ok ? read.stamp : text::stampOf(m_path);
    m_digest = read.ok ? contentDigest(read.bytes) : QByteArray();
    watchAgain();
}

} // namespace document
