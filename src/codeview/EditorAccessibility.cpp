#include "codeview/EditorAccessibility.h"

#include <Qsci/qsciscintillabase.h>

#include <QByteArray>
#include <QRect>

#include <algorithm>

namespace codeview {

using Sci = QsciScintillaBase;

namespace {

bool lineIndexKept(const QsciScintillaBase *editor)
{
    return (editor->SendScintilla(Sci::SCI_GETLINECHARACTERINDEX) & Sci::SC_LINECHARACTERINDEX_UTF16) != 0;
}

} // namespace

void keepLineIndex(QsciScintillaBase *editor, bool keep)
{
    // The component counts the requests; one from here at a time.
    if (keep == lineIndexKept(editor))
        return;
    editor->SendScintilla(keep ? Sci::SCI_ALLOCATELINECHARACTERINDEX : Sci::SCI_RELEASELINECHARACTERINDEX,
                          Sci::SC_LINECHARACTERINDEX_UTF16);
}

int offsetOfPosition(const QsciScintillaBase *editor, long position)
{
    position = std::clamp(position, 0L, editor->SendScintilla(Sci::SCI_GETLENGTH));
    if (!lineIndexKept(editor))
        return int(editor->SendScintilla(Sci::SCI_COUNTCODEUNITS, 0UL, position));
    const long line = editor->SendScintilla(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    const long lineStart = editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    return int(editor->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                                     long(Sci::SC_LINECHARACTERINDEX_UTF16))
               + editor->SendScintilla(Sci::SCI_COUNTCODEUNITS, static_cast<unsigned long>(lineStart), position));
}

long positionOfOffset(const QsciScintillaBase *editor, int offset)
{
    if (offset <= 0)
        return 0;
    if (!lineIndexKept(editor))
        return editor->SendScintilla(Sci::SCI_POSITIONRELATIVECODEUNITS, 0UL, long(offset));
    const long line = editor->SendScintilla(Sci::SCI_LINEFROMINDEXPOSITION, static_cast<unsigned long>(offset),
                                            long(Sci::SC_LINECHARACTERINDEX_UTF16));
    const long lineOffset = editor->SendScintilla(Sci::SCI_INDEXPOSITIONFROMLINE, static_cast<unsigned long>(line),
                                                  long(Sci::SC_LINECHARACTERINDEX_UTF16));
    const long lineStart = editor->SendScintilla(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
    const long position = editor->SendScintilla(Sci::SCI_POSITIONRELATIVECODEUNITS,
                                                static_cast<unsigned long>(lineStart), offset - lineOffset);
    // Past the end the component answers 0.
    return position > 0 || offset == lineOffset ? position : editor->SendScintilla(Sci::SCI_GETLENGTH);
}

EditorAccessibility::EditorAccessibility(QsciScintillaBase *editor)
    : QAccessibleWidget(editor, QAccessible::EditableText)
{
}

QsciScintillaBase *EditorAccessibility::editor() const
{
    return static_cast<QsciScintillaBase *>(widget());
}

long EditorAccessibility::send(unsigned int message, unsigned long wParam, long lParam) const
{
    return editor()->SendScintilla(message, wParam, lParam);
}

long EditorAccessibility::positionOf(int offset) const
{
    return positionOfOffset(editor(), offset);
}

int EditorAccessibility::offsetOf(long position) const
{
    return offsetOfPosition(editor(), position);
}

QString EditorAccessibility::range(long start, long end) const
{
    start = std::max(0L, start);
    end = std::min(end, send(Sci::SCI_GETLENGTH));
    if (end <= start)
        return QString();
    QByteArray bytes(end - start + 1, '\0');
    editor()->SendScintilla(Sci::SCI_GETTEXTRANGE, start, end, bytes.data());
    bytes.chop(1);
    return QString::fromUtf8(bytes);
}

void *EditorAccessibility::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State EditorAccessibility::state() const
{
    QAccessible::State s = QAccessibleWidget::state();
    s.multiLine = true;
    s.selectableText = true;
    s.editable = send(Sci::SCI_GETREADONLY) == 0;
    s.readOnly = !s.editable;
    return s;
}

void EditorAccessibility::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    const long start = send(Sci::SCI_GETSELECTIONSTART);
    const long end = send(Sci::SCI_GETSELECTIONEND);
    if (selectionIndex != 0 || start == end)
        return;
    *startOffset = offsetOf(start);
    *endOffset = offsetOf(end);
}

int EditorAccessibility::selectionCount() const
{
    return send(Sci::SCI_GETSELECTIONSTART) != send(Sci::SCI_GETSELECTIONEND) ? 1 : 0;
}

void EditorAccessibility::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void EditorAccessibility::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        send(Sci::SCI_SETEMPTYSELECTION, static_cast<unsigned long>(send(Sci::SCI_GETCURRENTPOS)));
}

void EditorAccessibility::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        send(Sci::SCI_SETSEL, static_cast<unsigned long>(positionOf(startOffset)), positionOf(endOffset));
}

int EditorAccessibility::cursorPosition() const
{
    return offsetOf(send(Sci::SCI_GETCURRENTPOS));
}

void EditorAccessibility::setCursorPosition(int position)
{
    send(Sci::SCI_GOTOPOS, static_cast<unsigned long>(positionOf(position)));
}

QString EditorAccessibility::text(int startOffset, int endOffset) const
{
    if (endOffset < 0)
        return range(positionOf(startOffset), send(Sci::SCI_GETLENGTH));
    return range(positionOf(startOffset), positionOf(endOffset));
}

