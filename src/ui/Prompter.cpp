#include "ui/Prompter.h"

#include <QColorDialog>
#include <QDateTime>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QIdentityProxyModel>
#include <QLocale>
#include <QLabel>
#include <QGridLayout>
#include <QPushButton>
#include <QStringList>
#include <algorithm>

namespace ui {

namespace {

// The narrowest message text, so the caption shows beside the frame's buttons.
constexpr int kCaptionWidth = 180;
// A message box wraps texts wider than this.
constexpr int kWrapWidth = 420;

// Wide enough for the caption to show in full beside the frame's buttons,
// and for a one-line text to show in full: the box takes the label's minimum
// width as its own, and wraps only texts wider than it allows for a line.
void fitText(QMessageBox &box)
{
    if (auto *label = box.findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))) {
        const int textWidth = label->sizeHint().width();
        if (textWidth < kWrapWidth)
            label->setMinimumWidth(std::max(kCaptionWidth, textWidth));
    }
}

// The file list as the rest of the interface speaks: Qt's file dialog
// writes sizes, kinds and dates in the system's language, whatever the
// program's.
class ChineseFileListing final : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;
    QVariant data(const QModelIndex &index, int role) const override
    {
        enum { kSize = 1, kKind = 2, kDate = 3 };
        auto *files = qobject_cast<QFileSystemModel *>(sourceModel());
        if (role != Qt::DisplayRole || !files || index.column() < kSize || index.column() > kDate)
            return QIdentityProxyModel::data(index, role);
        const QFileInfo info = files->fileInfo(mapToSource(index));
        static const QLocale chinese(QLocale::Chinese, QLocale::China);
        switch (index.column()) {
        case kSize: return info.isDir() ? QString() : chinese.formattedDataSize(info.size());
        case kKind:
            if (info.isDir())
                return QStringLiteral("文件夹");
            return info.suffix().isEmpty() ? QStringLiteral("文件") : info.suffix().toUpper() + QStringLiteral(" 文件");
        default: return chinese.toString(info.lastModified(), QLocale::ShortFormat);
        }
    }
};

// Qt's own dialog, not the desktop's: it speaks Chinese whatever the
// system's language. Each filter shows its description alone; the
// descriptions already name their patterns.
void prepareFileDialog(QFileDialog &dialog)
{
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setOption(QFileDialog::HideNameFilterDetails);
    dialog.setProxyModel(new ChineseFileListing(&dialog));
}

class StandardPrompter final : public Prompter {
public:
    QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                        const QString &caption, const QString &text,
                                        QMessageBox::StandardButtons buttons) override
    {
        QMessageBox box(icon, caption, text, buttons, parent);
        fitText(box);
        const int result = box.exec();
        return static_cast<QMessageBox::StandardButton>(result);
    }

    int choose(QWidget *parent, QMessageBox::Icon icon, const QString &caption, const QString &text,
               const QStringList &buttons, int defaultIndex, int escapeIndex) override
    {
        QMessageBox box(icon, caption, text, QMessageBox::NoButton, parent);
        fitText(box);
        QList<QAbstractButton *> made;
        for (const QString &label : buttons)
            made << box.addButton(label, QMessageBox::AcceptRole);
        if (defaultIndex >= 0 && defaultIndex < made.size())
            box.setDefaultButton(static_cast<QPushButton *>(made.at(defaultIndex)));
        if (escapeIndex >= 0 && escapeIndex < made.size())
            box.setEscapeButton(made.at(escapeIndex));
        box.exec();
        return int(made.indexOf(box.clickedButton()));
    }

    QString openFileName(QWidget *parent, const FileDialogRequest &request) override
    {
        const QString title = request.title.isEmpty() ? QStringLiteral("打开") : request.title;
        QFileDialog dialog(parent, title, request.proposedName, qtFileFilter(request.filter));
        prepareFileDialog(dialog);
        dialog.setAcceptMode(QFileDialog::AcceptOpen);
        dialog.setFileMode(QFileDialog::ExistingFile);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    }

    QString saveFileName(QWidget *parent, const FileDialogRequest &request) override
    {
        const QString title = request.title.isEmpty() ? QStringLiteral("另存为") : request.title;
        QFileDialog dialog(parent, title, QString(), qtFileFilter(request.filter));
        prepareFileDialog(dialog);
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setFileMode(QFileDialog::AnyFile);
        const QString suffix = plainSuffix(request.defaultSuffix);
        if (!suffix.isEmpty())
            dialog.setDefaultSuffix(suffix);
        dialog.selectFile(request.proposedName);
        if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
            return QString();
        return dialog.selectedFiles().constFirst();
    }

    std::optional<QColor> colour(QWidget *parent, const QColor &initial) override
    {
        const QColor chosen =
            QColorDialog::getColor(initial, parent, QStringLiteral("颜色"), QColorDialog::DontUseNativeDialog);
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }

    void notice(QWidget *parent, const QString &caption, const QString &text) override
    {
        auto *box = new QMessageBox(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
        fitText(*box);
        box->setAttribute(Qt::WA_DeleteOnClose);
        box->setWindowModality(Qt::NonModal);
        box->show();
    }
};

StandardPrompter standardPrompter;
Prompter *current = &standardPrompter;

} // namespace

Prompter &prompter()
{
    return *current;
}

void setPrompter(Prompter *replacement)
{
    current = replacement ? replacement : &standardPrompter;
}

void showInformation(QWidget *parent, const QString &text)
{
    prompter().message(parent, QMessageBox::NoIcon, QStringLiteral("信息："), text, QMessageBox::Ok);
}

void showNotice(QWidget *parent, const QString &text)
{
    prompter().notice(parent, QStringLiteral("信息："), text);
}

QString qtFileFilter(const QString &barSeparatedFilter)
{
    const QStringList parts = barSeparatedFilter.split(QLatin1Char('|'));
    QStringList filters;
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        QStringList patterns = parts.at(i + 1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        for (QString &p : patterns)
            p = p.trimmed();
        filters << parts.at(i) + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
    }
    return filters.join(QStringLiteral(";;"));
}

QString plainSuffix(const QString &defaultSuffix)
{
    QString s = defaultSuffix.trimmed();
    if (s.startsWith(QLatin1Char('*')))
        s.remove(0, 1);
    if (s.startsWith(QLatin1Char('.')))
        s.remove(0, 1);
    return s;
}

} // namespace ui
