#pragma once
// A web view in design mode. This is the program's only door to the browser
// engine: every operation is synchronous for its caller and returns once the
// engine has done it (evaluateLater is the one exception). Page scripts never
// run; the editor's own runtime (resources/engine/*.js) runs in an isolated
// world beside the page and is installed once per document.
#include "text/FindText.h"

#include <QMap>
#include <QPoint>
#include <QString>
#include <QUrl>
#include <QVariant>
#include <QWidget>
#include <functional>

class QKeyEvent;
class QWebEngineView;

namespace engine {

class EditorPage;
class FindMarks;

// The engine's editing commands on the selection.
enum class EditCommand {
    Bold,
    Italic,
    Underline,
    StrikeThrough,
    Superscript,
    Subscript,
    JustifyNone,
    JustifyLeft,
    JustifyCenter,
    JustifyRight,
    InsertUnorderedList,
    InsertOrderedList,
    Indent,
    Outdent,
    FontName,  // value: the family name
    FontSize,  // value: 1 to 7
    ForeColor, // value: colour 0x00BBGGRR
    BackColor, // value: colour 0x00BBGGRR
};

// The clipboard commands and select-all.
enum class RangeAction { Copy, Cut, Paste, SelectAll };

class EngineView : public QWidget {
    Q_OBJECT
public:
    explicit EngineView(QWidget *parent = nullptr);
    ~EngineView() override;

    // Loads an address ("about:blank" in practice) and waits for the load.
    bool Navigate(const QString &url);
    // Switches design mode on or off; it stays in force for every document
    // written later.
    bool SetEditMode(bool on);
    // Replaces the page with the given text. Relative addresses in the page
    // resolve against baseFolder (a local directory) when it is given; the
    // text itself is not changed. Without one the page is at about:blank,
    // where the engine shows no local pictures at all. Clears the undo
    // history.
    bool WriteDocument(const QString &text, const QString &baseFolder = QString());
    // Relative addresses resolve against another folder from now on, without
    // writing the page again: its caret and history stay. Pictures already
    // shown stay as they are until their address changes. False when the
    // page was written without a folder (it must be written again).
    bool setBaseFolder(const QString &folder);
    // The folder relative addresses resolve against; empty for none.
    QString baseFolder() const;
    // The whole page: doctype and comments around the root element, then the
    // root element's outer HTML, one per line.
    QString ReadDocument();
    // An editing command on the selection; the engine's answer.
    bool ExecCommand(EditCommand command, const QVariant &value = QVariant());
    // Clipboard and select-all on the view.
    bool RangeCommand(RangeAction action);
    // Inserts the markup as given at the caret or over the selection; the
    // caret ends right after it. False when the document has no selection.
    bool PasteHtml(const QString &fragment);
    // Walk the one history of typing, formatting and insertions.
    bool Undo();
    bool Redo();

    // A style sheet of the editor's own, applied to every document of this
    // view beside the page's own style sheets. It changes how the page looks
    // here and is never part of the page's text. Sheets are known by name;
    // setting a name again replaces its sheet, an empty text removes it.
    bool setDocumentSheet(const QString &name, const QString &css);
    // Players, background sounds and scripts, which the engine does not
    // draw here, shown as placeholders a click selects whole; like the
    // sheets, never part of the page's text.
    bool showPlaceholders(bool on);

    bool editMode() const { return m_editMode; }
    bool canUndo();
    bool canRedo();
    // Moves on whenever the page's content changes (typing, formatting,
    // insertions, undo, writing); an unchanged count means ReadDocument would
    // give the same text as before.
    quint64 changeCount();
    // Moves on whenever what the view shows may have changed: a load, any
    // script run through evaluate (every editing operation is one),
    // scrolling, a change of the content's or the view's size, and input to
    // the page. Reading it costs nothing; the engine is not asked.
    quint64 displayStamp() const { return m_displayStamp; }
    // True when a line break at the caret would end its block, so that the
    // new line needs a second break to show.
    bool lineBreakNeedsHolder();

    // Gives the page the keyboard focus, with the caret in the body; a hidden
    // view takes it when it is shown.
    void focusPage();
    // The widget that takes keyboard input for the page (for focus and tests).
    QWidget *inputWidget() const;
    // Called for every key press meant for the page before the engine sees it;
    // returning true swallows the key.
    void setKeyInterceptor(std::function<bool(QKeyEvent *)> interceptor);
    // The page's paste keys (Ctrl+V, Shift+Insert; Ctrl+Shift+V for plain
    // text) go to handler instead of the engine's own paste.
    void setPasteHandler(std::function<void(bool plainText)> handler);
    // Local files dropped on the page go to handler, with the point of the
    // view they were dropped at, instead of to the engine; handler says
    // whether it took them.
    void setDropHandler(std::function<bool(const QList<QUrl> &files, const QPoint &at)> handler);
    // The caret at a point of the view; false where the page has no place for it.
    bool caretToPoint(const QPoint &at);

