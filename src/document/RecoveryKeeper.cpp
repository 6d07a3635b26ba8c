#include "document/RecoveryKeeper.h"

#include "document/DiskChanges.h"
#include "document/DocumentController.h"
#include "ui/Prompter.h"

#include <QDir>
#include <QTimer>

namespace document {

RecoveryKeeper::RecoveryKeeper(DocumentController &document, RecoveryStore &store, int intervalMs, QObject *parent)
    : QObject(parent), m_document(document), m_store(store), m_interval(new QTimer(this)), m_quiet(new QTimer(this))
{
    m_quiet->setSingleShot(true);
    m_quiet->setInterval(kQuietInterval);
    // Reading a page of a megabyte out of the design view holds the keyboard
    // for a moment: it waits until the page has stopped changing for a
    // second, or until the user has typed on for another interval.
    connect(m_interval, &QTimer::timeout, this, [this] {
        if (insideAnotherWait())
            return;
        m_interval->stop();
        m_waitingForQuiet.start();
        m_countBeforeQuiet = m_document.designChangeCount();
        m_quiet->start();
    });
    connect(m_quiet, &QTimer::timeout, this, &RecoveryKeeper::quietTick);
    m_interval->setInterval(intervalMs);
    m_interval->start();

    connect(&m_document, &DocumentController::workChanged, this, [this] { update(); });
    connect(&m_document, &DocumentController::aboutToSave, this, &RecoveryKeeper::beforeSave);
    // The work is saved, or the user gave it up.
    connect(&m_document, &DocumentController::closingAccepted, this, [this] { m_store.remove(); });
}

void RecoveryKeeper::quietTick()
{
    if (insideAnotherWait()) {
        m_quiet->start();
        return;
    }
    const quint64 count = m_document.designChangeCount();
    if (count != m_countBeforeQuiet && m_waitingForQuiet.elapsed() < m_interval->interval()) {
        m_countBeforeQuiet = count;
        m_quiet->start();
        return;
    }
    update();
    m_interval->start();
}

void RecoveryKeeper::beforeSave(const QString &path, const QString &text)
{
    // Should the save be cut short, the next start finds the page here, and
    // knows where to look for what the save left.
    RecoveryCopy copy = m_document.recoverySnapshot();
    copy.designText = text; // what the save writes
    copy.savingTo = path;
    m_store.writeNow(copy);
    m_copyWritten = true;
    m_copiedDesign.clear(); // the next update writes it again, without the save
}

void RecoveryKeeper::update(bool wait)
{
    if (!m_document.HasUnsavedWork()) {
        if (m_copyWritten || wait)
            m_store.remove();
        m_copyWritten = false;
        return;
    }
    // The views are read only when they changed; an unchanged page is
    // neither serialised nor written again.
    const RecoveryCopy copy = m_document.recoverySnapshot();
    if (m_copyWritten && copy.designText == m_copiedDesign && copy.codeText == m_copiedCode)
        return;
    if (wait)
        m_store.writeNow(copy);
    else
        m_store.write(copy);
    m_copyWritten = true;
    m_copiedDesign = copy.designText;
    m_copiedCode = copy.codeText;
}

bool RecoveryKeeper::offerLeftCopies(QWidget *window)
{
    bool restored = false;
    for (const RecoveryStore::LeftCopy &left : m_store.takeLeftCopies()) {
        if (restored) {
            // One page at a time: the others wait for the next start.
            m_store.release(left);
            continue;
        }
        if (!left.copy) {
            ui::showInformation(window, QStringLiteral("找到一份上次没有正常退出时留下的恢复副本，但它已损坏，无法恢复，已将它删除。"));
            m_store.discard(left);
            continue;
        }
        const RecoveryCopy &copy = *left.copy;
        const QString which = copy.path.isEmpty()
            ? QStringLiteral("一个尚未保存过的新网页")
            : QStringLiteral("网页文件“%1”").arg(QDir::toNativeSeparators(copy.path));
        QString message = QStringLiteral("上次编辑%1时，程序没有正常退出。\n程序在 %2 为它保存了一份恢复副本，"
                                         "其中有尚未保存的修改。\n\n"
                                         "“恢复”：把副本中的网页放回编辑器，作为尚未保存的修改，原文件保持不变，直到您保存。\n"
                                         "“放弃”：删除这份副本。")
                              .arg(which, copy.writtenAt.toString(QStringLiteral("yyyy年M月d日 HH:mm:ss")));
        if (!left.interruptedSaves.isEmpty()) {
            QStringList shown;
            for (const QString &file : left.interruptedSaves)
                shown << QStringLiteral("“%1”").arg(QDir::toNativeSeparators(file));
            message += QStringLiteral("\n\n保存到“%1”时程序被中断，文件旁留下了没有完成保存的临时文件 %2，"
                                      "其内容与恢复副本相同；无论选择哪一项，它都会被删除。")
                           .arg(QDir::toNativeSeparators(copy.savingTo), shown.join(QStringLiteral("、")));
        }
        const int answer = ui::prompter().choose(window, QMessageBox::Question, QStringLiteral("恢复网页"), message,
                                                 {QStringLiteral("恢复"), QStringLiteral("放弃")}, 0, -1);
        if (answer == 0) {
            m_document.RestoreRecoveredPage(copy);
            // This editor's own copy of the work is on disk before the old one goes.
            m_copyWritten = false;
            update(true);
            m_store.discard(left);
            restored = true;
        } else if (answer == 1) {
            m_store.discard(left);
        } else {
            m_store.release(left); // no choice made: asked again at the next start
        }
    }
    return restored;
}

} // namespace document
