#include "commands/Formatting.h"

#include "engine/EngineView.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QSet>

namespace commands {

namespace {

const char *const kCharacterCommands[] = {"Bold",        "Italic",   "Underline",
                                          "StrikeThrough", "Superscript", "Subscript"};
const char *const kParagraphCommands[] = {"JustifyNone",         "JustifyLeft",
                                          "JustifyCenter",       "JustifyRight",
                                          "insertunorderedlist", "insertorderedlist",
                                          "indent",              "outdent"};

template <std::size_t N>
QString pick(const char *const (&names)[N], int index)
{
    if (index < 0 || index >= static_cast<int>(N))
        return QString();
    return QLatin1String(names[index]);
}

void focusThen(engine::EngineView &view, const char *rangeCommand)
{
    FocusView(view);
    view.RangeCommand(QLatin1String(rangeCommand));
}

} // namespace

QString characterFormatCommand(int index)
{
    return pick(kCharacterCommands, index);
}

QString paragraphFormatCommand(int index)
{
    return pick(kParagraphCommands, index);
}

void ApplyCharacterFormat(engine::EngineView &view, int index)
{
    const QString name = characterFormatCommand(index);
    if (!name.isEmpty())
        view.ExecCommand(name);
}

void ApplyParagraphFormat(engine::EngineView &view, int index)
{
    const QString name = paragraphFormatCommand(index);
    if (!name.isEmpty())
        view.ExecCommand(name);
}

void SetFontSize(engine::EngineView &view, int size)
{
    view.ExecCommand(QStringLiteral("FontSize"), size);
}

void SetFontName(engine::EngineView &view, const QString &name)
{
    view.ExecCommand(QStringLiteral("FontName"), name);
}

void SetTextColour(engine::EngineView &view, int colour)
{
    view.ExecCommand(QStringLiteral("ForeColor"), colour);
}

void SetTextBackColour(engine::EngineView &view, int colour)
{
    view.ExecCommand(QStringLiteral("BackColor"), colour);
}

void FocusView(engine::EngineView &view)
{
    QWidget *input = view.inputWidget();
    if (input)
        input->setFocus(Qt::OtherFocusReason);
    else
        view.setFocus(Qt::OtherFocusReason);
}

void CopySelection(engine::EngineView &view) { focusThen(view, "Copy"); }
void CutSelection(engine::EngineView &view) { focusThen(view, "CUT"); }
void PasteClipboard(engine::EngineView &view) { focusThen(view, "PASTE"); }
void SelectAll(engine::EngineView &view) { focusThen(view, "SELECTALL"); }
void UndoEdit(engine::EngineView &view) { view.Undo(); }
void RedoEdit(engine::EngineView &view) { view.Redo(); }

void FillFontNameBox(QComboBox *box)
{
    if (!box)
        return;
    const QString current = QStringLiteral("宋体");
    bool madeCurrent = false;
    QSet<QString> seen;
    for (const QString &listed : QFontDatabase::families()) {
        // A family found at several foundries is listed once per foundry as
        // "Family [Foundry]"; the page only knows the family name.
        QString family = listed;
        const qsizetype foundry = family.lastIndexOf(QLatin1String(" ["));
        if (foundry > 0 && family.endsWith(QLatin1Char(']')))
            family.truncate(foundry);
        if (family.isEmpty() || seen.contains(family))
            continue;
        seen.insert(family);
        box->addItem(family);
        if (family == current) {
            box->setCurrentIndex(box->count() - 1);
            madeCurrent = true;
        }
    }
    // Only "宋体" is ever made current; without it the box shows no name.
    if (!madeCurrent)
        box->setCurrentIndex(-1);
}

void FillFontSizeBox(QComboBox *box)
{
    if (!box)
        return;
    for (int size = 1; size <= 7; ++size)
        box->addItem(QStringLiteral("%1号字").arg(size));
}

int fontSizeForIndex(int index)
{
    return index >= 0 && index <= 5 ? index + 1 : 7;
}

} // namespace commands
