#pragma once
// Text formatting and editing commands on a given web view: the design view
// of the main window, or the scrolling-text dialog's own editor.
#include "engine/EngineView.h"

#include <QString>
#include <QStringList>
#include <optional>

class QComboBox;

namespace commands {

// Character formats by index: 0 bold, 1 italic, 2 underline, 3 strike-through,
// 4 superscript, 5 subscript. Another index does nothing.
void ApplyCharacterFormat(engine::EngineView &view, int index);
// Paragraph formats by index: 0 "JustifyNone", 1 left, 2 centre, 3 right,
// 4 bulleted list, 5 numbered list, 6 indent, 7 outdent. Another index does nothing.
void ApplyParagraphFormat(engine::EngineView &view, int index);

// The engine commands behind the two index tables (nothing when out of range).
std::optional<engine::EditCommand> characterFormatCommand(int index);
std::optional<engine::EditCommand> paragraphFormatCommand(int index);

void SetFontSize(engine::EngineView &view, int size); // 1..7
void SetFontName(engine::EngineView &view, const QString &name);
void SetTextColour(engine::EngineView &view, int colour);     // 0x00BBGGRR
void SetTextBackColour(engine::EngineView &view, int colour); // 0x00BBGGRR

// Clipboard and select-all give the view the keyboard focus first.
void CopySelection(engine::EngineView &view);
void CutSelection(engine::EngineView &view);
void PasteClipboard(engine::EngineView &view);
void SelectAll(engine::EngineView &view);
void UndoEdit(engine::EngineView &view);
void RedoEdit(engine::EngineView &view);

// Gives the page of the view the keyboard focus.
void FocusView(engine::EngineView &view);

// Fills the box with every installed font family once, in the order the
// system lists them, and makes "宋体" current when it is among them.
void FillFontNameBox(QComboBox *box);
// The same with the given list of families, as QFontDatabase::families()
// gives it ("Family [Foundry]" for a family found at several foundries).
void FillFontNameBox(QComboBox *box, const QStringList &families);
// The seven items of the font size box: "1号字" ... "7号字".
void FillFontSizeBox(QComboBox *box);
// Font size for the size box's current index: 0..5 give 1..6, any other 7.
int fontSizeForIndex(int index);

} // namespace commands
