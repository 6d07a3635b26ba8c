#pragma once
// The dialog "插入按钮": a tab control whose first page inserts an ordinary
// button and whose second page, "图形按钮", a picture wrapped in a link.
#include "insert/Hyperlinks.h"
#include "insert/InsertDialog.h"
#include "insert/SimpleElements.h"

class QComboBox;
class QLineEdit;
class QTabWidget;

namespace insert {

inline const QString ButtonDialogCaption = QStringLiteral("插入按钮");
inline const QString PictureLinkFilter = QStringLiteral(
    "JPG图片（*.jpg）|*.jpg|GIF图片（*.gif）|*.gif|BMP图片（*.bmp）|*.bmp|PNG图片（*.png）|*.png|所有文件（*.*）|*.*");

class ButtonDialog : public InsertDialog {
    Q_OBJECT
public:
    ButtonDialog(QWidget *owner, Inserter inserter);

    QTabWidget *pages() const { return m_pages; }
    // Adds a page with its caption padded like the others'.
    QWidget *addPage(const QString &caption);

    // The values of the page "普通按钮" as they stand.
    ButtonFields plainButtonFields() const;
    // The values of the page "图形按钮" as they stand.
    PictureLinkFields pictureLinkFields() const;
    // "浏览" of the page "图形按钮": the file dialog's answer becomes the
    // picture field, also when it was cancelled (the field is then emptied).
    void choosePictureLinkPicture();

private:
    void addPlainButtonPage();
    void addPictureLinkPage();

    QTabWidget *m_pages = nullptr;
    QLineEdit *m_id = nullptr;
    QLineEdit *m_title = nullptr;
    QLineEdit *m_linkId = nullptr;
    QLineEdit *m_linkPicture = nullptr;
    QLineEdit *m_linkAddress = nullptr;
    QLineEdit *m_linkTip = nullptr;
    QComboBox *m_linkTarget = nullptr;
};

} // namespace insert
