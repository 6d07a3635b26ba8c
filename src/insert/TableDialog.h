#pragma once
// The dialog "插入表格": the group boxes "表格大小" and "表格效果".
#include "insert/InsertDialog.h"
#include "insert/Tables.h"

class QComboBox;
class QLineEdit;

namespace engine {
class EngineView;
}
namespace ui {
class ColourPicker;
}

namespace insert {

inline const QString TableDialogCaption = QStringLiteral("插入表格");
inline const QString TablePictureFilter = QStringLiteral(
    "GIF图片（*.gif）|*.gif|JPG图片（*.jpg）|*.jpg|PNG图片（*.png）|*.png|BMP图片（*.bmp）|*.bmp|所有文件（*.*）|*.*");

class TableDialog : public InsertDialog {
    Q_OBJECT
public:
    TableDialog(QWidget *owner, Inserter inserter);

    // The dialog's values as they stand.
    TableFields fields() const;
    // "浏览": the chosen picture becomes the background image; cancelling
    // keeps the field's text.
    void chooseBackgroundImage();

private:
    QLineEdit *m_rows, *m_columns, *m_width, *m_height, *m_padding, *m_spacing, *m_border;
    QComboBox *m_collapse;
    ui::ColourPicker *m_borderColour, *m_backColour;
    QLineEdit *m_backgroundImage;
    QComboBox *m_horizontal, *m_vertical;
};

// Opens the dialog owned by owner (the main window), inserting into view.
QDialog *OpenTableDialog(QWidget *owner, engine::EngineView *view);

} // namespace insert
