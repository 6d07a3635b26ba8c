#pragma once
// The page's file as the editor last read or wrote it, watched for changes
// made by other programs: another editor writing it, a version control
// checkout replacing it, a deletion. The file system's notices are gathered
// into one mayHaveChanged() a moment later; check() then tells whether the
// file really differs from what the editor knows. A file that was only
// touched, or written again with the same bytes, counts as unchanged.
#include "text/SafeFile.h"

#include <QByteArray>
#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QTimer>

namespace document {

class FileWatch : public QObject {
    Q_OBJECT
public:
    explicit FileWatch(QObject *parent = nullptr);

    // Watches path, whose bytes (with this digest) the editor has just read
    // or written; stamp is the file as it was then, or, when not given, as it
    // is now.
    void follow(const QString &path, const QByteArray &digest);
    void follow(const QString &path, const text::FileStamp &stamp, const QByteArray &digest);
    // Watches nothing.
    void stop();
    QString path() const { return m_path; }

    enum class State { Unchanged, Changed, Deleted };
    // The file on disk against the one the editor knows. Unchanged also when
    // nothing is watched.
    State check();
    // What is on disk now becomes what the editor knows: it is not reported
    // again until it changes once more.
    void acceptDisk();

signals:
    // The file or its folder changed; check() tells whether it matters.
    void mayHaveChanged();

private:
    void watchAgain();

    QFileSystemWatcher m_watcher;
    QTimer m_settle;
    QString m_path;
    text::FileStamp m_stamp;
    QByteArray m_digest;
};

} // namespace document
