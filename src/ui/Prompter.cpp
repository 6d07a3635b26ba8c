#include "ui/Prompter.h"

#include <QColorDialog>
#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace ui {

namespace {

class StandardPrompter final : public Prompter {
public:
    QMessageBox::StandardButton message(QWidget *parent, QMessageBox::Icon icon,
                                        const QString &caption, const QString &text,
                                        QMessageBox::StandardButtons buttons) override
    {
        QMessageBox box(icon, caption, text, buttons, parent);
        // Wide enough for the caption to show in full beside the frame's
        // buttons. Only a short text needs it: a fixed least width keeps the
        // box from sizing itself to a long text, which is then cut off.
        const int kLeastTextWidth = 180;
        if (box.fontMetrics().boundingRect(QRect(), 0, text).width() < kLeastTextWidth)
            box.setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: %1px; }").arg(kLeastTextWidth));
        const int result = box.exec();
        return static_cast<QMessageBox::StandardButton>(result);
    }

    QString openFileName(QWidget *parent, const FileDialogRequest &request) override
    {
        const QString title = request.title.isEmpty() ? QStringLiteral("打开") : request.title;
        return QFileDialog::getOpenFileName(parent, title, request.proposedName, qtFileFilter(request.filter));
    }

    QString saveFileName(QWidget *parent, const FileDialogRequest &request) override
    {
        const QString title = request.title.isEmpty() ? QStringLiteral("另存为") : request.title;
        QFileDialog dialog(parent, title, QString(), qtFileFilter(request.filter));
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
        const QColor chosen = QColorDialog::getColor(initial, parent, QStringLiteral("颜色"));
        if (!chosen.isValid())
            return std::nullopt;
        return chosen;
    }

    void notice(QWidget *parent, const QString &caption, const QString &text) override
    {
        auto *box = new QMessageBox(QMessageBox::NoIcon, caption, text, QMessageBox::Ok, parent);
        box->setStyleSheet(QStringLiteral("QLabel#qt_msgbox_label { min-width: 180px; }"));
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
