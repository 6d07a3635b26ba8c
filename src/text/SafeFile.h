#pragma once
// Reading files that someone else may have put in the program's way. Only a
// regular file is ever read: a FIFO, a device or a socket (also behind a
// symbolic link) is refused before anything could block on it or pour
// endless bytes into memory, and so is a file larger than the caller allows.
#include <QByteArray>
#include <QString>
#include <QtGlobal>

namespace text {

// What identifies one state of a file on disk: a write, a replacement by
// rename, a deletion or a touch moves some part of it.
struct FileStamp {
    bool exists = false;
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = 0;
    qint64 modifiedNs = 0;
    qint64 changedNs = 0;

    bool operator==(const FileStamp &o) const
    {
        return exists == o.exists && device == o.device && inode == o.inode && size == o.size &&
               modifiedNs == o.modifiedNs && changedNs == o.changedNs;
    }
    bool operator!=(const FileStamp &o) const { return !(*this == o); }
};

// The file at path as it is now (links followed); exists is false when
// there is nothing there.
FileStamp stampOf(const QString &path);

enum class FileProblem {
    None,
    Missing,     // nothing of that name
    Folder,      // a folder
    NotRegular,  // a FIFO, a device or a socket
    TooLarge,    // larger than the limit the caller gave
    Unreadable,  // refused by the system: see error
};

struct FileRead {
    bool ok = false;
    FileProblem problem = FileProblem::None;
    int error = 0;     // errno for Unreadable (and Missing)
    qint64 size = 0;   // the file's size, also when TooLarge
    QByteArray bytes;
    FileStamp stamp;   // the file that was read, taken while it was open
};

// Reads the whole regular file at path, at most maxBytes of it; a larger
// file is refused unread. Never blocks on the file and never opens anything
// but a regular file.
FileRead readRegularFile(const QString &path, qint64 maxBytes);

} // namespace text
