#pragma once
// The dialog "插入图片". Opened over the main window it inserts into the
// page; opened from the scrolling-text dialog it inserts into that dialog's
// own editing view, and is owned by that dialog and modal.
#include "insert/Images.h"
#include "insert/InsertDialog.h"

#include <QSize>

class QComboBox;
class QLineEdit;

namespace engine {
class EngineView;
}
namespace ui {
class ColourPicker;
}

namespace insert {

inline const QString ImageDialogCaption = QStringLiteral("插入图片");
inline const QString ImagePictureFilter = QStringLiteral(
    "JPG图片（*.jpg）|*.jpg|GIF图片（*.gif）|*.gif|PNG图片（*.png）|*.png|BMP图片（*.bmp）|*.bmp|所有文件（*.*）|*.*");

class ImageDialog : public InsertDialog {
    Q_OBJECT
public:
    ImageDialog(QWidget *owner, Inserter inserter, ImageTarget target);

    // Where this dialog inserts; fixed when it is opened.
    ImageTarget imageTarget() const { return m_target; }
    // The dialog's values as they stand.
    ImageFields fields() const;
    // "浏览": the chosen picture's path, width and height; cancelling keeps
    // the fields' text.
    void choosePicture();

private:
    ImageTarget m_target;
    QLineEdit *m_path, *m_width, *m_height, *m_border;
    ui::ColourPicker *m_borderColour;
    QComboBox *m_wrap, *m_effect;
    QLineEdit *m_altText;
};

// The pixel size of a picture file; 0 x 0 when it cannot be decoded.
QSize PictureFileSize(const QString &path);

// Opens the image dialog inserting into view. For the main page it is owned
// by owner (the main window) and not modal; for the scrolling-text view it
// is owned by owner (that dialog) and modal.
QDialog *OpenImageDialog(QWidget *owner, engine::EngineView *view, ImageTarget target);

} // namespace insert
