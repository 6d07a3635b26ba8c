#include "commands/EditorCommands.h"

#include "ui/ColourPicker.h"
#include "commands/CommandRouter.h"
#include "commands/Formatting.h"
#include "commands/Help.h"
#include "commands/Menus.h"
#include "commands/Toolbar.h"
#include "engine/EngineView.h"

#include <QComboBox>

namespace commands {

void bindFormattingCommands(CommandRouter &router, engine::EngineView &designView,
                            const Toolbar &toolbar)
{
    engine::EngineView *view = &designView;
    const Toolbar *bar = &toolbar;

    // Each formatting command and the engine's editing command it runs.
    using engine::EditCommand;
    const struct {
        CommandId id;
        EditCommand command;
    } formats[] = {{CommandId::Bold, EditCommand::Bold},
                   {CommandId::Italic, EditCommand::Italic},
                   {CommandId::Underline, EditCommand::Underline},
                   {CommandId::StrikeThrough, EditCommand::StrikeThrough},
                   {CommandId::Superscript, EditCommand::Superscript},
                   {CommandId::Subscript, EditCommand::Subscript},
                   {CommandId::JustifyNone, EditCommand::JustifyNone},
                   {CommandId::JustifyLeft, EditCommand::JustifyLeft},
                   {CommandId::JustifyCenter, EditCommand::JustifyCenter},
                   {CommandId::JustifyRight, EditCommand::JustifyRight},
                   {CommandId::BulletedList, EditCommand::InsertUnorderedList},
                   {CommandId::NumberedList, EditCommand::InsertOrderedList},
                   {CommandId::Indent, EditCommand::Indent},
                   {CommandId::Outdent, EditCommand::Outdent}};
    for (const auto &f : formats)
        router.bind(f.id, [view, command = f.command] { view->ExecCommand(command); });

    router.bind(CommandId::Undo, [view] { UndoEdit(*view); });
    router.bind(CommandId::Redo, [view] { RedoEdit(*view); });
    router.bind(CommandId::Copy, [view] { CopySelection(*view); });
    router.bind(CommandId::Cut, [view] { CutSelection(*view); });
    router.bind(CommandId::Paste, [view] { PasteClipboard(*view); });
    router.bind(CommandId::SelectAll, [view] { SelectAll(*view); });

    // The boxes and pickers are read when the command runs.
    router.bind(CommandId::FontName, [view, bar] {
        const QComboBox *box = bar->fontNameBox();
        SetFontName(*view, box->currentIndex() >= 0 ? box->currentText() : QString());
    });
    router.bind(CommandId::FontSize, [view, bar] {
        SetFontSize(*view, fontSizeForIndex(bar->fontSizeBox()->currentIndex()));
    });
    router.bind(CommandId::TextColour,
                [view, bar] { SetTextColour(*view, bar->textColourPicker()->colour()); });
    router.bind(CommandId::TextBackColour,
                [view, bar] { SetTextBackColour(*view, bar->textBackColourPicker()->colour()); });
}

void bindHelpCommands(CommandRouter &router, QWidget *window)
{
    router.bind(CommandId::Tutorial, [window] { ShowTutorial(window); });
    router.bind(CommandId::VisitWebSite, [] { VisitWebSite(); });
}

void bindEffectsMenu(CommandRouter &router, const Toolbar &toolbar)
{
    const Toolbar *bar = &toolbar;
    router.bind(CommandId::ShowEffectsMenu, [bar] { ShowPopupMenu(bar->effectsMenu()); });
}

void bindEditorCommands(CommandRouter &router, engine::EngineView &designView,
                        const Toolbar &toolbar, QWidget *window)
{
    bindFormattingCommands(router, designView, toolbar);
    bindHelpCommands(router, window);
    bindEffectsMenu(router, toolbar);
}

} // namespace commands
