#include "document/PageFile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>
#include <unistd.h>

namespace document {

namespace {

QString reasonFor(int err, const QString &qtText, bool forWriting)
{
    const QString known = fileErrorReason(err, forWriting);
    if (!known.isEmpty())
        return known;
    if (qtText.isEmpty())
        return forWriting ? QStringLiteral("写入文件时出错") : QStringLiteral("读取文件时出错");
    return QStringLiteral("系统报告的错误：%1").arg(qtText);
}

QString megabytes(qint64 bytes)
{
    return QStringLiteral("%1 MB").arg(double(bytes) / (1024.0 * 1024.0), 0, 'f', 1);
}

} // namespace

QString fileErrorReason(int errnoValue, bool forWriting)
{
    switch (errnoValue) {
    case ENOENT:
        return forWriting ? QStringLiteral("文件所在的文件夹不存在") : QStringLiteral("文件不存在");
    case EACCES:
    case EPERM:
        return forWriting ? QStringLiteral("没有在此处写入文件的权限") : QStringLiteral("没有读取此文件的权限");
    case EROFS:
        return QStringLiteral("文件所在的磁盘（文件系统）是只读的");
    case ENOSPC:
    case EDQUOT:
        return QStringLiteral("磁盘空间不足");
    case ENOTDIR:
        return QStringLiteral("路径中有一部分不是文件夹");
    case EISDIR:
        return QStringLiteral("这是一个文件夹，不是文件");
    case ENAMETOOLONG:
        return QStringLiteral("文件名太长");
    case EIO:
        return QStringLiteral("读写磁盘时出错");
    case EBUSY:
    case ETXTBSY:
        return QStringLiteral("文件正被其他程序占用");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("同时打开的文件太多");
    case EINVAL:
        return QStringLiteral("文件名无效");
    case EFBIG:
        return QStringLiteral("文件太大");
    default:
        return QString();
    }
}

FileOutcome writeFileSafely(const QString &path, const QByteArray &bytes)
{
    FileOutcome outcome;
    if (path.isEmpty()) {
        outcome.reason = QStringLiteral("没有给出文件名");
        return outcome;
    }
    const QFileInfo existing(path);
    if (existing.isDir()) {
        outcome.reason = QStringLiteral("同名的文件夹已存在，不能用文件替换它");
        return outcome;
    }
    // The file a link points to is the one replaced; the link stays.
    const QString target = existing.isSymLink() ? existing.canonicalFilePath() : existing.absoluteFilePath();
    struct stat before {};
    const bool hadFile = !target.isEmpty() && ::stat(QFile::encodeName(target).constData(), &before) == 0;
    if (hadFile && ::access(QFile::encodeName(target).constData(), W_OK) != 0) {
        // The whole file system may be mounted read-only, which no change to
        // the file's permissions would help.
        outcome.reason = errno == EROFS ? fileErrorReason(EROFS, true) : QStringLiteral("文件是只读的");
        return outcome;
    }

    QSaveFile file(target.isEmpty() ? path : target);
    errno = 0;
    if (!file.open(QIODevice::WriteOnly)) {
        outcome.reason = reasonFor(errno, file.errorString(), true);
        return outcome;
    }
    errno = 0;
    if (file.write(bytes) != bytes.size()) {
        const int err = errno;
        file.cancelWriting();
        outcome.reason = reasonFor(err, file.errorString(), true);
        return outcome;
    }
    if (hadFile) {
        // The new file takes the old one's permissions before it takes its place.
        ::fchmod(file.handle(), before.st_mode & 07777);
        if (::fchown(file.handle(), before.st_uid, before.st_gid) != 0)
            ::fchmod(file.handle(), before.st_mode & 0777); // no set-id bits for another owner
    }
    errno = 0;
    if (!file.commit()) {
        outcome.reason = reasonFor(errno, file.errorString(), true);
        return outcome;
    }
    outcome.ok = true;
    return outcome;
}

FileOutcome readWholeFile(const QString &path, QByteArray &bytes, text::FileStamp *stamp)
{
    FileOutcome outcome;
    const qint64 limit = maxPageBytes();
    text::FileRead read = text::readRegularFile(path, limit);
    switch (read.problem) {
    case text::FileProblem::None:
        break;
    case text::FileProblem::Missing:
        outcome.reason = fileErrorReason(ENOENT, false);
        break;
    case text::FileProblem::Folder:
        outcome.reason = fileErrorReason(EISDIR, false);
        break;
    case text::FileProblem::NotRegular:
        outcome.reason = QStringLiteral("这不是普通文件，而是管道、设备或套接字，不能作为网页打开");
        break;
    case text::FileProblem::TooLarge:
        outcome.reason = QStringLiteral("文件有 %1，超过了本程序能编辑的网页大小上限 %2。编辑中的网页要在内存中保留好几份，"
                                        "这台计算机的内存放不下更大的网页")
                             .arg(megabytes(read.size), megabytes(limit));
        break;
    case text::FileProblem::Unreadable:
        outcome.reason = reasonFor(read.error, QString::fromLocal8Bit(std::strerror(read.error)), false);
        break;
    }
    if (!read.ok) {
        bytes.clear();
        return outcome;
    }
    bytes = std::move(read.bytes);
    if (stamp)
        *stamp = read.stamp;
    outcome.ok = true;
    return outcome;
}

qint64 maxPageBytes()
{
    constexpr qint64 kFloor = 16ll << 20;
    constexpr qint64 kCeiling = 256ll << 20;
    const long pages = ::sysconf(_SC_PHYS_PAGES);
    const long pageSize = ::sysconf(_SC_PAGESIZE);
    if (pages <= 0 || pageSize <= 0)
        return kFloor;
    // Some thirty copies' worth of memory per byte of file, all told.
    return std::clamp(qint64(pages) * pageSize / 32, kFloor, kCeiling);
}

QByteArray contentDigest(const QByteArray &bytes)
{
    return QCryptographicHash::hash(bytes, QCryptographicHash::Sha256);
}

LoadedPage loadPageFile(const QString &path)
{
    LoadedPage page;
    QByteArray bytes;
    const FileOutcome read = readWholeFile(path, bytes, &page.stamp);
    if (!read.ok) {
        page.message = QStringLiteral("无法打开文件“%1”：%2。").arg(QDir::toNativeSeparators(path), read.reason);
        return page;
    }
    page.digest = contentDigest(bytes);
    DecodedPage decoded = decodePage(bytes);
    if (!decoded.ok) {
        page.message = QStringLiteral("没有打开文件“%1”：%2").arg(QDir::toNativeSeparators(path), decoded.problem);
        return page;
    }
    page.ok = true;
    page.notice = encodingNotice(QDir::toNativeSeparators(path), decoded);
    page.text = std::move(decoded.text);
    page.encoding = decoded.encoding;
    return page;
}

QString encodingNotice(const QString &file, const DecodedPage &decoded)
{
    const QString read = decoded.encoding.displayName();
    const QString guess = decoded.guessedEncoding.isEmpty()
        ? QString()
        : QStringLiteral("这个编码是猜的：如果文字显示不正确，说明编码猜错了，请不要保存，以免原文件被改写。");
    if (decoded.repairedBytes > 0)
        return QStringLiteral("文件“%1”声明为 UTF-8 编码，但其中有 %2 个字节不是有效的 UTF-8 字符（第一个在第 %3 行），"
                              "已按 Windows-1252 字符读入（例如字节 0x92 读作“’”）。保存时这些字符会按 UTF-8 写入，"
                              "文件的其余内容保持原样。")
            .arg(file)
            .arg(decoded.repairedBytes)
            .arg(decoded.firstRepairedLine);
    if (decoded.readAgainstDeclaration())
        return QStringLiteral("文件“%1”声明的编码是“%2”，但内容实际是按 %3 编码写的，已按 %3 打开。"
                              "保存时仍按 %3 写入，没有改动的内容保持原样。%4")
            .arg(file, decoded.declared, read, guess);
    if (!decoded.declared.isEmpty() && !decoded.declarationKnown)
        return QStringLiteral("文件“%1”声明的编码“%2”不是浏览器认识的网页编码，已当作没有声明编码，按 %3 打开。%4")
            .arg(file, decoded.declared, read, guess);
    if (!guess.isEmpty())
        return QStringLiteral("文件“%1”没有声明编码，也无法确定它的编码，已按 %2 编码打开。"
                              "如果文字显示不正确，说明编码猜错了：请不要保存，以免原文件被改写。")
            .arg(file, decoded.guessedEncoding);
    return QString();
}

FileOutcome savePageFile(const QString &path, const QString &text, const PageEncoding &encoding,
                         PageEncoding *written, QByteArray *digest)
{
    const PageEncoding use = encodingForSaving(text, encoding);
    const QByteArray bytes = encodePage(text, use);
    const FileOutcome outcome = writeFileSafely(path, bytes);
    if (outcome.ok && written)
        *written = use;
    if (outcome.ok && digest)
        *digest = contentDigest(bytes);
    return outcome;
}

} // namespace document
