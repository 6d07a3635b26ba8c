#pragma once
// The dialog "页面属性": title, background sound, background picture and
// background colour of the page; confirming writes a new page into both views.
#include "insert/InsertDialog.h"
#include "insert/PageProperties.h"

#include <functional>

class QComboBox;
class QLineEdit;

namespace ui {
class ColourPicker;
}

namespace insert {

inline const QString PagePropertiesDialogCaption = QStringLiteral("页面属性");

// How the dialog reaches the page: reading the design view's whole page,
// and putting a new page into the design view and the code view.
struct PageAccess {
    std::function<QString()> read;
    std::function<void(const QString &)> replace;
};

class PagePropertiesDialog : public InsertDialog {
    Q_OBJECT
public:
    PagePropertiesDialog(QWidget *owner, PageAccess page);

    // The dialog's values as they stand.
    PageProperties properties() const;

    // The two browse buttons: a file-open dialog with its filter; a chosen
    // file's full path goes into the field.
    void browseSound();
    void browseImage();

private:
    BuildResult apply();
    QLineEdit *pathRow(FieldForm &form, const QString &editName, const QString &label,
                       const QString &buttonName, void (PagePropertiesDialog::*browse)());

    PageAccess m_page;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_sound = nullptr;
    QLineEdit *m_image = nullptr;
    ui::ColourPicker *m_background = nullptr;
    QComboBox *m_encoding = nullptr;
};

// Opens the dialog owned by owner; an open one is brought to the front instead.
QDialog *OpenPagePropertiesDialog(QWidget *owner, PageAccess page);

} // namespace insert
