#include "import/OfficeFormat.h"

#include <QFile>
#include <QtEndian>

namespace import {

namespace {

const QByteArray kCompoundFile = QByteArray::fromHex("d0cf11e0a1b11ae1");
const QByteArray kZip = QByteArrayLiteral("PK\x03\x04");
const QByteArray kRtf = QByteArrayLiteral("{\\rtf");
// An OpenDocument package stores its media type first, uncompressed, right
// after the local header of the entry named "mimetype".
constexpr int kMimeTypeAt = 38;
const QByteArray kOpenDocumentText = QByteArrayLiteral("mimetypeapplication/vnd.oasis.opendocument.text");
const QByteArray kOpenDocumentSheet = QByteArrayLiteral("mimetypeapplication/vnd.oasis.opendocument.spreadsheet");

bool hasEntryUnder(const QStringList &names, const QString &folder)
{
    for (const QString &name : names)
        if (name.startsWith(folder))
            return true;
    return false;
}

bool openDocument(const QByteArray &head, const QByteArray &type)
{
    // The media type ends the entry: "...text" must not match "...text-template".
    const QByteArray stored = head.mid(kMimeTypeAt - 8, type.size() + 1);
    return stored.startsWith(type) && (stored.size() == type.size() || stored.at(type.size()) == 'P');
}

quint32 le32(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}
quint16 le16(const QByteArray &bytes, qsizetype at)
{
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}

} // namespace

QString importFilterFor(OfficeKind kind, const QByteArray &head, const QStringList &packageNames)
{
    const bool document = kind == OfficeKind::Document;
    if (head.startsWith(kCompoundFile))
        return document ? QStringLiteral("MS Word 97") : QStringLiteral("MS Excel 97");
    if (document && head.startsWith(kRtf))
        return QStringLiteral("Rich Text Format");
    if (!head.startsWith(kZip))
        return QString();
    if (document) {
        if (openDocument(head, kOpenDocumentText))
            return QStringLiteral("writer8");
        if (packageNames.contains(QStringLiteral("[Content_Types].xml")) && hasEntryUnder(packageNames, QStringLiteral("word/")))
            return QStringLiteral("MS Word 2007 XML");
    } else {
        if (openDocument(head, kOpenDocumentSheet))
            return QStringLiteral("calc8");
        if (packageNames.contains(QStringLiteral("[Content_Types].xml")) && hasEntryUnder(packageNames, QStringLiteral("xl/")))
            return QStringLiteral("Calc MS Excel 2007 XML");
    }
    return QString();
}

QStringList zipEntryNames(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    // The end of central directory record: 22 bytes and a comment of at most
    // 64 KiB, at the end of the file.
    const qint64 size = file.size();
    const qint64 tailSize = std::min<qint64>(size, 22 + 0xFFFF);
    if (tailSize < 22 || !file.seek(size - tailSize))
        return {};
    const QByteArray tail = file.read(tailSize);
    const qsizetype end = tail.lastIndexOf(QByteArrayLiteral("PK\x05\x06"));
    if (end < 0 || end + 22 > tail.size())
        return {};
    const quint16 entries = le16(tail, end + 10);
    const quint32 directorySize = le32(tail, end + 12);
    const quint32 directoryAt = le32(tail, end + 16);
    if (qint64(directoryAt) + directorySize > size || !file.seek(directoryAt))
        return {};
    const QByteArray directory = file.read(directorySize);
    QStringList names;
    qsizetype at = 0;
    for (int i = 0; i < entries && at + 46 <= directory.size(); ++i) {
        if (le32(directory, at) != 0x02014b50)
            break;
        const quint16 nameLength = le16(directory, at + 28);
        const quint16 extraLength = le16(directory, at + 30);
        const quint16 commentLength = le16(directory, at + 32);
        if (at + 46 + nameLength > directory.size())
            break;
        names << QString::fromUtf8(directory.mid(at + 46, nameLength));
        at += 46 + nameLength + extraLength + commentLength;
    }
    return names;
}

QString importFilterForFile(OfficeKind kind, const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    const QByteArray head = file.read(128);
    file.close();
    return importFilterFor(kind, head, head.startsWith(kZip) ? zipEntryNames(path) : QStringList());
}

} // namespace import
