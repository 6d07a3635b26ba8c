#pragma once
// What a screen reader reads of the code view: the text, the caret and the
// selection, and what changed at each edit. Offsets are in UTF-16 units, as
// Qt counts them. The component keeps (while a screen reader listens) an
// index of where each line starts in those units, so that turning a byte
// position into an offset costs one line's count, not the count from the
// start of a document of megabytes that the component wrapper's own
// interface does at every key and caret move.
#include <QAccessibleWidget>

class QsciScintillaBase;

namespace codeview {

class EditorAccessibility : public QAccessibleWidget,
                            public QAccessibleTextInterface,
                            public QAccessibleEditableTextInterface
{
public:
    explicit EditorAccessibility(QsciScintillaBase *editor);

    void *interface_cast(QAccessible::InterfaceType type) override;
    QAccessible::State state() const override;

    // QAccessibleTextInterface
    void selection(int selectionIndex, int *startOffset, int *endOffset) const override;
    int selectionCount() const override;
    void addSelection(int startOffset, int endOffset) override;
    void removeSelection(int selectionIndex) override;
    void setSelection(int selectionIndex, int startOffset, int endOffset) override;
    int cursorPosition() const override;
    void setCursorPosition(int position) override;
    QString text(int startOffset, int endOffset) const override;
    QString textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                             int *endOffset) const override;
    QString textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                            int *endOffset) const override;
    QString textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                         int *endOffset) const override;
    int characterCount() const override;
    QRect characterRect(int offset) const override;
    int offsetAtPoint(const QPoint &point) const override;
    void scrollToSubstring(int startIndex, int endIndex) override;
    QString attributes(int offset, int *startOffset, int *endOffset) const override;

    // QAccessibleEditableTextInterface
    void deleteText(int startOffset, int endOffset) override;
    void insertText(int offset, const QString &text) override;
    void replaceText(int startOffset, int endOffset, const QString &text) override;

private:
    QsciScintillaBase *editor() const;
    long send(unsigned int message, unsigned long wParam = 0, long lParam = 0) const;
    long positionOf(int offset) const;
    int offsetOf(long position) const;
    QString range(long start, long end) const;
    // The unit of text around a position: false when there is none.
    bool unitAround(long position, QAccessible::TextBoundaryType type, long *start, long *end) const;
    QString unitText(long start, long end, int *startOffset, int *endOffset) const;
};

// Turns the component's byte positions into the offsets a screen reader
// counts in, and back. Fast while the line index is kept (keepLineIndex).
int offsetOfPosition(const QsciScintillaBase *editor, long position);
long positionOfOffset(const QsciScintillaBase *editor, int offset);
// Starts or stops keeping the index of where each line starts in UTF-16
// units.
void keepLineIndex(QsciScintillaBase *editor, bool keep);

} // namespace codeview
