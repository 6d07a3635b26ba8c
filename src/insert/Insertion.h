#pragma once
// Putting fragments into a page view, and the simple insertion commands that
// the main window's menus and toolbar run.
#include "insert/InsertDialog.h"

#include <QString>

class QDialog;
class QWidget;

namespace engine {
class EngineView;
}

namespace insert {

// Inserts the fragment as it is at the caret or over the selection of the
// view. False when nothing was inserted (no selection); builders ignore it.
bool InsertFragment(engine::EngineView &view, const QString &fragment);
// An inserter for dialogs that puts fragments into the view; it inserts
// nothing once the view is gone.
Inserter InserterFor(engine::EngineView *view);

// Direct insertions: each puts its fixed fragment into the view.
void InsertHorizontalRule(engine::EngineView &view);
void InsertTextBox(engine::EngineView &view);
void InsertTextArea(engine::EngineView &view);
void InsertCheckBox(engine::EngineView &view);
void InsertRadioButton(engine::EngineView &view);
void InsertLabel(engine::EngineView &view);
// Today's date and the current local time as plain text.
void InsertDateLabel(engine::EngineView &view);
void InsertTimeLabel(engine::EngineView &view);

// Open the dialogs owned by owner (the main window), inserting into view.
// A dialog that is already open is brought to the front instead.
QDialog *OpenButtonDialog(QWidget *owner, engine::EngineView *view);
QDialog *OpenGroupBoxDialog(QWidget *owner, engine::EngineView *view);

} // namespace insert
