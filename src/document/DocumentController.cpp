#include "document/DocumentController.h"

#include "document/BlankPage.h"
#include "document/PageFile.h"
#include "document/PictureFolder.h"
#include "ui/BusyNotice.h"
#include "ui/Prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTabWidget>

#include <algorithm>
#include <memory>

namespace document {

namespace {

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
    : QObject(parent), m_window(window), m_views(design, code, views)
{
    m_disk = new DiskChanges(window,
                             {[this] { return HasUnsavedWork(); }, [this] { reloadFromDisk(); },
                              [this] { rememberSaved(QString()); }},
                             this);
    connect(m_disk, &DiskChanges::answered, this, &DocumentController::workChanged);
}

DocumentController::DocumentController(QWidget *window, engine::EngineView &design,
                                       codeview::CodeEditor &code, QTabWidget &views, QObject *parent)
    : DocumentController(window, *surfaceFor(design).release(), *surfaceFor(code).release(), views, parent)
{
    // The adapters made above belong to this controller.
    m_ownDesign.reset(&m_views.design());
    m_ownCode.reset(&m_views.code());
}

DocumentController::~DocumentController() = default;

void DocumentController::InitialiseBlankPage()
{
    m_state.currentPath.clear();
    m_views.setFileFolder(QString());
    m_views.writeDesign(BlankPageTemplate());
    m_state.encoding = gbkEncoding();
    m_disk->file().stop();
    // The engine rewrites the template's markup; its own reading is what the
    // unsaved-changes test will compare with.
    rememberSaved(ReadPage());
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
    if (m_views.designChangeCount() == *m_savedUnreadAt)
        return true;
    // Changed since, with nothing saved after opening: the empty saved
    // reading compares as changed from now on, even after an undo.
    m_savedUnreadAt.reset();
    return false;
}

void DocumentController::WritePageToDesign(const QString &text)
{
    m_views.writeDesign(text);
}

void DocumentController::ReplacePageInBothViews(const QString &text)
{
    m_views.writeDesign(text);
    ReplaceCodeText(text);
}

bool DocumentController::IsPageChanged()
{
    if (unchangedSinceOpened())
        return false;
    return pageChanged(ReadPage(), m_state.savedText);
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
    emit workChanged();
}

void DocumentController::OpenPageCommand()
{
    if (askAboutUnsavedChanges() == Unsaved::Proceed)
        OpenPage();
    emit workChanged();
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
    m_views.setFileFolder(path);
    m_state.encoding = gbkEncoding();
    m_disk->file().follow(path, contentDigest(BlankPageTemplateBytes()));
    const QString page = BlankPageTemplate();
    m_views.writeDesign(page);
    ReplaceCodeText(page);
    rememberSaved(ReadPage());
    if (!m_views.codeShown())
        m_views.focusDesign();
}

void DocumentController::OpenDroppedPage(const QString &path)
{
    if (askAboutUnsavedChanges() == Unsaved::Proceed)
        OpenPath(path);
    emit workChanged();
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
    const QString previousPage = unchangedSinceOpened() ? m_views.codeGiven() : ReadPage();
    const QString previousFolder = m_views.folder();
    const QString folder = QFileInfo(path).absolutePath();
    const bool written = m_views.writeDesign(page.text, folder);
    // Reading a large page back costs much of its opening; it is not read
    // while it stays as it was opened. A page as large as that is far too
    // long for the parser to nest it deeper than the engine can serialise.
    const bool readLater = written && page.text.size() >= kReadLater;
    const QString reading = written && !readLater ? ReadPage() : QString();
    if (!written || (!readLater && reading.isEmpty())) {
        m_views.writeDesign(previousPage, previousFolder);
        ui::showInformation(m_window, QStringLiteral("无法打开网页“%1”：设计视图读不回这个网页的内容（元素嵌套太深），"
                                                     "打开后也无法保存。\n当前网页保持不变。")
                                          .arg(shown(path)));
        return false;
    }
    m_state.currentPath = path;
    m_views.setFileFolder(path);
    m_state.encoding = page.encoding;
    m_disk->file().follow(path, page.stamp, page.digest);
    // The code view gets the file's own text, not the engine's rewrite of it.
    ReplaceCodeText(page.text);
    rememberSaved(reading);
    if (readLater)
        m_savedUnreadAt = m_views.designChangeCount();
    if (!m_views.codeShown())
        m_views.focusDesign();
    if (!page.notice.isEmpty())
        ui::showNotice(m_window, page.notice);
    return true;
}

void DocumentController::reportWriteFailure(const QString &path, const QString &reason)
{
    ui::showInformation(m_window, QStringLiteral("保存失败：无法写入文件“%1”。\n原因：%2。\n网页的修改尚未保存。")
                                      .arg(shown(path), reason));
}

int DocumentController::keepAddressesFor(const QString &path)
{
    // The page's relative addresses point at files seen from its folder;
    // saved into another folder, each one that found a file is written as
    // seen from there, so that it finds the same file.
    const QString from = m_views.folder();
    const QString to = QFileInfo(path).absolutePath();
    if (QDir(from) == QDir(to))
        return 0;
    QStringList before, after;
    for (const QString &address : m_views.design().addresses()) {
        const QString file = PictureFolder::resolve(from, address);
        if (file.isEmpty() || !QFileInfo::exists(file))
            continue;
        // What follows the path (#part, ?query) goes along as it was.
        const qsizetype tail = address.indexOf(QRegularExpression(QStringLiteral("[#?]")));
        const QString moved = PictureFolder::relativeAddress(to, file) + (tail >= 0 ? address.mid(tail) : QString());
        if (moved != address) {
            before << address;
            after << moved;
        }
    }
    if (before.isEmpty())
        return 0;
    // The page is seen from the new folder first: the rewritten addresses
    // find their files from there at once.
    m_views.moveToFolder(to);
    return m_views.design().rewriteAddresses(before, after);
}

bool DocumentController::writePage(const QString &path, bool announceSuccess)
{
    if (ReadPage().isEmpty()) {
        // Even an empty page reads back with its html element; an empty
        // reading means the design view did not answer.
        ui::showInformation(m_window, QStringLiteral("无法读取设计视图中的网页，文件“%1”没有保存。").arg(shown(path)));
        return false;
    }
    if (!m_disk->mayOverwrite(path))
        return false;
    const QString folderBefore = m_views.folder();
    const int rewritten = keepAddressesFor(path);
    const QString page = ReadPage();
    emit aboutToSave(path, page);
    PageEncoding written;
    QByteArray digest;
    const FileOutcome outcome = savePageFile(path, page, m_state.encoding, &written, &digest);
    if (!outcome.ok) {
        if (rewritten) { // the page stays as it was
            m_views.design().undo();
            m_views.moveToFolder(folderBefore);
        }
        reportWriteFailure(path, outcome.reason);
        return false;
    }
    m_savedTo = path;
    // The editor's own write: what the file holds now is known, and the
    // file system's notice of it is not taken for another program's change.
    if (QFileInfo(path).absoluteFilePath() == m_disk->file().path())
        m_disk->file().follow(path, digest);
    m_state.encoding = written;
    m_views.followSavedFile(path);
    rememberSaved(page);
    emit workChanged();
    if (announceSuccess)
        ui::showInformation(m_window, QStringLiteral("保存文档成功！"));
    if (rewritten)
        ui::showNotice(m_window, QStringLiteral("网页保存到了另一个文件夹：其中 %1 处相对地址已改写，在新的位置仍指向原来的文件。"
                                                "（可以撤消这一改写。）")
                                     .arg(rewritten));
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
    if (ending)
        emit closingAccepted();
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
        m_preview.removeFile();
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
    m_preview.removeFile();
    return true;
}

void DocumentController::ShowCodeView()
{
    if (m_views.codeShown())
        return;
    const auto notice = noticeFor(m_window, m_views.codeGiven().size(), QStringLiteral("正在切换到代码视图，请稍后……"));
    m_views.showCode();
}

void DocumentController::ShowDesignView()
{
    if (!m_views.codeShown())
        return;
    const auto notice = noticeFor(m_window, m_views.codeGiven().size(), QStringLiteral("正在切换到设计视图，请稍后……"));
    m_views.showDesign();
}

void DocumentController::PreviewPage()
{
    const QString text = m_views.codeShown() ? m_views.codeText() : ReadPage();
    m_preview.show(m_window, text, m_state.encoding, m_views.folder());
}

bool DocumentController::HasUnsavedWork()
{
    const bool designChanged = !unchangedSinceOpened() && pageChanged(ReadPage(), m_state.savedText);
    return designChanged || m_views.codeHasOwnEdits();
}

RecoveryCopy DocumentController::recoverySnapshot()
{
    RecoveryCopy copy;
    copy.path = m_state.currentPath;
    copy.encoding = m_state.encoding;
    copy.designText = ReadPage();
    copy.codeText = m_views.codeText();
    copy.codeViewCurrent = m_views.codeShown() && m_views.codeHasOwnEdits();
    return copy;
}

void DocumentController::RestoreRecoveredPage(const RecoveryCopy &copy)
{
    m_state.currentPath = copy.path;
    m_views.setFileFolder(copy.path);
    m_state.encoding = copy.encoding;
    // The file as it is now is what the restored work is an unsaved change to.
    if (copy.path.isEmpty()) {
        m_disk->file().stop();
    } else {
        m_disk->file().follow(copy.path, QByteArray());
        m_disk->file().acceptDisk();
    }
    m_views.writeDesign(copy.designText);
    ReplaceCodeText(copy.codeText);
    // Code edits that had not reached the design view stay edits of the code view.
    if (copy.codeViewCurrent)
        m_views.setCodeGiven(copy.designText);
    m_views.bringForward(copy.codeViewCurrent);
    // Whatever the file holds, the page counts as changed until it is saved.
    rememberSaved(QString());
}

void DocumentController::reloadFromDisk()
{
    const QString path = m_state.currentPath;
    const LoadedPage page = loadPageFile(path);
    if (!page.ok) {
        // The page stays as it is, counting as changed against the file.
        ui::showInformation(m_window, page.message + QStringLiteral("\n编辑器中的网页保持不变。"));
        m_disk->file().acceptDisk();
        rememberSaved(QString());
        return;
    }
    takeLoadedPage(path, page);
}

} // namespace document
