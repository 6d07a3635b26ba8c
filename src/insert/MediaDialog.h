#pragma once
// The dialog "多媒体视频": the pages "swf视频" and "wmv视频", each with a path
// field, its "浏览" button and its own confirm and cancel buttons.
#include "insert/InsertDialog.h"
#include "insert/Media.h"

class QLineEdit;
class QTabWidget;

namespace engine {
class EngineView;
}

namespace insert {

inline const QString MediaDialogCaption = QStringLiteral("多媒体视频");
inline const QString FlashFileFilter = QStringLiteral("FLASH视频文件（*.swf）|*.swf");
inline const QString WmvFileFilter = QStringLiteral("WMV视频文件（*.wmv）|*.wmv");

class MediaDialog : public InsertDialog {
    Q_OBJECT
public:
    MediaDialog(QWidget *owner, Inserter inserter);

    QTabWidget *pages() const { return m_pages; }
    // Makes the page of this kind current.
    void showPage(MediaKind kind);
    // "浏览" of a page: a chosen file becomes its path; cancelling keeps it.
    void chooseFile(MediaKind kind);

private:
    QLineEdit *pathField(MediaKind kind) const;

    QTabWidget *m_pages = nullptr;
    QLineEdit *m_flashPath = nullptr;
    QLineEdit *m_wmvPath = nullptr;
};

// Opens the dialog owned by owner (the main window), inserting into view,
// with the page of this kind current (also when it was open already).
QDialog *OpenMediaDialog(QWidget *owner, engine::EngineView *view, MediaKind page);

} // namespace insert
