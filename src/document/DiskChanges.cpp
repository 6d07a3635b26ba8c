#include "document/DiskChanges.h"

#include "ui/Prompter.h"

#include <QApplication>
#include <QDir>
#include <QEvent>
#include <QFileInfo>
#include <QThread>
#include <QTimer>
#include <QWidget>

namespace document {

bool insideAnotherWait()
{
    return QThread::currentThread()->loopLevel() > 1 || QApplication::activeModalWidget();
}

DiskChanges::DiskChanges(QWidget *window, Page page, QObject *parent)
    : QObject(parent), m_window(window), m_page(std::move(page)), m_file(new FileWatch(this)),
      m_retry(new QTimer(this))
{
    connect(m_file, &FileWatch::mayHaveChanged, this, &DiskChanges::check);
    m_retry->setSingleShot(true);
    m_retry->setInterval(300);
    connect(m_retry, &QTimer::timeout, this, &DiskChanges::check);
    // Coming back to the editor from another program is when a change made
    // there is looked for, whatever the file system reported.
    if (m_window)
        m_window->installEventFilter(this);
}

bool DiskChanges::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_window && event->type() == QEvent::WindowActivate && !m_file->path().isEmpty())
        m_retry->start(); // not from inside the activation itself
    return QObject::eventFilter(watched, event);
}

void DiskChanges::check()
{
    if (m_asking || m_file->path().isEmpty())
        return;
    if (insideAnotherWait()) {
        m_retry->start(); // asked once the program's own loop runs again
        return;
    }
    const FileWatch::State state = m_file->check();
    if (state == FileWatch::State::Unchanged)
        return;
    m_asking = true;
    const QString file = QDir::toNativeSeparators(m_file->path());
    if (state == FileWatch::State::Deleted) {
        ui::showInformation(m_window, QStringLiteral("网页文件“%1”已被其他程序删除或移走。\n"
                                                     "编辑器中的网页仍然保留；保存后会重新创建这个文件。")
                                          .arg(file));
        m_file->acceptDisk();
        // The page is no longer on disk anywhere: closing asks to save it.
        m_page.differsFromFile();
    } else if (m_page.hasUnsavedWork()) {
        const int answer = ui::prompter().choose(
            m_window, QMessageBox::Warning, QStringLiteral("文件已被修改"),
            QStringLiteral("网页文件“%1”已被其他程序修改，而编辑器中的网页还有尚未保存的修改。\n\n"
                           "“保留我的版本”：继续编辑您的版本；保存时，它会替换文件中其他程序所做的修改。\n"
                           "“重新载入”：放弃您尚未保存的修改，载入文件中的新内容。")
                .arg(file),
            {QStringLiteral("保留我的版本"), QStringLiteral("重新载入")}, 0, 0);
        if (answer == 1)
            m_page.reload();
        else
            m_file->acceptDisk();
    } else {
        const int answer = ui::prompter().choose(
            m_window, QMessageBox::Question, QStringLiteral("文件已被修改"),
            QStringLiteral("网页文件“%1”已被其他程序修改。\n编辑器中的网页没有尚未保存的修改。\n\n"
                           "要重新载入文件中的新内容吗？")
                .arg(file),
            {QStringLiteral("重新载入"), QStringLiteral("保留编辑器中的版本")}, 0, 1);
        if (answer == 0) {
            m_page.reload();
        } else {
            m_file->acceptDisk();
            // The editor's version now differs from the file: closing asks to save it.
            m_page.differsFromFile();
        }
    }
    m_asking = false;
    emit answered();
}

bool DiskChanges::mayOverwrite(const QString &path)
{
    // Only another program's page is worth asking about; anything else in
    // its place makes the save fail with its own reason.
    const QFileInfo target(path);
    if (m_file->path().isEmpty() || target.absoluteFilePath() != m_file->path() || !target.isFile() ||
        m_file->check() != FileWatch::State::Changed)
        return true;
    const auto answer = ui::prompter().message(
        m_window, QMessageBox::Warning, QStringLiteral("文件已被修改"),
        QStringLiteral("网页文件“%1”在您打开或上次保存之后，已被其他程序修改。\n"
                       "保存会用编辑器中的网页替换文件中的这些修改。\n\n仍然保存吗？")
            .arg(QDir::toNativeSeparators(path)),
        QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes;
}

} // namespace document
