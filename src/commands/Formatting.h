#pragma once
// Text formatting and editing commands on a given web view: the design view
// of the main window, or the scrolling-text dialog's own editor.
#include "engine/EngineView.h"

#include <QString>
#include <QStringList>

class QComboBox;

namespace commands {

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
