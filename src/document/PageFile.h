#pragma once
// Reading and writing page files. A write goes to a new file beside the old
// one, which is then renamed over it: a failed save never leaves a half-written
// page, and the old file keeps its permissions, owner and group.
#include "text/PageCodec.h"
#include "text/SafeFile.h"

#include <QByteArray>
#include <QString>

namespace document {

// The page encodings belong to the text layer; the file commands use them by name.
using text::decodePage;
using text::DecodedPage;
using text::encodePage;
using text::encodingForSaving;
using text::gbkEncoding;
using text::PageEncoding;

struct FileOutcome {
    bool ok = false;
    QString reason; // why it failed, in Chinese
};

// Writes the bytes to path, replacing the file only once they are all written.
FileOutcome writeFileSafely(const QString &path, const QByteArray &bytes);
// Reads the whole file, when it is a regular file no larger than
// maxPageBytes(); never blocks on a FIFO or a device. stamp receives the
// state of the file that was read.
FileOutcome readWholeFile(const QString &path, QByteArray &bytes, text::FileStamp *stamp = nullptr);

// The largest page file this machine can hold: a page being edited is kept
// several times over (the file's text, the engine's document and its
// readings, the code view, the recovery copy).
qint64 maxPageBytes();

// A digest of file bytes, for telling whether a file still holds what the
// editor read or wrote.
QByteArray contentDigest(const QByteArray &bytes);

struct LoadedPage {
    bool ok = false;
    QString text;
    PageEncoding encoding;
    QString message; // the full message for the user when ok is false
    // What to tell the user, who has not been asked, about how the page was
    // read (see encodingNotice); empty for nothing.
    QString notice;
    // The file as it was read.
    text::FileStamp stamp;
    QByteArray digest;
};
// Reads and decodes a page file; the message names the file and the reason.
LoadedPage loadPageFile(const QString &path);
// What the user is told, without being asked, about how a page was read:
// bytes repaired, a declaration its bytes do not follow or browsers do not
// know, a guessed encoding. Empty when there is nothing to tell.
QString encodingNotice(const QString &file, const DecodedPage &decoded);

// Writes a page's text in the encoding it is saved in; returns that encoding
// in written and the digest of the bytes in digest (only meaningful on success).
FileOutcome savePageFile(const QString &path, const QString &text, const PageEncoding &encoding,
                         PageEncoding *written = nullptr, QByteArray *digest = nullptr);

// Chinese text for an errno value met while reading (forWriting false) or
// writing a file; an empty text for a value it does not know.
QString fileErrorReason(int errnoValue, bool forWriting);

} // namespace document
