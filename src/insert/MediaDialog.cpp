#include "insert/MediaDialog.h"

#include "insert/GridForm.h"
#include "insert/Insertion.h"
#include "ui/DialogHost.h"
#include "ui/Prompter.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace insert {

MediaDialog::MediaDialog(QWidget *owner, Inserter inserter)
    : InsertDialog(owner, MediaDialogCaption, QSize(355, 190))
{
    setInserter(std::move(inserter));
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(6, 6, 6, 6);
    m_pages = new QTabWidget(this);
    ui::nameControl(m_pages, QStringLiteral("选择夹1"), QStringLiteral("视频种类"));
    layout->addWidget(m_pages);

    const struct {
        MediaKind kind;
        const char *caption, *label, *field, *browse, *confirm, *cancel;
    } pages[] = {{MediaKind::Flash, "swf视频", "FLASH地址：", "编辑框1", "按钮3", "按钮1", "按钮2"},
                 {MediaKind::Wmv, "wmv视频", "WMV地址：", "编辑框2", "按钮4", "按钮5", "按钮6"}};
    for (const auto &p : pages) {
        auto *page = new QWidget(m_pages);
        page->setAccessibleName(QString::fromUtf8(p.caption));
        m_pages->addTab(page, QString::fromUtf8(p.caption));
        FieldForm form(page);
        QPushButton *browse = nullptr;
        QLineEdit *path = AddPathRow(form.form(), page, QString::fromUtf8(p.field), QString::fromUtf8(p.label),
                                     QString::fromUtf8(p.browse), &browse);
        (p.kind == MediaKind::Flash ? m_flashPath : m_wmvPath) = path;
        const MediaKind kind = p.kind;
        connect(browse, &QPushButton::clicked, this, [this, kind] { chooseFile(kind); });
        form.confirmAndCancel(this, QString::fromUtf8(p.confirm), QString::fromUtf8(p.cancel),
                              [path, kind] { return BuildMedia(kind, path->text()); });
    }
}

QLineEdit *MediaDialog::pathField(MediaKind kind) const
{
    return kind == MediaKind::Flash ? m_flashPath : m_wmvPath;
}

void MediaDialog::showPage(MediaKind kind)
{
    m_pages->setCurrentIndex(kind == MediaKind::Flash ? 0 : 1);
    // Typing goes into the page's address, not to the page tabs.
    pathField(kind)->setFocus(Qt::OtherFocusReason);
}

void MediaDialog::chooseFile(MediaKind kind)
{
    const QString filter = kind == MediaKind::Flash ? FlashFileFilter : WmvFileFilter;
    const QString path = ui::prompter().openFileName(this, {filter, QString(), QString(), QString()});
    if (!path.isEmpty())
        pathField(kind)->setText(path);
}

QDialog *OpenMediaDialog(QWidget *owner, engine::EngineView *view, MediaKind page)
{
    QDialog *dialog = ui::DialogHost::of(owner)->open(MediaDialogCaption, [view](QWidget *parent) {
        return new MediaDialog(parent, InserterFor(view));
    });
    if (auto *media = qobject_cast<MediaDialog *>(dialog))
        media->showPage(page);
    return dialog;
}

} // namespace insert
