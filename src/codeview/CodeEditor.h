#pragma once
// The code view's source editor: a Scintilla editor driven by its message
// interface, wrapped so that nothing outside the code view deals with the
// editor component itself. The document is held in UTF-8; texts are exchanged
// with the rest of the program as QString.
#include "text/FindText.h"

#include <QAccessible>
#include <QByteArray>
#include <QString>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

class QKeyEvent;
class QMenu;

namespace codeview {

class ScintillaWidget;

// One message sent to the editor, as recorded by a message trace.
struct SentMessage
{
    unsigned int message = 0;
    unsigned long wParam = 0;
    long lParam = 0;          // for text arguments: 0, the text is in text
    std::string key;          // text given as wParam (properties)
    std::string text;         // text given as lParam
    bool hasText = false;

    bool operator==(const SentMessage &o) const
    {
        return message == o.message && wParam == o.wParam && lParam == o.lParam
            && key == o.key && hasText == o.hasText && text == o.text;
    }
};

class CodeEditor : public QWidget
{
    Q_OBJECT
public:
    explicit CodeEditor(QWidget *parent = nullptr);
    ~CodeEditor() override;

    // The settings every new editor gets, in their fixed order. The
    // constructor runs this; it is public so the order can be checked.
    void applyCreationSettings();

    // Messages to the editor (the component's own numbers). Every
    // message the program sends goes through these, so that a trace sees them all.
    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    long sendText(unsigned int message, unsigned long wParam, const char *text) const;
    long sendTexts(unsigned int message, const char *key, const char *text) const;
    // A query whose answer is text: asks for its length, then for the text.
    QByteArray textReply(unsigned int message, unsigned long wParam = 0) const;
    // Records every message sent through send/sendText into trace until it
    // is set back to nullptr.
    void setMessageTrace(std::vector<SentMessage> *trace) { m_trace = trace; }

    // Whole text, and length in bytes of the editor's UTF-8 document.
    QString text() const;
    long length() const;
    // Inserts text at a character position (0 is the start); the position is
    // clamped to the document.
    void insertTextAt(int position, const QString &text);
    // Replaces the whole text as one undoable step; the clipboard is not used.
    void replaceAllText(const QString &text);
    // Replaces the whole text as a newly loaded document: no undo history,
    // caret at the start.
    void loadText(const QString &text);
    // The editor's standard paste from the system clipboard.
    void paste();

    void undo();
    void redo();
    bool canUndo() const;
    // Forgets the undo history.
    void resetHistory();
    // Whether the text changed since it was last marked unmodified (undoing
    // back to that point counts as unchanged).
    bool isModified() const;
    void markUnmodified();

    // Queries used by the margin-click and character-added handlers. A
    // negative position is not sent: the line is then 0.
    int lineFromPosition(long position) const;
    int foldLevel(int line) const;
    void toggleFold(int line);
    long currentPosition() const;
    void setCurrentPosition(long position);
    // Direct read-only view of the document bytes [position, position+length);
    // valid until the document changes. Moves the editor's gap only when the
    // range spans it.
    const char *rangePointer(long position, long length) const;
    void setAutoCompletionSeparator(char separator);
    // Opens the completion list with lengthEntered bytes before the caret
    // already typed; items is the separator-joined list in UTF-8. The list is
    // not opened (false) when the word does not lie on any screen: the
    // editor component cannot place its list there and would crash.
    bool showAutoCompletion(long lengthEntered, const std::string &items);
    bool autoCompletionActive() const;
    // Where the word began for which the list was last opened (-1: never).
    long autoCompletionWordStart() const { return m_completionWordStart; }

    // The margin-click handler: toggles the fold of the clicked line when that
    // line starts a foldable block.
    void foldToggleAt(long position);

    // Run after every typed character, once it is in the document.
    void setCharacterAddedHandler(std::function<void(CodeEditor &)> handler);

    // Find and replace with the component's own target search: plain,
    // case, whole word, and regular expressions (ECMAScript, \\1 in the
    // replacement). find selects the next (or previous) match from the
    // selection; replace puts the text in place of the selected match and
    // finds the next; replaceAll replaces every match as one undo step and
    // says how many. Every match is marked (never part of the text) until
    // clearFind.
    text::FindResult find(const QString &query, const text::FindOptions &options, bool backwards = false);
    text::FindResult replace(const QString &query, const text::FindOptions &options, const QString &replacement);
    int replaceAll(const QString &query, const text::FindOptions &options, const QString &replacement);
    // Counts and marks the matches without moving the selection.
    text::FindResult countMatches(const QString &query, const text::FindOptions &options);
    void clearFind();
    // The text selected now (empty for none).
    QString selectedText() const;

    // The component's own zoom.
    void zoomIn();
    void zoomOut();
    void resetZoom();
    int zoom() const;

    // The right-click menu, built for the editor's current state. The caller
    // owns it.
    QMenu *createContextMenu(QWidget *parent = nullptr);
    // The area the text is drawn in (mouse input goes there).
    QWidget *viewport() const;

signals:
    void characterAdded(const QString &character);

protected:
    // Keys and input method events given to the wrapper go to the editor.
    bool event(QEvent *event) override;

private:
    friend class ScintillaWidget;
    // Changes are told to screen readers only while one listens (see the
    // constructor).
    class ChangeReporting : public QAccessible::ActivationObserver {
    public:
        explicit ChangeReporting(CodeEditor *editor) : m_editor(editor) {}
        void accessibilityActiveChanged(bool active) override { m_editor->reportChanges(active); }

    private:
        CodeEditor *m_editor;
    };
    void reportChanges(bool toScreenReaders);
    // What a screen reader is told: a change the editor is about to make,
    // the insertion made last, the caret and selection.
    void tellChange(long position, int type, long length);
    void tellInsertion();
    void tellCaret();
    // Every match of the query as byte ranges (start, end), marked; false
    // when the regular expression cannot be read.
    bool searchAll(const QByteArray &query, const text::FindOptions &options, QList<QPair<long, long>> &matches);
    void applyFindMarkStyle();
    // The zoom keys, Ctrl+= (Ctrl++), Ctrl+- and Ctrl+0: true when the key was one.
    bool zoomKey(const QKeyEvent *key);
    void holdBackgroundWork();
    void resumeBackgroundWork();
    // A document from this many bytes on is wrapped in the background for a
    // noticeable while; a smaller one is not worth holding.
    static constexpr long kBackgroundWorkFrom = 256 * 1024;
    void onCharAdded(int character);
    void showContextMenu(const QPoint &globalPos);
    void record(unsigned int message, unsigned long wParam, long lParam, const char *text,
                const char *key = nullptr) const;

    ScintillaWidget *m_editor = nullptr;
    ChangeReporting m_changeReporting{this};
    bool m_reporting = false;
    struct Pending {
        long position = -1; // none
        long length = 0;
        int offset = 0;
    } m_insertion;
    long m_toldCaret = -1;
    long m_toldAnchor = -1;
    std::function<void(CodeEditor &)> m_charAddedHandler;
    mutable std::vector<SentMessage> *m_trace = nullptr;
    long m_completionWordStart = -1;
    long m_heldWrapMode = -1; // the wrap mode while the hidden editor does not wrap
    long m_heldTopLine = 0;   // the document line it showed at the top
    bool m_forwarding = false;
};

} // namespace codeview
