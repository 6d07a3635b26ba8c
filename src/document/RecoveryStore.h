#pragma once
// Recovery copies: while the page has unsaved work, the editor keeps a copy of
// both views' texts, the page's file and its encoding in a folder of its own
// (never beside or over the user's file), so that a crash or a kill loses at
// most the last half minute. Each running editor writes only its own copy and
// holds a lock for as long as it runs; a copy whose editor no longer runs is
// offered back at the next start.
#include "text/PageCodec.h"

#include <QDateTime>
#include <QMap>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <memory>
#include <optional>

class QLockFile;

namespace document {

struct RecoveryCopy {
    QString path;                // the page's file; empty for a page never saved
    text::PageEncoding encoding;
    QString designText;
    QString codeText;
    bool codeViewCurrent = false; // the code view was in front, holding edits of its own
    QDateTime writtenAt;         // when the copy was written (set by the store)
    QString savingTo;            // a save to this file was under way when it was written
};

class RecoveryStore {
public:
    // Copies go into directory (created when missing); the default is the
    // program's data folder under the user's home.
    explicit RecoveryStore(const QString &directory = defaultDirectory());
    // Waits for a write under way. The copy stays: only remove() takes it
    // away, when the page's work is safe.
    ~RecoveryStore();
    RecoveryStore(const RecoveryStore &) = delete;
    RecoveryStore &operator=(const RecoveryStore &) = delete;

    static QString defaultDirectory();
    // False when the folder or this editor's lock could not be made; then
    // nothing is written.
    bool isReady() const { return m_lock != nullptr; }
    QString directory() const { return m_dir; }
    // This editor's copy.
    QString copyPath() const;

    // Writes the copy in the background and returns at once; writes are
    // done in the order given.
    void write(const RecoveryCopy &copy);
    // Writes the copy and returns once it is on disk.
    bool writeNow(const RecoveryCopy &copy);
    // Removes this editor's copy (after any write still under way).
    void remove();

    // A copy left by an editor that no longer runs; this store holds its
    // lock until discard().
    struct LeftCopy {
        QString id;
        std::optional<RecoveryCopy> copy; // nothing when the file is damaged
        // Files a save left beside the page when it was cut short.
        QStringList interruptedSaves;
    };
    QList<LeftCopy> takeLeftCopies();
    // Removes a left copy's files (and the interrupted saves) and its lock.
    void discard(const LeftCopy &left);
    // Lets go of a left copy without removing it: it is offered again at
    // the next start.
    void release(const LeftCopy &left);

    // The copy's file format.
    static QByteArray serialise(const RecoveryCopy &copy);
    static std::optional<RecoveryCopy> parse(const QByteArray &bytes);
    // What a cut-short save of this copy left beside savingTo: files named
    // "<name>.XXXXXX", written since the copy, holding the start of what
    // the save was writing (and so nothing else of the user's).
    static QStringList interruptedSavesOf(const RecoveryCopy &copy);

private:
    bool writeFile(const RecoveryCopy &copy);
    QString fileFor(const QString &id, const char *suffix) const;

    QString m_dir;
    QString m_id;
    std::unique_ptr<QLockFile> m_lock;
    QMap<QString, std::shared_ptr<QLockFile>> m_taken;
    QThreadPool m_writer;
};

} // namespace document
