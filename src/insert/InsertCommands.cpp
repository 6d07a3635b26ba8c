#include "insert/InsertCommands.h"

#include "commands/CommandRouter.h"
#include "engine/EngineView.h"
#include "insert/FrameDialog.h"
#include "insert/GlowTextDialog.h"
#include "insert/HyperlinkDialog.h"
#include "insert/ImageDialog.h"
#include "insert/Insertion.h"
#include "insert/MarqueeDialog.h"
#include "insert/MediaDialog.h"
#include "insert/ScriptDialog.h"
#include "insert/TableDialog.h"
#include "insert/WordArtDialog.h"
#include "insert/WordArtLook.h"

namespace insert {

void bindInsertCommands(commands::CommandRouter &router, QWidget *owner, engine::EngineView &designView)
{
    using commands::CommandId;
    engine::EngineView *view = &designView;

    // What goes in at once.
    const struct {
        CommandId id;
        void (*insert)(engine::EngineView &);
    } direct[] = {{CommandId::InsertHorizontalRule, InsertHorizontalRule}, {CommandId::InsertTextBox, InsertTextBox},
                  {CommandId::InsertTextArea, InsertTextArea},             {CommandId::InsertCheckBox, InsertCheckBox},
                  {CommandId::InsertRadioButton, InsertRadioButton},       {CommandId::InsertLabel, InsertLabel},
                  {CommandId::InsertDateLabel, InsertDateLabel},           {CommandId::InsertTimeLabel, InsertTimeLabel}};
    for (const auto &d : direct)
        router.bind(d.id, [view, insert = d.insert] { insert(*view); });

    // What a dialog builds.
    const struct {
        CommandId id;
        QDialog *(*open)(QWidget *, engine::EngineView *);
    } dialogs[] = {{CommandId::InsertButton, OpenButtonDialog},       {CommandId::InsertGroupBox, OpenGroupBoxDialog},
                   {CommandId::InsertWordArt, OpenWordArtDialog},     {CommandId::InsertGlowText, OpenGlowTextDialog},
                   {CommandId::InsertTable, OpenTableDialog},         {CommandId::InsertHyperlink, OpenHyperlinkDialog},
                   {CommandId::InsertJavaScript, OpenScriptDialog},   {CommandId::InsertFrame, OpenFrameDialog},
                   {CommandId::InsertMarquee, OpenMarqueeDialog}};
    for (const auto &d : dialogs)
        router.bind(d.id, [owner, view, open = d.open] { open(owner, view); });
    router.bind(CommandId::InsertImage, [owner, view] { OpenImageDialog(owner, view, ImageTarget::MainPage); });
    const struct {
        CommandId id;
        MediaKind page;
    } media[] = {{CommandId::InsertFlash, MediaKind::Flash},
                 {CommandId::InsertWmv, MediaKind::Wmv},
                 {CommandId::InsertMultimedia, MediaKind::Flash}};
    for (const auto &m : media)
        router.bind(m.id, [owner, view, page = m.page] { OpenMediaDialog(owner, view, page); });

    // WordArt and glow text, which the engine cannot draw, show through
    // sheets of the editor's own.
    view->setDocumentSheet(WordArtSheetName, WordArtDesignSheet());
    view->setDocumentSheet(GlowTextSheetName, GlowTextDesignSheet());
}

} // namespace insert
