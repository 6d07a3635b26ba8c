#pragma once
// What comes into the page from outside: the clipboard pasted into the
// design view (a picture, markup from a word processor or a web page, plain
// text) and files dropped on it from the file manager. Pictures become files
// beside the page (see PictureFolder), so that they are still there when the
// page is published; a page without a file is saved first. Each paste or drop
// is one step the user can undo; the files written stay.
#include <QList>
#include <QObject>
#include <QPoint>
#include <QString>
#include <QUrl>

class QMimeData;
class QWidget;

namespace engine {
class EngineView;
}

namespace document {

class DocumentController;

class PageTransfers : public QObject {
    Q_OBJECT
public:
    // Takes over the design view's paste keys and file drops.
    PageTransfers(QWidget *window, engine::EngineView &view, DocumentController &document,
                  QObject *parent = nullptr);

    // Ctrl+V, 按钮_粘贴, 编辑 › 粘贴: the clipboard at the caret.
    void paste();
    // Ctrl+Shift+V: the clipboard's text, paragraphs and line ends kept.
    void pastePlainText();
    // The same for given clipboard contents (for the editor's own callers).
    void paste(const QMimeData &clipboard, bool plainText);
    // Files dropped at a point of the view: pictures are inserted there in
    // order; a page file is opened instead. False when nothing was taken.
    bool drop(const QList<QUrl> &files, const QPoint &at);

    // Plain text as markup: characters escaped, a blank line between
    // paragraphs, every other line end a <br>.
    static QString plainTextMarkup(const QString &text);

private:
    // The file the page's pictures go beside; asks for one with Save As
    // when the page has none. Empty when the user cancelled.
    QString pageFileForPictures();
    void pasteMarkup(const QMimeData &clipboard);
    void pasteImage(const QImage &image);
    void tell(const QString &message);

    QWidget *m_window;
    engine::EngineView &m_view;
    DocumentController &m_document;
};

} // namespace document
