#include "commands/Formatting.h"

#include "engine/EngineView.h"

#include <QComboBox>
#include <QFontDatabase>
#include <QSet>

namespace commands {

namespace {

using engine::EditCommand;

void focusThen(engine::EngineView &view, engine::RangeAction action)
{
    FocusView(view);
    view.RangeCommand(action);
}

} // namespace

void SetFontSize(engine::EngineView &view, int size)
{
    view.ExecCommand(EditCommand::FontSize, size);
}

void SetFontName(engine::EngineView &view, const QString &name)
{
    view.ExecCommand(EditCommand::FontName, name);
}

void SetTextColour(engine::EngineView &view, int colour)
{
    view.ExecCommand(EditCommand::ForeColor, colour);
}

void SetTextBackColour(engine::EngineView &view, int colour)
{
    view.ExecCommand(EditCommand::BackColor, colour);
}

void FocusView(engine::EngineView &view)
{
    QWidget *input = view.inputWidget();
    if (input)
        input->setFocus(Qt::OtherFocusReason);
    else
        view.setFocus(Qt::OtherFocusReason);
}

void CopySelection(engine::EngineView &view) { focusThen(view, engine::RangeAction::Copy); }
void CutSelection(engine::EngineView &view) { focusThen(view, engine::RangeAction::Cut); }
void PasteClipboard(engine::EngineView &view) { focusThen(view, engine::RangeAction::Paste); }
void SelectAll(engine::EngineView &view) { focusThen(view, engine::RangeAction::SelectAll); }
void UndoEdit(engine::EngineView &view) { view.Undo(); }
void RedoEdit(engine::EngineView &view) { view.Redo(); }

void FillFontNameBox(QComboBox *box)
{
    FillFontNameBox(box, QFontDatabase::families());
}

void FillFontNameBox(QComboBox *box, const QStringList &families)
{
    if (!box)
        return;
    const QString current = QStringLiteral("宋体");
    bool madeCurrent = false;
    QSet<QString> seen;
    for (const QString &listed : families) {
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
