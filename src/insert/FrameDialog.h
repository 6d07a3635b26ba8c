#pragma once
// The dialog "插入网页框架": source, size, alignment and scroll bars of an
// inline frame.
#include "insert/Frames.h"
#include "insert/InsertDialog.h"

class QCheckBox;
class QComboBox;
class QLineEdit;

namespace engine {
class EngineView;
}

namespace insert {

inline const QString FrameDialogCaption = QStringLiteral("插入网页框架");

class FrameDialog : public InsertDialog {
    Q_OBJECT
public:
    FrameDialog(QWidget *owner, Inserter inserter);

    // The dialog's values as they stand.
    FrameFields fields() const;

private:
    QLineEdit *m_source = nullptr;
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    QComboBox *m_align = nullptr;
    QCheckBox *m_scrolling = nullptr;
};

// Opens the dialog owned by owner (the main window), inserting into view.
QDialog *OpenFrameDialog(QWidget *owner, engine::EngineView *view);

} // namespace insert
