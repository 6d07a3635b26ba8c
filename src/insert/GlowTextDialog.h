#pragma once
// The dialog "插入发光字": the text, its glow colour and strength.
#include "insert/GlowText.h"
#include "insert/InsertDialog.h"

class QLineEdit;

namespace engine {
class EngineView;
}
namespace ui {
class ColourPicker;
}

namespace insert {

inline const QString GlowTextDialogCaption = QStringLiteral("插入发光字");

class GlowTextDialog : public InsertDialog {
    Q_OBJECT
public:
    GlowTextDialog(QWidget *owner, Inserter inserter);

    // The dialog's values as they stand.
    GlowTextFields fields() const;

private:
    QLineEdit *m_text = nullptr;
    ui::ColourPicker *m_colour = nullptr;
    QLineEdit *m_strength = nullptr;
};

// The design view cannot draw the glow filter: this style sheet gives glow
// text in the colours of the colour pickers a glow of that colour, and any
// other glow text a grey one.
QString GlowTextDesignSheet();
inline const QString GlowTextSheetName = QStringLiteral("glow");

// Opens the dialog owned by owner, inserting into view; an open one is
// brought to the front instead.
QDialog *OpenGlowTextDialog(QWidget *owner, engine::EngineView *view);

} // namespace insert
