#pragma once
// Keeps the recovery copy of the page's unsaved work up to date, following
// the page's life through the controller's signals, and at start offers back
// the copies an earlier run left. The store only keeps the files.
#include "document/RecoveryStore.h"

#include <QElapsedTimer>
#include <QObject>

class QTimer;
class QWidget;

namespace document {

class DocumentController;

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // How often the copy is brought up to date.
    static constexpr int kInterval = 30000;
    // How long the design view must stay unchanged before it is read for the copy.
    static constexpr int kQuietInterval = 1000;

    // The store must outlive the keeper.
    RecoveryKeeper(DocumentController &document, RecoveryStore &store, int intervalMs = kInterval,
                   QObject *parent = nullptr);

    // The copy brought up to date now: written when the work differs from
    // the copy last written, removed when there is no work; wait returns
    // only once it is on disk.
    void update(bool wait = false);

    // At start: offers each copy left by an editor that no longer runs, in a
    // message box naming the file and the time, with "恢复" and "放弃".
    // Restoring puts the copy into the page as an unsaved change to its
    // file. True when a page was restored.
    bool offerLeftCopies(QWidget *window);

private:
    void beforeSave(const QString &path, const QString &text);
    void quietTick();

    DocumentController &m_document;
    RecoveryStore &m_store;
    QTimer *m_interval;
    QTimer *m_quiet;
    QElapsedTimer m_waitingForQuiet;
    quint64 m_countBeforeQuiet = 0;
    bool m_copyWritten = false;
    QString m_copiedDesign, m_copiedCode;
};

} // namespace document
