// Reading and safe writing of page files, with the failures that really
// happen. Tests run as root, who ignores permission bits, so the failures are
// made with what stops root too: a missing folder, a folder in the file's
// place, an immutable folder, and a full file system.
#include "TestSupport.h"
#include "document/PageFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>

#include <cerrno>
#include <fcntl.h>
#include <linux/fs.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace document;

namespace {

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

void writeRaw(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

// Sets or clears the immutable flag, which even root cannot write past.
bool setImmutable(const QString &path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_DIRECTORY);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? (flags | FS_IMMUTABLE_FL) : (flags & ~FS_IMMUTABLE_FL);
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

} // namespace

class PageFileTest : public QObject {
    Q_OBJECT
    QString dir;

private slots:
    void init() { dir = testsupport::freshTempDir(); }

    void writeReplacesAndKeepsPermissions()
    {
        const QString path = dir + QStringLiteral("/页面.htm");
        writeRaw(path, "old");
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                QFileDevice::ReadGroup | QFileDevice::ReadOther));
        ::chmod(QFile::encodeName(path).constData(), 0640);
        struct stat before {};
        ::stat(QFile::encodeName(path).constData(), &before);

        const FileOutcome out = writeFileSafely(path, "new text");
        QVERIFY2(out.ok, qPrintable(out.reason));
        QCOMPARE(readAll(path), QByteArray("new text"));
        struct stat after {};
        ::stat(QFile::encodeName(path).constData(), &after);
        QCOMPARE(after.st_mode & 07777, 0640u);
        QVERIFY(after.st_ino != before.st_ino); // a new file was renamed over the old one
        QCOMPARE(QDir(dir).entryList(QDir::Files), QStringList{QStringLiteral("页面.htm")});
    }

    void writeThroughALinkReplacesItsTarget()
    {
        const QString target = dir + QStringLiteral("/target.htm");
        const QString link = dir + QStringLiteral("/link.htm");
        writeRaw(target, "old");
        QVERIFY(QFile::link(target, link));
        QVERIFY(writeFileSafely(link, "new").ok);
        QVERIFY(QFileInfo(link).isSymLink());
        QCOMPARE(readAll(target), QByteArray("new"));
    }

    void writeFailuresGiveTheReason_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing folder") << QStringLiteral("no-such-folder/a.htm") << QStringLiteral("文件夹不存在");
        QTest::newRow("folder in the file's place") << QStringLiteral("sub") << QStringLiteral("文件夹");
        QTest::newRow("a file as a folder") << QStringLiteral("plain.txt/a.htm") << QStringLiteral("不是文件夹");
    }
    void writeFailuresGiveTheReason()
    {
        QFETCH(QString, relative);
        QFETCH(QString, reason);
        QVERIFY(QDir(dir).mkdir(QStringLiteral("sub")));
        writeRaw(dir + QStringLiteral("/plain.txt"), "x");
        const FileOutcome out = writeFileSafely(dir + QLatin1Char('/') + relative, "page");
        QVERIFY(!out.ok);
        QVERIFY2(out.reason.contains(reason), qPrintable(out.reason));
        QCOMPARE(readAll(dir + QStringLiteral("/plain.txt")), QByteArray("x"));
    }

    // A folder nobody may write into: the old file stays as it was.
    void unwritableFolderLeavesTheOldFile()
    {
        const QString path = dir + QStringLiteral("/a.htm");
        writeRaw(path, "old page");
        if (!setImmutable(dir, true))
            QSKIP("the file system has no immutable flag");
        const FileOutcome out = writeFileSafely(path, "new page");
        setImmutable(dir, false);
        QVERIFY(!out.ok);
        QVERIFY2(out.reason.contains(QStringLiteral("权限")), qPrintable(out.reason));
        QCOMPARE(readAll(path), QByteArray("old page"));
    }

    // A full disk: the old file stays whole and the reason says so.
    void fullFileSystemLeavesTheOldFile()
    {
        const QString mountPoint = dir + QStringLiteral("/small");
        QVERIFY(QDir(dir).mkdir(QStringLiteral("small")));
        if (::mount("tmpfs", QFile::encodeName(mountPoint).constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("cannot mount a small file system here");
        const QString path = mountPoint + QStringLiteral("/a.htm");
        writeRaw(path, "old page");
        const FileOutcome out = writeFileSafely(path, QByteArray(256 * 1024, 'x'));
        const QByteArray left = readAll(path);
        const QStringList entries = QDir(mountPoint).entryList(QDir::Files | QDir::Hidden);
        ::umount(QFile::encodeName(mountPoint).constData());
        QVERIFY(!out.ok);
        QVERIFY2(out.reason.contains(QStringLiteral("磁盘空间不足")), qPrintable(out.reason));
        QCOMPARE(left, QByteArray("old page"));
        QCOMPARE(entries, QStringList{QStringLiteral("a.htm")}); // no temporary file left behind
    }

    // A FIFO must not block the open, a device must not pour bytes into
    // memory, and a page larger than the machine can hold is refused unread.
    void loadFailuresNameTheFile_data()
    {
        QTest::addColumn<QString>("relative");
        QTest::addColumn<QByteArray>("content");
        QTest::addColumn<QString>("reason");
        QTest::newRow("missing") << QStringLiteral("nothing.htm") << QByteArray() << QStringLiteral("文件不存在");
        QTest::newRow("folder") << QStringLiteral("sub") << QByteArray() << QStringLiteral("文件夹");
        QTest::newRow("zero byte") << QStringLiteral("z.htm") << QByteArray("<p>\0</p>", 8)
                                   << QStringLiteral("零字节");
        QTest::newRow("fifo") << QStringLiteral("fifo.htm") << QByteArray() << QStringLiteral("不是普通文件");
        QTest::newRow("link to /dev/zero") << QStringLiteral("zero.htm") << QByteArray() << QStringLiteral("不是普通文件");
        QTest::newRow("larger than the machine holds") << QStringLiteral("huge.htm") << QByteArray()
                                                       << QStringLiteral("超过了本程序能编辑的网页大小上限");
    }
    void loadFailuresNameTheFile()
    {
        QFETCH(QString, relative);
        QFETCH(QByteArray, content);
        QFETCH(QString, reason);
        QDir(dir).mkdir(QStringLiteral("sub"));
        QVERIFY(::mkfifo(QFile::encodeName(dir + QStringLiteral("/fifo.htm")).constData(), 0600) == 0);
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), dir + QStringLiteral("/zero.htm")));
        {
            QFile huge(dir + QStringLiteral("/huge.htm")); // sparse: costs no disk
            QVERIFY(huge.open(QIODevice::WriteOnly) && huge.resize(maxPageBytes() + 1));
        }
        const QString path = dir + QLatin1Char('/') + relative;
        if (!content.isEmpty())
            writeRaw(path, content);
        const LoadedPage page = loadPageFile(path);
        QVERIFY(!page.ok);
        QVERIFY2(page.message.contains(path) && page.message.contains(reason), qPrintable(page.message));
    }

    // A file system mounted read-only: the reason names the disk, not the file.
    void readOnlyFileSystemIsNamed()
    {
        const QString mountPoint = dir + QStringLiteral("/ro");
        QVERIFY(QDir(dir).mkdir(QStringLiteral("ro")));
        const QByteArray where = QFile::encodeName(mountPoint);
        if (::mount("tmpfs", where.constData(), "tmpfs", 0, "size=64k") != 0)
            QSKIP("cannot mount a file system here");
        const QString path = mountPoint + QStringLiteral("/a.htm");
        writeRaw(path, "old page");
        const bool readOnly = ::mount("tmpfs", where.constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, "size=64k") == 0;
        const FileOutcome existing = writeFileSafely(path, "new page");
        const FileOutcome fresh = writeFileSafely(mountPoint + QStringLiteral("/b.htm"), "new page");
        const QByteArray left = readAll(path);
        ::umount(where.constData());
        QVERIFY(readOnly);
        for (const FileOutcome &out : {existing, fresh}) {
            QVERIFY(!out.ok);
            QVERIFY2(out.reason.contains(QStringLiteral("磁盘（文件系统）是只读的")), qPrintable(out.reason));
        }
        QCOMPARE(left, QByteArray("old page"));
    }

    void savePageFileUsesTheEncodingItWrote()
    {
        const QString path = dir + QStringLiteral("/u.htm");
        PageEncoding written;
        const QString text = QStringLiteral("<meta charset=utf-8><p>中</p>");
        QVERIFY(savePageFile(path, text, gbkEncoding(), &written).ok);
        QCOMPARE(written.charset, text::PageCharset::Utf8);
        QCOMPARE(readAll(path), text.toUtf8());
    }
};

ZELVO_TEST_MAIN(PageFileTest)
#include "test_pagefile.moc"
