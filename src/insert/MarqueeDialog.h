#pragma once
// The dialog "插入滚动字幕": a small editing view of its own for the
// scrolling text, a toolbar that formats its selection, the choice of
// one-way or back-and-forth scrolling. The content is created blank at every
// opening.
#include "insert/InsertDialog.h"
#include "insert/Marquee.h"

class QComboBox;
class QRadioButton;

namespace commands {
class PictureButton;
}
namespace engine {
class EngineView;
}
namespace ui {
class ColourPicker;
}

namespace insert {

inline const QString MarqueeDialogCaption = QStringLiteral("插入滚动字幕");
// The page the editing view starts from.
inline const QString MarqueeBlankPage = QStringLiteral("<html><head></head><body></body></html>");

class MarqueeDialog : public InsertDialog {
    Q_OBJECT
public:
    // inserter puts the finished marquee into the main page.
    // Pictures in the editing view resolve against baseFolder, the page's
    // own folder, as they do in the page.
    MarqueeDialog(QWidget *owner, Inserter inserter, const QString &baseFolder = QString());

    // The dialog's own editing view.
    engine::EngineView *editingView() const { return m_view; }
    // "图形按钮21": the image dialog for the editing view, owned by this
    // dialog and modal.
    QDialog *openImageDialog();
    // What "确定" builds from the editing view's page as it stands.
    BuildResult build();

private:
    commands::PictureButton *pictureButton(const QString &name, const QString &svg);

    engine::EngineView *m_view = nullptr;
    QComboBox *m_fontName = nullptr;
    QComboBox *m_fontSize = nullptr;
    ui::ColourPicker *m_textColour = nullptr;
    ui::ColourPicker *m_textBackColour = nullptr;
    QRadioButton *m_oneWay = nullptr;
    QRadioButton *m_backAndForth = nullptr;
};

// Opens the dialog owned by owner (the main window); the marquee goes into view.
QDialog *OpenMarqueeDialog(QWidget *owner, engine::EngineView *view);

} // namespace insert
