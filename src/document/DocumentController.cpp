#include "document/DocumentController.h"

#include "document/BlankPage.h"
#include "document/FileWatch.h"
#include "document/PageFile.h"
#include "document/PreviewText.h"
#include "document/RecoveryStore.h"
#include "ui/BusyNotice.h"
#include "ui/Prompter.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QTabWidget>
#include <QThread>
#include <QTimer>

#include <algorithm>
#include <memory>

namespace document {

namespace {

constexpr int kDesignPage = 0;
constexpr int kCodePage = 1;

ui::FileDialogRequest newPageDialog()
{
    return {QStringLiteral("HTML文件（*.htm）|*.htm"), QStringLiteral("*.htm"), QStringLiteral("新建网页"), QString()};
}

ui::FileDialogRequest openPageDialog()
{
    return {QStringLiteral("HTML文件(*.htm);(*.html)|*.htm;*.html"), QString(), QString(), QString()};
}

ui::FileDialogRequest saveAsDialog()
{
    return {QStringLiteral("HTML文件（*.htm）|*.htm"), QStringLiteral("*.htm"), QStringLiteral("blank"), QString()};
}

QString shown(const QString &path)
{
    return QDir::toNativeSeparators(path);
}

// A message box, a file dialog or a wait for the engine is running: work
// started from a timer waits for the program's own loop.
bool insideAnotherWait()
{
    return QThread::currentThread()->loopLevel() > 1 || QApplication::activeModalWidget();
}

// From this many characters on, opening a page or switching views takes
// long enough for the user to need telling that the program is working.
constexpr qsizetype kLongWork = 512 * 1024;

// From this many characters on, an opened page is not read back while it
// stays as it was opened.
constexpr qsizetype kReadLater = 256 * 1024;

// A notice over the window while a large page is being worked on; nothing
// for a small one.
std::unique_ptr<ui::BusyNotice> noticeFor(QWidget *window, qsizetype size, const QString &text)
{
    if (size < kLongWork || !window)
        return nullptr;
    return std::make_unique<ui::BusyNotice>(window, text);
}

} // namespace

DocumentController::DocumentController(QWidget *window, DesignSurface &design, CodeSurface &code,
                                       QTabWidget &views, QObject *parent)
    : QObject(parent), m_window(window), m_design(design), m_code(code), m_views(views)
{
    watchTheFile();
}

DocumentController::DocumentController(QWidget *window, engine::EngineView &design,
                                       codeview::CodeEditor &code, QTabWidget &views, QObject *parent)
    : QObject(parent), m_window(window), m_ownDesign(surfaceFor(design)), m_ownCode(surfaceFor(code)),
      m_design(*m_ownDesign), m_code(*m_ownCode), m_views(views)
{
    watchTheFile();
}

DocumentController::~DocumentController() = default;

void DocumentController::InitialiseBlankPage()
{
    m_state.currentPath.clear();
    m_folder.clear();
    m_design.writePage(BlankPageTemplate(), pageFolder());
    m_state.encoding = gbkEncoding();
    m_disk->stop();
    // The engine rewrites the template's markup; its own reading is what the
    // unsaved-changes test will compare with.
    rememberSaved(designText());
}

QString DocumentController::designText()
{
    // The count is taken first: whatever changes after it shows at the next reading.
    const quint64 count = m_design.changeCount();
    if (!m_designKnown || count != m_designCount) {
        m_designText = m_design.readPage();
        m_designCount = count;
        m_designKnown = true;
    }
    return m_designText;
}

void DocumentController::rememberSaved(const QString &reading)
{
    m_state.savedText = reading;
    m_savedUnreadAt.reset();
}

bool DocumentController::unchangedSinceOpened()
{
    if (!m_savedUnreadAt)
        return false;
    if (m_design.changeCount() == *m_savedUnreadAt)
        return true;
    // Changed since, with nothing saved after opening: the empty saved
    // reading compares as changed from now on, even after an undo.
    m_savedUnreadAt.reset();
    return false;
}

QString DocumentController::codeText()
{
    if (!m_codeKnown || m_code.isModified())
        codeNowHolds(m_code.text());
    return m_codeText;
}

void DocumentController::ReadPage()
{
    m_state.engineText = designText();
}

void DocumentController::readCode()
{
    m_state.codeText = codeText();
}

void DocumentController::codeNowHolds(const QString &text)
{
    m_codeText = text;
    m_code.markUnmodified();
    m_codeKnown = true;
}

void DocumentController::ReplaceCodeText(const QString &text)
{
    m_code.loadText(text);
    codeNowHolds(text);
    m_codeFilled = text;
}

void DocumentController::WritePageToDesign(const QString &text)
{
    m_design.writePage(text, pageFolder());
}

void DocumentController::ReplacePageInBothViews(const QString &text)
{
    m_design.writePage(text, pageFolder());
    ReplaceCodeText(text);
}

void DocumentController::showDesignPage()
{
    m_design.focusPage(); // while hidden: the page need not be laid out for it
    m_views.setCurrentIndex(kDesignPage);
}

bool DocumentController::IsPageChanged()
{
    if (unchangedSinceOpened())
        return false;
    ReadPage();
    return pageChanged(m_state.engineText, m_state.savedText);
}

DocumentController::Unsaved DocumentController::askAboutUnsavedChanges()
{
    if (!IsPageChanged())
        return Unsaved::Proceed;
    const auto answer = ui::prompter().message(
        m_window, QMessageBox::Question, QStringLiteral("是否保存"),
        QStringLiteral("当前文件已改变，是否保存修改？"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::Yes) {
        // The save is all this command does; the user gives it again for the
        // new page, which then counts as unchanged.
        SavePage();
        return Unsaved::Stop;
    }
    return answer == QMessageBox::No ? Unsaved::Proceed : Unsaved::Stop;
}

void DocumentController::NewPageCommand()
{
    if (askAboutUnsavedChanges() == Unsaved::Proceed)
        NewPage();
    UpdateRecoveryCopy();
}

void DocumentController::OpenPageCommand()
{
    if (askAboutUnsavedChanges() == Unsaved::Proceed)
        OpenPage();
    UpdateRecoveryCopy();
}

void DocumentController::NewPage()
{
    const QString path = ui::prompter().saveFileName(m_window, newPageDialog());
    if (path.isEmpty())
        return;
    const FileOutcome written = writeFileSafely(path, BlankPageTemplateBytes());
    if (!written.ok) {
        ui::showInformation(m_window, QStringLiteral("新建网页失败：无法写入文件“%1”。\n原因：%2。\n当前网页保持不变。")
                                          .arg(shown(path), written.reason));
        return;
    }
    m_state.currentPath = path;
    m_folder = QFileInfo(path).absolutePath();
    m_state.encoding = gbkEncoding();
    m_disk->follow(path, contentDigest(BlankPageTemplateBytes()));
    const QString page = BlankPageTemplate();
    m_design.writePage(page, pageFolder());
    ReplaceCodeText(page);
    rememberSaved(designText());
    if (m_views.currentIndex() == kDesignPage)
        m_design.focusPage();
}

void DocumentController::OpenPage()
{
    const QString path = ui::prompter().openFileName(m_window, openPageDialog());
    if (!path.isEmpty())
        OpenPath(path);
}

bool DocumentController::OpenPath(const QString &path)
{
    // Nothing changes until the file has been read and decoded.
    LoadedPage page = loadPageFile(path);
    if (!page.ok) {
        ui::showInformation(m_window, page.message);
        return false;
    }
    return takeLoadedPage(path, page);
}

bool DocumentController::takeLoadedPage(const QString &path, const LoadedPage &page)
{
    const auto notice = noticeFor(m_window, page.text.size(), QStringLiteral("正在打开网页，请稍后……"));
    // A page the engine takes in but cannot read back (elements nested too
    // deeply for it) could never be saved: it is refused now, and the page
    // shown before comes back.
    // A large page unchanged since it was opened is not read for this: the
    // text it was opened from (or last shown in the code view) gives it back.
    const QString previousPage = unchangedSinceOpened() ? m_codeFilled : designText();
    const QString previousFolder = pageFolder();
    const QString folder = QFileInfo(path).absolutePath();
    const bool written = m_design.writePage(page.text, folder);
    // Reading a large page back takes seconds (a third of the opening of a
    // 10 MB page); it is not read while it stays as it was opened. A page
    // as large as that is far too long for the parser to nest it deeper
    // than the engine can serialise.
    const bool readLater = written && page.text.size() >= kReadLater;
    const QString reading = written && !readLater ? designText() : QString();
    if (!written || (!readLater && reading.isEmpty())) {
        m_design.writePage(previousPage, previousFolder);
        ui::showInformation(m_window, QStringLiteral("无法打开网页“%1”：设计视图读不回这个网页的内容（元素嵌套太深），"
                                                     "打开后也无法保存。\n当前网页保持不变。")
                                          .arg(shown(path)));
        return false;
    }
    m_state.currentPath = path;
    m_folder = folder;
    m_state.encoding = page.encoding;
    m_disk->follow(path, page.stamp, page.digest);
    // The code view gets the file's own text, not the engine's rewrite of it.
    ReplaceCodeText(page.text);
    rememberSaved(reading);
    if (readLater)
        m_savedUnreadAt = m_design.changeCount();
    if (m_views.currentIndex() == kDesignPage)
        m_design.focusPage();
    if (!page.notice.isEmpty())
        ui::showNotice(m_window, page.notice);
    return true;
}

void DocumentController::reportWriteFailure(const QString &path, const QString &reason)
{
    ui::showInformation(m_window, QStringLiteral("保存失败：无法写入文件“%1”。\n原因：%2。\n网页的修改尚未保存。")
                                      .arg(shown(path), reason));
}

bool DocumentController::writePage(const QString &path, bool announceSuccess)
{
    if (m_state.engineText.isEmpty()) {
        // Even an empty page reads back with its html element; an empty
        // reading means the design view did not answer.
        ui::showInformation(m_window, QStringLiteral("无法读取设计视图中的网页，文件“%1”没有保存。").arg(shown(path)));
        return false;
    }
    if (!mayOverwrite(path))
        return false;
    if (m_recovery) {
        // Should the save be cut short, the next start finds the page here,
        // and knows where to look for what the save left.
        RecoveryCopy copy = recoverySnapshot();
        copy.designText = m_state.engineText; // what the save writes
        copy.savingTo = path;
        m_recovery->writeNow(copy);
        m_copyWritten = true;
        m_copiedDesign.clear(); // the next update writes it again, without the save
    }
    PageEncoding written;
    QByteArray digest;
    const FileOutcome outcome = savePageFile(path, m_state.engineText, m_state.encoding, &written, &digest);
    if (!outcome.ok) {
        reportWriteFailure(path, outcome.reason);
        return false;
    }
    // The editor's own write: what the file holds now is known, and the
    // file system's notice of it is not taken for another program's change.
    if (QFileInfo(path).absoluteFilePath() == m_disk->path())
        m_disk->follow(path, digest);
    m_state.encoding = written;
    followFolderOf(path);
    rememberSaved(m_state.engineText);
    UpdateRecoveryCopy();
    if (announceSuccess)
        ui::showInformation(m_window, QStringLiteral("保存文档成功！"));
    return true;
}

bool DocumentController::SavePage()
{
    ReadPage();
    if (m_state.currentPath.isEmpty())
        return SavePageAs();
    return writePage(m_state.currentPath, true);
}

bool DocumentController::SavePageAs()
{
    ReadPage();
    const QString path = ui::prompter().saveFileName(m_window, saveAsDialog());
    if (path.isEmpty())
        return false; // cancelled: the page still counts as changed
    // The page's own file stays the one Save writes to.
    return writePage(path, true);
}

bool DocumentController::CloseProgram()
{
    const bool ending = askToClose();
    if (ending && m_recovery)
        m_recovery->remove(); // the work is saved, or the user gave it up
    return ending;
}

bool DocumentController::askToClose()
{
    if (!IsPageChanged())
        return true; // an unchanged page leaves the preview file in place
    const auto answer = ui::prompter().message(
        m_window, QMessageBox::Question, QStringLiteral("是否保存"),
        QStringLiteral("当前文件已改变，是否保存修改？"),
        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
    if (answer == QMessageBox::No) {
        removePreviewFile();
        return true;
    }
    if (answer != QMessageBox::Yes)
        return false;

    QString path = m_state.currentPath;
    if (path.isEmpty()) {
        path = ui::prompter().saveFileName(m_window, saveAsDialog());
        if (path.isEmpty())
            return false;
    }
    if (!writePage(path, false))
        return false; // the page is not saved: keep the program running
    removePreviewFile();
    return true;
}

void DocumentController::ShowCodeView()
{
    if (m_views.currentIndex() != kDesignPage)
        return;
    const auto notice = noticeFor(m_window, std::max(m_designText.size(), m_codeText.size()),
                                  QStringLiteral("正在切换到代码视图，请稍后……"));
    ReadPage();
    readCode();
    if (m_state.engineText != m_state.codeText) {
        m_code.replaceText(m_state.engineText); // one undoable step; the clipboard is left alone
        codeNowHolds(m_state.engineText);
        m_codeFilled = m_state.engineText;
    }
    m_views.setCurrentIndex(kCodePage);
}

void DocumentController::ShowDesignView()
{
    if (m_views.currentIndex() != kCodePage)
        return;
    const auto notice = noticeFor(m_window, std::max(m_designText.size(), m_codeText.size()),
                                  QStringLiteral("正在切换到设计视图，请稍后……"));
    ReadPage();
    readCode();
    if (m_state.engineText != m_state.codeText) {
        // Not read back here: the page is read when it is next needed (a
        // save, the code view), after whatever the user types in between.
        m_design.writePage(m_state.codeText, pageFolder());
    }
    m_codeFilled = m_state.codeText; // the design view has it now
    showDesignPage();
}

void DocumentController::PreviewPage()
{
    const QString text = m_views.currentIndex() == kCodePage ? codeText() : designText();
    const QByteArray bytes = encodePage(withBaseForPreview(text, pageFolder()),
                                        encodingForSaving(text, m_state.encoding));

    QString path = QDir(programDirectory()).filePath(previewFileName());
    const FileOutcome written = writeFileSafely(path, bytes);
    if (!written.ok) {
        // The program's directory is not writable (an installed program):
        // the temporary-files directory takes the preview instead. An empty
        // answer means that directory does not exist either.
        const QString tempDir = QDir::tempPath();
        FileOutcome second;
        const QString fallback = tempDir.isEmpty() ? QString() : QDir(tempDir).filePath(previewFileName());
        if (!fallback.isEmpty())
            second = writeFileSafely(fallback, bytes);
        if (!second.ok) {
            ui::showInformation(m_window, QStringLiteral("无法预览：预览文件“%1”写不进去（%2），临时文件夹中也写不进去%3。")
                                              .arg(shown(path), written.reason,
                                                   fallback.isEmpty() ? QStringLiteral("（临时文件夹不存在）")
                                                                      : QStringLiteral("（%1）").arg(second.reason)));
            return;
        }
        path = fallback;
    }
    m_lastPreviewPath = path;
    const QUrl url = QUrl::fromLocalFile(path);
    const bool opened = m_openUrl ? m_openUrl(url) : QDesktopServices::openUrl(url);
    if (!opened)
        ui::showInformation(m_window, QStringLiteral("无法打开浏览器预览网页。预览文件在“%1”。").arg(shown(path)));
}

void DocumentController::removePreviewFile()
{
    const QString inProgramDir = QDir(programDirectory()).filePath(previewFileName());
    if (QFileInfo::exists(inProgramDir))
        QFile::remove(inProgramDir);
    // Elsewhere only the file this run wrote itself is removed.
    if (!m_lastPreviewPath.isEmpty() && m_lastPreviewPath != inProgramDir)
        QFile::remove(m_lastPreviewPath);
}

bool DocumentController::HasUnsavedWork()
{
    const bool designChanged = !unchangedSinceOpened() && pageChanged(designText(), m_state.savedText);
    return designChanged || codeText() != m_codeFilled;
}

RecoveryCopy DocumentController::recoverySnapshot()
{
    RecoveryCopy copy;
    copy.path = m_state.currentPath;
    copy.encoding = m_state.encoding;
    copy.designText = designText();
    copy.codeText = codeText();
    copy.codeViewCurrent = m_views.currentIndex() == kCodePage && copy.codeText != m_codeFilled;
    return copy;
}

void DocumentController::keepRecoveryCopies(RecoveryStore *store, int intervalMs)
{
    m_recovery = store;
    if (!m_recoveryTimer) {
        m_recoveryTimer = new QTimer(this);
        m_quietTimer = new QTimer(this);
        m_quietTimer->setSingleShot(true);
        m_quietTimer->setInterval(kQuietInterval);
        // Reading a page of a megabyte out of the design view holds the
        // keyboard for a moment: it waits until the page has stopped changing
        // for a second, or until the user has typed on for another interval.
        connect(m_recoveryTimer, &QTimer::timeout, this, [this] {
            if (insideAnotherWait())
                return;
            m_recoveryTimer->stop();
            m_waitingForQuiet.start();
            m_countBeforeQuiet = m_design.changeCount();
            m_quietTimer->start();
        });
        connect(m_quietTimer, &QTimer::timeout, this, [this] {
            if (insideAnotherWait()) {
                m_quietTimer->start();
                return;
            }
            const quint64 count = m_design.changeCount();
            if (count != m_countBeforeQuiet && m_waitingForQuiet.elapsed() < m_recoveryTimer->interval()) {
                m_countBeforeQuiet = count;
                m_quietTimer->start();
                return;
            }
            UpdateRecoveryCopy();
            m_recoveryTimer->start();
        });
    }
    m_recoveryTimer->setInterval(intervalMs);
    m_quietTimer->stop();
    if (store)
        m_recoveryTimer->start();
    else
        m_recoveryTimer->stop();
}

void DocumentController::UpdateRecoveryCopy(bool wait)
{
    if (!m_recovery)
        return;
    if (!HasUnsavedWork()) {
        if (m_copyWritten || wait)
            m_recovery->remove();
        m_copyWritten = false;
        return;
    }
    // The views are read only when they changed; an unchanged page is
    // neither serialised nor written again.
    const RecoveryCopy copy = recoverySnapshot();
    if (m_copyWritten && copy.designText == m_copiedDesign && copy.codeText == m_copiedCode)
        return;
    if (wait)
        m_recovery->writeNow(copy);
    else
        m_recovery->write(copy);
    m_copyWritten = true;
    m_copiedDesign = copy.designText;
    m_copiedCode = copy.codeText;
}

void DocumentController::RestoreRecoveredPage(const RecoveryCopy &copy)
{
    m_state.currentPath = copy.path;
    m_folder = copy.path.isEmpty() ? QString() : QFileInfo(copy.path).absolutePath();
    m_state.encoding = copy.encoding;
    // The file as it is now is what the restored work is an unsaved change to.
    if (copy.path.isEmpty()) {
        m_disk->stop();
    } else {
        m_disk->follow(copy.path, QByteArray());
        m_disk->acceptDisk();
    }
    m_design.writePage(copy.designText, pageFolder());
    m_code.loadText(copy.codeText);
    codeNowHolds(copy.codeText);
    // Code edits that had not reached the design view stay edits of the code view.
    m_codeFilled = copy.codeViewCurrent ? copy.designText : copy.codeText;
    // Whatever the file holds, the page counts as changed until it is saved.
    rememberSaved(QString());
    ReadPage();
    m_copyWritten = false;
    if (copy.codeViewCurrent)
        m_views.setCurrentIndex(kCodePage);
    else
        showDesignPage();
}

void DocumentController::watchTheFile()
{
    m_disk = new FileWatch(this);
    connect(m_disk, &FileWatch::mayHaveChanged, this, &DocumentController::CheckFileOnDisk);
    m_diskRetry = new QTimer(this);
    m_diskRetry->setSingleShot(true);
    m_diskRetry->setInterval(300);
    connect(m_diskRetry, &QTimer::timeout, this, &DocumentController::CheckFileOnDisk);
    // Coming back to the editor from another program is when a change made
    // there is looked for, whatever the file system reported.
    if (m_window)
        m_window->installEventFilter(this);
}

bool DocumentController::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::WindowActivate && !m_disk->path().isEmpty())
        m_diskRetry->start(); // not from inside the activation itself
    return QObject::eventFilter(watched, event);
}

void DocumentController::CheckFileOnDisk()
{
    if (m_askingAboutDisk || m_disk->path().isEmpty())
        return;
    if (insideAnotherWait()) {
        m_diskRetry->start(); // asked once the program's own loop runs again
        return;
    }
    const FileWatch::State state = m_disk->check();
    if (state == FileWatch::State::Unchanged)
        return;
    m_askingAboutDisk = true;
    const QString file = shown(m_state.currentPath);
    if (state == FileWatch::State::Deleted) {
        ui::showInformation(m_window, QStringLiteral("网页文件“%1”已被其他程序删除或移走。\n"
                                                     "编辑器中的网页仍然保留；保存后会重新创建这个文件。")
                                          .arg(file));
        m_disk->acceptDisk();
        // The page is no longer on disk anywhere: closing asks to save it.
        rememberSaved(QString());
    } else if (HasUnsavedWork()) {
        const int answer = ui::prompter().choose(
            m_window, QMessageBox::Warning, QStringLiteral("文件已被修改"),
            QStringLiteral("网页文件“%1”已被其他程序修改，而编辑器中的网页还有尚未保存的修改。\n\n"
                           "“保留我的版本”：继续编辑您的版本；保存时，它会替换文件中其他程序所做的修改。\n"
                           "“重新载入”：放弃您尚未保存的修改，载入文件中的新内容。")
                .arg(file),
            {QStringLiteral("保留我的版本"), QStringLiteral("重新载入")}, 0, 0);
        if (answer == 1)
            reloadFromDisk();
        else
            m_disk->acceptDisk();
    } else {
        const int answer = ui::prompter().choose(
            m_window, QMessageBox::Question, QStringLiteral("文件已被修改"),
            QStringLiteral("网页文件“%1”已被其他程序修改。\n编辑器中的网页没有尚未保存的修改。\n\n"
                           "要重新载入文件中的新内容吗？")
                .arg(file),
            {QStringLiteral("重新载入"), QStringLiteral("保留编辑器中的版本")}, 0, 1);
        if (answer == 0) {
            reloadFromDisk();
        } else {
            m_disk->acceptDisk();
            // The editor's version now differs from the file: closing asks to save it.
            rememberSaved(QString());
        }
    }
    m_askingAboutDisk = false;
    UpdateRecoveryCopy();
}

void DocumentController::reloadFromDisk()
{
    const QString path = m_state.currentPath;
    const LoadedPage page = loadPageFile(path);
    if (!page.ok) {
        // The page stays as it is, counting as changed against the file.
        ui::showInformation(m_window, page.message + QStringLiteral("\n编辑器中的网页保持不变。"));
        m_disk->acceptDisk();
        rememberSaved(QString());
        return;
    }
    takeLoadedPage(path, page);
}

bool DocumentController::mayOverwrite(const QString &path)
{
    // Only another program's page is worth asking about; anything else in
    // its place makes the save fail with its own reason.
    const QFileInfo target(path);
    if (m_disk->path().isEmpty() || target.absoluteFilePath() != m_disk->path() || !target.isFile() ||
        m_disk->check() != FileWatch::State::Changed)
        return true;
    const auto answer = ui::prompter().message(
        m_window, QMessageBox::Warning, QStringLiteral("文件已被修改"),
        QStringLiteral("网页文件“%1”在您打开或上次保存之后，已被其他程序修改。\n"
                       "保存会用编辑器中的网页替换文件中的这些修改。\n\n仍然保存吗？")
            .arg(shown(path)),
        QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes;
}

QString DocumentController::programDirectory() const
{
    return m_programDir.isEmpty() ? QCoreApplication::applicationDirPath() : m_programDir;
}

QString DocumentController::pageFolder() const
{
    return m_folder.isEmpty() ? QDir::homePath() : m_folder;
}

void DocumentController::followFolderOf(const QString &path)
{
    // The page just saved elsewhere shows its pictures as they are seen
    // from there, at once and without being written again.
    const QString folder = QFileInfo(path).absolutePath();
    if (folder == pageFolder())
        return;
    m_folder = folder;
    m_design.setBaseFolder(folder);
}

} // namespace document
