#pragma once
// The dialog "插入分组框": size, title alignment, colours and title of a
// group box (fieldset).
#include "insert/InsertDialog.h"
#include "insert/SimpleElements.h"

class QComboBox;
class QLineEdit;

namespace ui {
class ColourPicker;
}

namespace insert {


inline const QString GroupBoxDialogCaption = QStringLiteral("插入分组框");

class GroupBoxDialog : public InsertDialog {
    Q_OBJECT
public:
    GroupBoxDialog(QWidget *owner, Inserter inserter);

    // The dialog's values as they stand.
    GroupBoxFields fields() const;

private:
    QLineEdit *m_width = nullptr;
    QLineEdit *m_height = nullptr;
    QComboBox *m_align = nullptr;
    ui::ColourPicker *m_border = nullptr;
    ui::ColourPicker *m_back = nullptr;
    QLineEdit *m_title = nullptr;
};

} // namespace insert
