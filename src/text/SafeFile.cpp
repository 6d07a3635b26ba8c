#include "text/SafeFile.h"

#include <QFile>

#include <cerrno>
#include <algorithm>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace text {

namespace {

FileStamp stampFrom(const struct stat &st)
{
    FileStamp s;
    s.exists = true;
    s.device = quint64(st.st_dev);
    s.inode = quint64(st.st_ino);
    s.size = qint64(st.st_size);
    s.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    s.changedNs = qint64(st.st_ctim.tv_sec) * 1000000000 + st.st_ctim.tv_nsec;
    return s;
}

// Sorts what stat found into the kinds the program refuses.
FileProblem kindProblem(const struct stat &st)
{
    if (S_ISDIR(st.st_mode))
        return FileProblem::Folder;
    if (!S_ISREG(st.st_mode))
        return FileProblem::NotRegular;
    return FileProblem::None;
}

class Descriptor {
public:
    explicit Descriptor(int fd) : m_fd(fd) {}
    ~Descriptor()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    int get() const { return m_fd; }

private:
    int m_fd;
};

} // namespace

FileStamp stampOf(const QString &path)
{
    struct stat st {};
    if (path.isEmpty() || ::stat(QFile::encodeName(path).constData(), &st) != 0)
        return {};
    return stampFrom(st);
}

FileRead readRegularFile(const QString &path, qint64 maxBytes)
{
    FileRead read;
    auto fail = [&read](FileProblem problem, int error = 0) {
        read.problem = problem;
        read.error = error;
        read.bytes.clear();
        return read;
    };
    if (path.isEmpty())
        return fail(FileProblem::Missing, ENOENT);
    const QByteArray name = QFile::encodeName(path);

    // Looked at before it is opened: opening a FIFO for reading waits for a
    // writer, and opening some devices already does something.
    struct stat before {};
    if (::stat(name.constData(), &before) != 0)
        return fail(errno == ENOENT ? FileProblem::Missing : FileProblem::Unreadable, errno);
    if (const FileProblem kind = kindProblem(before); kind != FileProblem::None)
        return fail(kind);
    read.size = qint64(before.st_size);
    if (read.size > maxBytes)
        return fail(FileProblem::TooLarge);

    // Something else may have taken the name's place since: the descriptor
    // is checked again, and O_NONBLOCK keeps even a FIFO from stopping us.
    const Descriptor fd(::open(name.constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (fd.get() < 0)
        return fail(errno == ENOENT ? FileProblem::Missing : FileProblem::Unreadable, errno);
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0)
        return fail(FileProblem::Unreadable, errno);
    if (const FileProblem kind = kindProblem(opened); kind != FileProblem::None)
        return fail(kind);
    read.size = qint64(opened.st_size);
    if (read.size > maxBytes)
        return fail(FileProblem::TooLarge);

    // The file may grow while it is read: never more than the limit.
    read.bytes.resize(qsizetype(std::min<qint64>(read.size, maxBytes)));
    qint64 total = 0;
    for (;;) {
        if (total == read.bytes.size()) {
            if (total >= maxBytes) {
                // Exactly at the limit: one more byte says whether it is over.
                char extra;
                ssize_t n;
                do
                    n = ::read(fd.get(), &extra, 1);
                while (n < 0 && errno == EINTR);
                if (n > 0) {
                    read.size = std::max<qint64>(read.size, total + 1);
                    return fail(FileProblem::TooLarge);
                }
                if (n < 0)
                    return fail(FileProblem::Unreadable, errno);
                break;
            }
            read.bytes.resize(qsizetype(std::min<qint64>(maxBytes, std::max<qint64>(total * 2, total + 65536))));
        }
        const ssize_t n = ::read(fd.get(), read.bytes.data() + total, size_t(read.bytes.size() - total));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return fail(FileProblem::Unreadable, errno);
        }
        if (n == 0)
            break;
        total += n;
    }
    read.bytes.truncate(qsizetype(total));
    read.size = total;
    // Taken now, so that a later look at the disk compares with exactly
    // the state that was read.
    if (::fstat(fd.get(), &opened) == 0)
        read.stamp = stampFrom(opened);
    read.ok = true;
    return read;
}

} // namespace text