bool EditorAccessibility::unitAround(long position, QAccessible::TextBoundaryType type, long *start, long *end) const
{
    const long length = send(Sci::SCI_GETLENGTH);
    switch (type) {
    case QAccessible::CharBoundary:
        if (position >= length)
            return false;
        *start = position;
        *end = send(Sci::SCI_POSITIONAFTER, static_cast<unsigned long>(position));
        return true;
    case QAccessible::WordBoundary:
        *start = send(Sci::SCI_WORDSTARTPOSITION, static_cast<unsigned long>(position), 1);
        *end = send(Sci::SCI_WORDENDPOSITION, static_cast<unsigned long>(position), 1);
        if (*start == *end) {
            // Between words: the word before.
            *end = send(Sci::SCI_WORDSTARTPOSITION, static_cast<unsigned long>(position), 0);
            if (*end == 0)
                return false;
            *start = send(Sci::SCI_WORDSTARTPOSITION, static_cast<unsigned long>(*end), 1);
        }
        return *start < *end;
    case QAccessible::SentenceBoundary:
    case QAccessible::ParagraphBoundary:
    case QAccessible::LineBoundary: {
        // Code has neither sentences nor paragraphs: its unit is the line,
        // with its line end.
        const long line = send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
        *start = send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line));
        *end = line + 1 < send(Sci::SCI_GETLINECOUNT)
            ? send(Sci::SCI_POSITIONFROMLINE, static_cast<unsigned long>(line + 1))
            : length;
        return *start < *end || position == length;
    }
    case QAccessible::NoBoundary:
        *start = 0;
        *end = length;
        return true;
    }
    return false;
}

QString EditorAccessibility::unitText(long start, long end, int *startOffset, int *endOffset) const
{
    *startOffset = offsetOf(start);
    *endOffset = *startOffset + int(send(Sci::SCI_COUNTCODEUNITS, static_cast<unsigned long>(start), end));
    return range(start, end);
}

QString EditorAccessibility::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                          int *endOffset) const
{
    *startOffset = *endOffset = -1;
    long start = 0, end = 0;
    if (!unitAround(offset < 0 ? send(Sci::SCI_GETLENGTH) : positionOf(offset), boundaryType, &start, &end))
        return QString();
    return unitText(start, end, startOffset, endOffset);
}

QString EditorAccessibility::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                              int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = -1;
    long start = 0, end = 0;
    const long position = offset < 0 ? send(Sci::SCI_GETLENGTH) : positionOf(offset);
    if (!unitAround(position, boundaryType, &start, &end))
        start = position; // at the end: the unit before it
    if (start == 0)
        return QString();
    if (!unitAround(send(Sci::SCI_POSITIONBEFORE, static_cast<unsigned long>(start)), boundaryType, &start, &end))
        return QString();
    return unitText(start, end, startOffset, endOffset);
}

QString EditorAccessibility::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                             int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = -1;
    long start = 0, end = 0;
    if (!unitAround(offset < 0 ? send(Sci::SCI_GETLENGTH) : positionOf(offset), boundaryType, &start, &end)
        || end >= send(Sci::SCI_GETLENGTH) || !unitAround(end, boundaryType, &start, &end))
        return QString();
    return unitText(start, end, startOffset, endOffset);
}

int EditorAccessibility::characterCount() const
{
    return offsetOf(send(Sci::SCI_GETLENGTH));
}

QRect EditorAccessibility::characterRect(int offset) const
{
    const long position = positionOf(offset);
    const int x = int(send(Sci::SCI_POINTXFROMPOSITION, 0, position));
    const int y = int(send(Sci::SCI_POINTYFROMPOSITION, 0, position));
    const long line = send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position));
    const int height = int(send(Sci::SCI_TEXTHEIGHT, static_cast<unsigned long>(line)));
    const long next = send(Sci::SCI_POSITIONAFTER, static_cast<unsigned long>(position));
    const int nextX = int(send(Sci::SCI_POINTXFROMPOSITION, 0, next));
    const int width = send(Sci::SCI_POINTYFROMPOSITION, 0, next) == y && nextX > x ? nextX - x : height / 2;
    return QRect(editor()->viewport()->mapToGlobal(QPoint(x, y)), QSize(width, height));
}

int EditorAccessibility::offsetAtPoint(const QPoint &point) const
{
    const QPoint p = editor()->viewport()->mapFromGlobal(point);
    const long position = send(Sci::SCI_POSITIONFROMPOINTCLOSE, static_cast<unsigned long>(p.x()), p.y());
    return position < 0 ? -1 : offsetOf(position);
}

void EditorAccessibility::scrollToSubstring(int startIndex, int endIndex)
{
    send(Sci::SCI_SCROLLRANGE, static_cast<unsigned long>(positionOf(endIndex)), positionOf(startIndex));
}

QString EditorAccessibility::attributes(int offset, int *startOffset, int *endOffset) const
{
    // No attributes of its own: the colours are the view's, not the text's.
    *startOffset = 0;
    *endOffset = offset < 0 ? 0 : characterCount();
    return QString();
}

void EditorAccessibility::deleteText(int startOffset, int endOffset)
{
    const long start = positionOf(startOffset);
    send(Sci::SCI_DELETERANGE, static_cast<unsigned long>(start), positionOf(endOffset) - start);
}

void EditorAccessibility::insertText(int offset, const QString &text)
{
    editor()->SendScintilla(Sci::SCI_INSERTTEXT, static_cast<uintptr_t>(positionOf(offset)),
                            text.toUtf8().constData());
}

void EditorAccessibility::replaceText(int startOffset, int endOffset, const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(positionOf(startOffset)), positionOf(endOffset));
    editor()->SendScintilla(Sci::SCI_REPLACETARGET, static_cast<unsigned long>(utf8.size()),
                            static_cast<void *>(const_cast<char *>(utf8.constData())));
}

} // namespace codeview
