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

    const struct {
        CommandId id;
        int index;
    } characterFormats[] = {{CommandId::Bold, 0},        {CommandId::Italic, 1},
                            {CommandId::Underline, 2},   {CommandId::StrikeThrough, 3},
                            {CommandId::Superscript, 4}, {CommandId::Subscript, 5}};
    for (const auto &f : characterFormats) {
        const int index = f.index;
        router.bind(f.id, [view, index] { ApplyCharacterFormat(*view, index); });
    }

    const struct {
        CommandId id;
        int index;
    } paragraphFormats[] = {{CommandId::JustifyNone, 0},  {CommandId::JustifyLeft, 1},
                            {CommandId::JustifyCenter, 2}, {CommandId::JustifyRight, 3},
                            {CommandId::BulletedList, 4}, {CommandId::NumberedList, 5},
                            {CommandId::Indent, 6},       {CommandId::Outdent, 7}};
    for (const auto &f : paragraphFormats) {
        const int index = f.index;
        router.bind(f.id, [view, index] { ApplyParagraphFormat(*view, index); });
    }

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
