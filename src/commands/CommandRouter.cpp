#include "commands/CommandRouter.h"

namespace commands {

namespace {
bool valid(CommandId id)
{
    return id > CommandId::None && id < CommandId::Count;
}
} // namespace

void CommandRouter::bind(CommandId id, Handler handler)
{
    if (valid(id))
        m_handlers[slot(id)] = std::move(handler);
}

bool CommandRouter::isBound(CommandId id) const
{
    return valid(id) && static_cast<bool>(m_handlers[slot(id)]);
}

bool CommandRouter::run(CommandId id) const
{
    if (!isBound(id))
        return false;
    // Copy first: a handler may rebind its own command while it runs.
    const Handler handler = m_handlers[slot(id)];
    handler();
    return true;
}

const char *commandName(CommandId id)
{
    switch (id) {
    case CommandId::None: return "None";
    case CommandId::NewPage: return "NewPage";
    case CommandId::OpenPage: return "OpenPage";
    case CommandId::SavePage: return "SavePage";
    case CommandId::SavePageAs: return "SavePageAs";
    case CommandId::Exit: return "Exit";
    case CommandId::Bold: return "Bold";
    case CommandId::Italic: return "Italic";
    case CommandId::Underline: return "Underline";
    case CommandId::StrikeThrough: return "StrikeThrough";
    case CommandId::Superscript: return "Superscript";
    case CommandId::Subscript: return "Subscript";
    case CommandId::JustifyNone: return "JustifyNone";
    case CommandId::JustifyLeft: return "JustifyLeft";
    case CommandId::JustifyCenter: return "JustifyCenter";
    case CommandId::JustifyRight: return "JustifyRight";
    case CommandId::BulletedList: return "BulletedList";
    case CommandId::NumberedList: return "NumberedList";
    case CommandId::Indent: return "Indent";
    case CommandId::Outdent: return "Outdent";
    case CommandId::Undo: return "Undo";
    case CommandId::Redo: return "Redo";
    case CommandId::Copy: return "Copy";
    case CommandId::Cut: return "Cut";
    case CommandId::Paste: return "Paste";
    case CommandId::SelectAll: return "SelectAll";
    case CommandId::FontName: return "FontName";
    case CommandId::FontSize: return "FontSize";
    case CommandId::TextColour: return "TextColour";
    case CommandId::TextBackColour: return "TextBackColour";
    case CommandId::InsertImage: return "InsertImage";
    case CommandId::InsertButton: return "InsertButton";
    case CommandId::InsertHyperlink: return "InsertHyperlink";
    case CommandId::InsertTable: return "InsertTable";
    case CommandId::InsertHorizontalRule: return "InsertHorizontalRule";
    case CommandId::InsertTextBox: return "InsertTextBox";
    case CommandId::InsertTextArea: return "InsertTextArea";
    case CommandId::InsertRadioButton: return "InsertRadioButton";
    case CommandId::InsertCheckBox: return "InsertCheckBox";
    case CommandId::InsertGroupBox: return "InsertGroupBox";
    case CommandId::InsertLabel: return "InsertLabel";
    case CommandId::InsertFlash: return "InsertFlash";
    case CommandId::InsertWmv: return "InsertWmv";
    case CommandId::InsertMultimedia: return "InsertMultimedia";
    case CommandId::InsertFrame: return "InsertFrame";
    case CommandId::InsertMarquee: return "InsertMarquee";
    case CommandId::InsertWordArt: return "InsertWordArt";
    case CommandId::InsertGlowText: return "InsertGlowText";
    case CommandId::InsertJavaScript: return "InsertJavaScript";
    case CommandId::InsertDateLabel: return "InsertDateLabel";
    case CommandId::InsertTimeLabel: return "InsertTimeLabel";
    case CommandId::ImportWord: return "ImportWord";
    case CommandId::ImportExcel: return "ImportExcel";
    case CommandId::PageProperties: return "PageProperties";
    case CommandId::ShowEffectsMenu: return "ShowEffectsMenu";
    case CommandId::EffectCarousel: return "EffectCarousel";
    case CommandId::EffectRolloverImage: return "EffectRolloverImage";
    case CommandId::EffectStarrySky: return "EffectStarrySky";
    case CommandId::DesignView: return "DesignView";
    case CommandId::CodeView: return "CodeView";
    case CommandId::Preview: return "Preview";
    case CommandId::ColourPickerTool: return "ColourPickerTool";
    case CommandId::Tutorial: return "Tutorial";
    case CommandId::VisitWebSite: return "VisitWebSite";
    case CommandId::Count: break;
    }
    return "?";
}

} // namespace commands
