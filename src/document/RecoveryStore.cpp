#include "document/RecoveryStore.h"

#include "document/PageFile.h"
#include "text/SafeFile.h"

#include <QDataStream>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>
#include <atomic>
#include <unistd.h>

namespace document {

namespace {

constexpr quint32 kMagic = 0x5A4C5652; // "ZLVR"
// Version 2 adds the declaration the page was read with; copies of version 1
// are still read.
constexpr quint32 kVersion = 2;
constexpr char kCopySuffix[] = ".page";
constexpr char kLockSuffix[] = ".lock";

bool isSaveSuffix(QStringView six)
{
    if (six.size() != 6)
        return false;
    for (QChar c : six)
        if (!(c.isDigit() || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z')))
            return false;
    return true;
}

// "12345-1700000000000-0" from "12345-1700000000000-0.page" and the like.
QString idOf(const QString &fileName)
{
    const QString id = fileName.section(QLatin1Char('.'), 0, 0);
    for (QChar c : id)
        if (!c.isDigit() && c != u'-')
            return QString();
    return id;
}

std::unique_ptr<QLockFile> lockFor(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // Only a lock whose editor no longer runs is stale, however old it is.
    lock->setStaleLockTime(0);
    return lock;
}

// The copy's format: QDataStream's, little-endian, so that the page's text
// goes out as it is held in memory, without an intermediate copy (a page of
// megabytes converted first would cost more in fresh memory than in writing).
void writeCopy(QDataStream &out, const RecoveryCopy &copy)
{
    out.setVersion(QDataStream::Qt_6_0);
    out.setByteOrder(QDataStream::LittleEndian);
    const bool sameTexts = copy.codeText == copy.designText;
    out << kMagic << kVersion << copy.path << qint32(copy.encoding.charset) << copy.encoding.byteOrderMark
        << copy.encoding.iconvName << copy.encoding.declared << copy.writtenAt << copy.codeViewCurrent << copy.savingTo << sameTexts
        << copy.designText;
    if (!sameTexts)
        out << copy.codeText;
}

} // namespace

RecoveryStore::RecoveryStore(const QString &directory) : m_dir(directory)
{
    m_writer.setMaxThreadCount(1);
    // The count keeps two stores of one process apart, made in the same millisecond.
    static std::atomic<int> made{0};
    m_id = QStringLiteral("%1-%2-%3").arg(::getpid()).arg(QDateTime::currentMSecsSinceEpoch()).arg(made++);
    if (m_dir.isEmpty() || !QDir().mkpath(m_dir))
        return;
    // The copies hold the user's pages: for the user's eyes only.
    QFile::setPermissions(m_dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    auto lock = lockFor(fileFor(m_id, kLockSuffix));
    if (lock->tryLock(0))
        m_lock = std::move(lock);
}

RecoveryStore::~RecoveryStore()
{
    m_writer.waitForDone();
}

QString RecoveryStore::defaultDirectory()
{
    const QString data = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    return data.isEmpty() ? QString() : data + QStringLiteral("/recovery");
}

QString RecoveryStore::fileFor(const QString &id, const char *suffix) const
{
    return m_dir + QLatin1Char('/') + id + QLatin1String(suffix);
}

QString RecoveryStore::copyPath() const
{
    return fileFor(m_id, kCopySuffix);
}

void RecoveryStore::write(const RecoveryCopy &copy)
{
    if (!isReady())
        return;
    RecoveryCopy stamped = copy;
    stamped.writtenAt = QDateTime::currentDateTime();
    // QString shares its text: handing the copy to the writer costs nothing here.
    m_writer.start([this, stamped] { writeFile(stamped); });
}

bool RecoveryStore::writeNow(const RecoveryCopy &copy)
{
    if (!isReady())
        return false;
    m_writer.waitForDone();
    RecoveryCopy stamped = copy;
    stamped.writtenAt = QDateTime::currentDateTime();
    return writeFile(stamped);
}

bool RecoveryStore::writeFile(const RecoveryCopy &copy)
{
    // A new file renamed over the old copy: a kill in the middle leaves the
    // previous copy whole.
    QSaveFile file(copyPath());
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    writeCopy(out, copy);
    if (out.status() != QDataStream::Ok) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

void RecoveryStore::remove()
{
    if (!isReady())
        return;
    m_writer.waitForDone();
    QFile::remove(copyPath());
}

QList<RecoveryStore::LeftCopy> RecoveryStore::takeLeftCopies()
{
    QList<LeftCopy> found;
    if (!isReady())
        return found;
    QSet<QString> ids;
    const QStringList names = QDir(m_dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names) {
        const QString id = idOf(name);
        if (!id.isEmpty() && id != m_id && !m_taken.contains(id))
            ids.insert(id);
    }
    for (const QString &id : ids) {
        // Held by a running editor (or one that is just taking it): not ours.
        std::shared_ptr<QLockFile> lock = lockFor(fileFor(id, kLockSuffix));
        if (!lock->tryLock(0))
            continue;
        m_taken.insert(id, lock);
        LeftCopy left;
        left.id = id;
        const QString copyFile = fileFor(id, kCopySuffix);
        if (!QFileInfo::exists(copyFile) && !QFileInfo(copyFile).isSymLink()) {
            // Only the remains of a copy that was never finished.
            discard(left);
            continue;
        }
        const text::FileRead read = text::readRegularFile(copyFile, 4 * maxPageBytes());
        if (read.ok)
            left.copy = parse(read.bytes);
        if (left.copy)
            left.interruptedSaves = interruptedSavesOf(*left.copy);
        found << left;
    }
    // The oldest first.
    std::sort(found.begin(), found.end(), [](const LeftCopy &a, const LeftCopy &b) {
        const QDateTime ta = a.copy ? a.copy->writtenAt : QDateTime();
        const QDateTime tb = b.copy ? b.copy->writtenAt : QDateTime();
        return ta < tb;
    });
    return found;
}

void RecoveryStore::discard(const LeftCopy &left)
{
    if (!m_taken.contains(left.id))
        return;
    // The copy and whatever a cut-short write of it left.
    const QString prefix = left.id + QLatin1String(kCopySuffix);
    const QStringList names = QDir(m_dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString &name : names)
        if (name == prefix || (name.startsWith(prefix + QLatin1Char('.')) && isSaveSuffix(QStringView(name).sliced(prefix.size() + 1))))
            QFile::remove(m_dir + QLatin1Char('/') + name);
    for (const QString &file : left.interruptedSaves)
        QFile::remove(file);
    m_taken.take(left.id)->unlock();
}

void RecoveryStore::release(const LeftCopy &left)
{
    if (const auto lock = m_taken.take(left.id))
        lock->unlock();
}

QStringList RecoveryStore::interruptedSavesOf(const RecoveryCopy &copy)
{
    QStringList files;
    if (copy.savingTo.isEmpty())
        return files;
    const QFileInfo page(copy.savingTo);
    const QString name = page.fileName();
    // The save wrote the design view's text, as the copy holds it.
    const QByteArray saving = text::encodePage(copy.designText, text::encodingForSaving(copy.designText, copy.encoding));
    const QDateTime notBefore = copy.writtenAt.addSecs(-2); // file times may be coarse
    const QFileInfoList entries = page.dir().entryInfoList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoSymLinks);
    for (const QFileInfo &entry : entries) {
        const QString candidate = entry.fileName();
        if (candidate.size() != name.size() + 7 || !candidate.startsWith(name + QLatin1Char('.')) ||
            !isSaveSuffix(QStringView(candidate).sliced(name.size() + 1)))
            continue;
        if (entry.ownerId() != ::getuid() || entry.lastModified() < notBefore || entry.size() > saving.size())
            continue;
        const text::FileRead read = text::readRegularFile(entry.absoluteFilePath(), saving.size());
        if (read.ok && saving.startsWith(read.bytes))
            files << entry.absoluteFilePath();
    }
    return files;
}

QByteArray RecoveryStore::serialise(const RecoveryCopy &copy)
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    writeCopy(out, copy);
    return bytes;
}

std::optional<RecoveryCopy> RecoveryStore::parse(const QByteArray &bytes)
{
    QDataStream in(bytes);
    in.setVersion(QDataStream::Qt_6_0);
    in.setByteOrder(QDataStream::LittleEndian);
    quint32 magic = 0, version = 0;
    in >> magic >> version;
    if (magic != kMagic || version < 1 || version > kVersion)
        return std::nullopt;
    RecoveryCopy copy;
    qint32 charset = 0;
    bool sameTexts = false;
    in >> copy.path >> charset >> copy.encoding.byteOrderMark >> copy.encoding.iconvName;
    if (version >= 2)
        in >> copy.encoding.declared;
    in >> copy.writtenAt >>
        copy.codeViewCurrent >> copy.savingTo >> sameTexts >> copy.designText;
    if (!sameTexts)
        in >> copy.codeText;
    if (in.status() != QDataStream::Ok || !in.atEnd() || charset < qint32(text::PageCharset::Gbk) ||
        charset > qint32(text::PageCharset::Other))
        return std::nullopt;
    copy.encoding.charset = text::PageCharset(charset);
    if (version < 2) // what the page declares now stands for what it came with
        copy.encoding.declared = text::declaredCharset(copy.designText);
    if (sameTexts)
        copy.codeText = copy.designText;
    return copy;
}

} // namespace document
