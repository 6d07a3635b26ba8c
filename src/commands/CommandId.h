#pragma once
// Every command that a menu item, toolbar control or pop-up item can trigger.
// A trigger knows only its command id; what the command does is bound at run
// time through a CommandRouter.

namespace commands {

enum class CommandId {
    None, // items that only show text (the "关于" menu)

    // Document lifecycle
    NewPage,
    OpenPage,
    SavePage,
    SavePageAs,
    Exit,

    // Character formatting
    Bold,
    Italic,
    Underline,
    StrikeThrough,
    Superscript,
    Subscript,

    // Paragraph formatting
    JustifyNone,
    JustifyLeft,
    JustifyCenter,
    JustifyRight,
    BulletedList,
    NumberedList,
    Indent,
    Outdent,

    // Editing
    Undo,
    Redo,
    Copy,
    Cut,
    Paste,
    SelectAll,

    // Font and colour boxes of the toolbar
    FontName,
    FontSize,
    TextColour,
    TextBackColour,

    // Insertions
    InsertImage,
    InsertButton,
    InsertHyperlink,
    InsertTable,
    InsertHorizontalRule,
    InsertTextBox,
    InsertTextArea,
    InsertRadioButton,
    InsertCheckBox,
    InsertGroupBox,
    InsertLabel,
    InsertFlash,
    InsertWmv,
    InsertMultimedia,
    InsertFrame,
    InsertMarquee,
    InsertWordArt,
    InsertGlowText,
    InsertJavaScript,
    InsertDateLabel,
    InsertTimeLabel,
    ImportWord,
    ImportExcel,
    PageProperties,

    // Effect pages
    ShowEffectsMenu,
    EffectCarousel,
    EffectRolloverImage,
    EffectStarrySky,

    // Views and tools
    DesignView,
    CodeView,
    Preview,
    ColourPickerTool,

    // Help
    Tutorial,
    VisitWebSite,

    Count
};

} // namespace commands