    // Pasted markup (from a word processor or a web page), kept with its
    // structure and cleaned of what only word processors read; the addresses
    // of its pictures, in order.
    QStringList cleanPastedMarkup(const QString &html);
    // Inserts the markup cleaned last at the caret as one step of the
    // history, its pictures' addresses replaced by these (an empty one
    // keeps the picture's own).
    bool insertCleanedMarkup(const QStringList &addresses);
    // The addresses the page holds (src, href, background, a player's file,
    // url(...) in style attributes), each once; and all places of each of
    // from rewritten to the one at the same place in to, as one step of the
    // history. The number of places changed.
    QStringList pageAddresses();
    int rewriteAddresses(const QStringList &from, const QStringList &to);

    // Runs a script in the editor's isolated world and returns its value.
    QVariant evaluate(const QString &script, int timeoutMs = 60000);
    // Runs a script and hands its value to done later, without waiting; done
    // is not called once this view is gone. Meant for scripts that only read
    // the page: displayStamp stays as it is.
    void evaluateLater(const QString &script, std::function<void(const QVariant &)> done);

    // The element at a point of the view: its tag name, its text and its
    // markup (of an element holding much of the page, only their start),
    // handed to done later, without waiting; all empty where the engine
    // could not tell. done is not called once this view is gone.
    struct ElementTexts {
        QString tagName, text, markup;
    };
    void elementAtLater(const QPoint &point, std::function<void(const ElementTexts &)> done);

    // Find and replace in the text the page shows (never in markup,
    // comments, scripts or styles). find selects the next (or previous)
    // match from the selection; replace puts the text in place of the
    // selected match and finds the next; replaceAll replaces every match as
    // one step of the history and says how many. While matches are marked
    // (after a find or a count, until clearFind), each one on screen is
    // marked over the page, never in it.
    text::FindResult find(const QString &query, const text::FindOptions &options, bool backwards = false);
    text::FindResult replace(const QString &query, const text::FindOptions &options, const QString &replacement);
    int replaceAll(const QString &query, const text::FindOptions &options, const QString &replacement);
    // Counts and marks the matches later, without moving the selection or
    // waiting (as the query is typed); done is not called once the view is gone.
    void countLater(const QString &query, const text::FindOptions &options,
                    std::function<void(const text::FindResult &)> done);
    void clearFind();
    // The selection's text, as the page shows it.
    QString selectedText();

    // The view's zoom, from 25% to 500%; the page is not changed by it.
    void zoomIn();
    void zoomOut();
    void resetZoom();
    qreal zoom() const;

    // Puts each node that comes before the root element on a line of its own.
    static QString withLeadingNodesOnOwnLines(const QString &html);

    // Text of a QString as a JavaScript string literal (quotes included).
    static QString scriptLiteral(const QString &text);

signals:
    // The engine finished loading a document (ok is false on failure).
    void navigationComplete(bool ok);
    // The user asked for a context menu in the page, at this global position.
    void contextMenuRequested(const QPoint &globalPos);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    bool loadAndWait(const std::function<void()> &startLoad);
    static QString sheetScript(const QString &name, const QString &css);
    // Hands a long text to the runtime, one script per piece: kept until the
    // last one is in, or parsed as a page as each arrives.
    void sendInPieces(const QString &text, qsizetype pieceSize, bool parse);
    void watchInputWidget();
    void nameInputWidget();
    void placeInputInTabOrder(QWidget *input);
    void setZoom(qreal factor);
    void updateFindMarks();

    QWebEngineView *m_view = nullptr;
    EditorPage *m_page = nullptr;
    bool m_editMode = false;
    QUrl m_documentBase; // base address of the empty document last loaded
    bool m_closing = false; // set while the view is being destroyed
    qsizetype m_lastWriteSize = 0; // characters of the page last written, for reading times
    quint64 m_loads = 0;  // documents loaded so far; each starts its runtime's count afresh
    std::function<bool(QKeyEvent *)> m_keyInterceptor;
    std::function<void(bool)> m_pasteHandler;
    std::function<bool(const QList<QUrl> &, const QPoint &)> m_dropHandler;
    QObject *m_watchedInput = nullptr;
    bool m_focusWhenShown = false;
    quint64 m_displayStamp = 0;
    QMap<QString, QString> m_sheets; // the editor's own style sheets by name
    bool m_placeholders = false;
    FindMarks *m_findMarks = nullptr;
    qreal m_zoom = 1.0;
    bool m_marking = false;    // matches are marked
    bool m_marksAsked = false; // a question for the marks is out
};

} // namespace engine
