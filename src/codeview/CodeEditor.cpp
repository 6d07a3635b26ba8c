#include "codeview/CodeEditor.h"
#include "codeview/EditorAccessibility.h"
#include "text/ZoomKeys.h"

#include <Qsci/qsciscintillabase.h>

#include <QAction>
#include <QCoreApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QScreen>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace codeview {

// The component's own message numbers and constants.
using Sci = QsciScintillaBase;

namespace {
// The indicator that marks the find matches.
constexpr int kFindIndicator = 8;

int searchFlags(const text::FindOptions &o)
{
    return (o.caseSensitive ? Sci::SCFIND_MATCHCASE : 0) | (o.wholeWord ? Sci::SCFIND_WHOLEWORD : 0) |
        (o.regularExpression ? Sci::SCFIND_REGEXP | Sci::SCFIND_CXX11REGEX : 0);
}
} // namespace

// The editor component itself; only its right-click is taken over.
class ScintillaWidget : public QsciScintillaBase
{
    Q_OBJECT // its own class name, asked for before the wrapper's

public:
    ScintillaWidget(CodeEditor *owner) : QsciScintillaBase(owner), m_owner(owner) {}

protected:
    void contextMenuEvent(QContextMenuEvent *event) override
    {
        m_owner->showContextMenu(event->globalPos());
        event->accept();
    }
    // The view's own zoom keys come first.
    void keyPressEvent(QKeyEvent *event) override
    {
        if (m_owner->zoomKey(event))
            event->accept();
        else
            QsciScintillaBase::keyPressEvent(event);
    }

private:
    CodeEditor *m_owner;
};

namespace {

// The editor's interface for screen readers is the code view's own: the
// component wrapper's counts the characters from the start of the document
// at every keystroke and caret move (tens of milliseconds per key in a
// document of megabytes), whether a screen reader listens or not.
QAccessibleInterface *editorAccessibilityFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(ScintillaWidget::staticMetaObject.className()))
        return new EditorAccessibility(static_cast<QsciScintillaBase *>(object));
    return nullptr;
}

} // namespace

CodeEditor::CodeEditor(QWidget *parent) : QWidget(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(&editorAccessibilityFactory), true);
    Q_UNUSED(factoryInstalled);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_editor = new ScintillaWidget(this);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
    applyCreationSettings();
    applyFindMarkStyle();
    connect(m_editor, &QsciScintillaBase::SCN_CHARADDED, this, &CodeEditor::onCharAdded);
    connect(m_editor, &QsciScintillaBase::SCN_MARGINCLICK, this,
            [this](int position, int /*modifiers*/, int /*margin*/) { foldToggleAt(position); });
    connect(m_editor, &QsciScintillaBase::SCN_MODIFIED, this,
            [this](int position, int type, const char *, int length) { tellChange(position, type, length); });
    connect(m_editor, &QsciScintillaBase::SCN_UPDATEUI, this, [this](int) { tellCaret(); });
    // Changes are told to screen readers only while one listens.
    reportChanges(QAccessible::isActive());
    QAccessible::installActivationObserver(&m_changeReporting);
}

CodeEditor::~CodeEditor()
{
    QAccessible::removeActivationObserver(&m_changeReporting);
}

void CodeEditor::reportChanges(bool toScreenReaders)
{
    // The editor reports a change before it is made, while the text it
    // replaces and the offset it is made at can still be read. The reports
    // after the change stay off: the component wrapper answers each of them
    // by counting the characters from the start of the document.
    m_reporting = toScreenReaders;
    send(Sci::SCI_SETMODEVENTMASK, toScreenReaders ? Sci::SC_MOD_BEFOREINSERT | Sci::SC_MOD_BEFOREDELETE : 0);
    keepLineIndex(m_editor, toScreenReaders);
    m_insertion.position = -1;
    m_toldCaret = -1;
}

void CodeEditor::tellInsertion()
{
    if (m_insertion.position < 0)
        return;
    const Pending done = m_insertion;
    m_insertion.position = -1;
    QByteArray bytes(done.length + 1, '\0');
    m_editor->SendScintilla(Sci::SCI_GETTEXTRANGE, done.position, done.position + done.length, bytes.data());
    bytes.chop(1);
    QAccessibleTextInsertEvent event(m_editor, done.offset, QString::fromUtf8(bytes));
    QAccessible::updateAccessibility(&event);
}

void CodeEditor::tellChange(long position, int type, long length)
{
    if (!m_reporting)
        return;
    // The insertion before this change is complete now.
    tellInsertion();
    if (type & Sci::SC_MOD_BEFOREINSERT) {
        // Told once it is made (at the next change, caret update or turn of
        // the event loop), with the text it put in.
        m_insertion = {position, length, offsetOfPosition(m_editor, position)};
        QMetaObject::invokeMethod(this, [this] { tellInsertion(); }, Qt::QueuedConnection);
    } else if (type & Sci::SC_MOD_BEFOREDELETE) {
        QByteArray bytes(length + 1, '\0');
        m_editor->SendScintilla(Sci::SCI_GETTEXTRANGE, position, position + length, bytes.data());
        bytes.chop(1);
        QAccessibleTextRemoveEvent event(m_editor, offsetOfPosition(m_editor, position), QString::fromUtf8(bytes));
        QAccessible::updateAccessibility(&event);
    }
}

void CodeEditor::tellCaret()
{
    if (!m_reporting)
        return;
    tellInsertion();
    const long anchor = send(Sci::SCI_GETANCHOR);
    const long caret = send(Sci::SCI_GETCURRENTPOS);
    if (caret == m_toldCaret && anchor == m_toldAnchor)
        return;
    const bool selected = anchor != caret || m_toldAnchor != m_toldCaret;
    m_toldCaret = caret;
    m_toldAnchor = anchor;
    const int caretOffset = offsetOfPosition(m_editor, caret);
    if (selected) {
        const int anchorOffset = anchor == caret ? caretOffset : offsetOfPosition(m_editor, anchor);
        QAccessibleTextSelectionEvent event(m_editor, std::min(anchorOffset, caretOffset),
                                            std::max(anchorOffset, caretOffset));
        event.setCursorPosition(caretOffset);
        QAccessible::updateAccessibility(&event);
    }
    QAccessibleTextCursorEvent event(m_editor, caretOffset);
    QAccessible::updateAccessibility(&event);
}

void CodeEditor::applyCreationSettings()
{
    send(Sci::SCI_SETMARGINWIDTHN, 1, 0);              // symbol margin hidden
    send(Sci::SCI_SETREADONLY, 0);
    send(Sci::SCI_SETHSCROLLBAR, 1);                   // both scroll bars
    send(Sci::SCI_SETVSCROLLBAR, 1);
    send(Sci::SCI_SETVIEWWS, 0);                       // white space invisible
    send(Sci::SCI_SETWHITESPACEFORE, 1, 0x000000);
    send(Sci::SCI_SETWHITESPACEBACK, 1, 0xFFFFFF);
    send(Sci::SCI_SETCURSOR, static_cast<unsigned long>(-1)); // normal cursor
    send(Sci::SCI_SETEOLMODE, 0);                      // CR LF
    send(Sci::SCI_SETVIEWEOL, 0);
    send(Sci::SCI_SETSELFORE, 1, 0xFFFFFF);            // white on navy
    send(Sci::SCI_SETSELBACK, 1, 0x800000);
    send(Sci::SCI_SETCARETFORE, 0x000000);
    send(Sci::SCI_SETCARETLINEVISIBLE, 1);
    send(Sci::SCI_SETCARETLINEBACK, 0xFFFFFF);
    send(Sci::SCI_SETINDENTATIONGUIDES, 0);
    send(Sci::SCI_SETWRAPMODE, 1);                     // wrap at word boundaries
    send(Sci::SCI_SETCARETPERIOD, 500);
    send(Sci::SCI_SETCARETWIDTH, 2);
    send(Sci::SCI_SETCODEPAGE, 65001);                 // UTF-8
    // Keeps the measured layout of every line on screen, not only the
    // caret's: a keystroke then measures just the line it changed instead
    // of the whole page of lines (tens of milliseconds per key otherwise).
    send(Sci::SCI_SETLAYOUTCACHE, Sci::SC_CACHE_PAGE);
}

void CodeEditor::applyFindMarkStyle()
{
    // Find matches: a yellow box under the text.
    send(Sci::SCI_INDICSETSTYLE, kFindIndicator, Sci::INDIC_ROUNDBOX);
    send(Sci::SCI_INDICSETFORE, kFindIndicator, 0x00C8FF);
    send(Sci::SCI_INDICSETALPHA, kFindIndicator, 100);
    send(Sci::SCI_INDICSETUNDER, kFindIndicator, 1);
}

void CodeEditor::record(unsigned int message, unsigned long wParam, long lParam, const char *text,
                        const char *key) const
{
    if (!m_trace)
        return;
    SentMessage m;
    m.message = message;
    m.wParam = wParam;
    m.lParam = text ? 0 : lParam;
    if (text) {
        m.text = text;
        m.hasText = true;
    }
    if (key)
        m.key = key;
    m_trace->push_back(std::move(m));
}

long CodeEditor::send(unsigned int message, unsigned long wParam, long lParam) const
{
    record(message, wParam, lParam, nullptr);
    return m_editor->SendScintilla(message, wParam, lParam);
}

long CodeEditor::sendText(unsigned int message, unsigned long wParam, const char *text) const
{
    record(message, wParam, 0, text ? text : "");
    return m_editor->SendScintilla(message, static_cast<uintptr_t>(wParam), text ? text : "");
}

long CodeEditor::sendTexts(unsigned int message, const char *key, const char *text) const
{
    record(message, 0, 0, text ? text : "", key ? key : "");
    return m_editor->SendScintilla(message, key ? key : "", text ? text : "");
}

QByteArray CodeEditor::textReply(unsigned int message, unsigned long wParam) const
{
    const long size = m_editor->SendScintilla(message, wParam, static_cast<void *>(nullptr));
    if (size <= 0)
        return QByteArray();
    QByteArray buffer(size + 1, '\0');
    m_editor->SendScintilla(message, wParam, static_cast<void *>(buffer.data()));
    buffer.truncate(qstrnlen(buffer.constData(), size));
    return buffer;
}

long CodeEditor::length() const
{
    return send(Sci::SCI_GETLENGTH);
}

QString CodeEditor::text() const
{
    const long len = length();
    if (len <= 0)
        return QString();
    QByteArray buffer(len + 1, '\0');
    record(Sci::SCI_GETTEXT, static_cast<unsigned long>(len + 1), 0, nullptr);
    m_editor->SendScintilla(Sci::SCI_GETTEXT, static_cast<unsigned long>(len + 1), static_cast<void *>(buffer.data()));
    buffer.truncate(len);
    return QString::fromUtf8(buffer);
}

void CodeEditor::insertTextAt(int position, const QString &text)
{
    long bytePosition = 0;
    if (position > 0) {
        const QString current = this->text();
        bytePosition = position >= current.size() ? long(current.toUtf8().size())
                                                  : long(current.left(position).toUtf8().size());
    }
    const QByteArray utf8 = text.toUtf8();
    sendText(Sci::SCI_INSERTTEXT, static_cast<unsigned long>(bytePosition), utf8.constData());
}

void CodeEditor::replaceAllText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    send(Sci::SCI_BEGINUNDOACTION);
    send(Sci::SCI_CLEARALL);
    sendText(Sci::SCI_INSERTTEXT, 0, utf8.constData());
    send(Sci::SCI_ENDUNDOACTION);
}

void CodeEditor::loadText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    send(Sci::SCI_CLEARALL);
    sendText(Sci::SCI_INSERTTEXT, 0, utf8.constData());
    // A new document: undo must not bring back the one that was there before.
    resetHistory();
    send(Sci::SCI_GOTOPOS, 0);
}

void CodeEditor::paste()
{
    send(Sci::SCI_PASTE);
}

void CodeEditor::undo()
{
    send(Sci::SCI_UNDO);
}

void CodeEditor::redo()
{
    send(Sci::SCI_REDO);
}

bool CodeEditor::canUndo() const
{
    return send(Sci::SCI_CANUNDO) != 0;
}

void CodeEditor::resetHistory()
{
    send(Sci::SCI_EMPTYUNDOBUFFER);
}

bool CodeEditor::isModified() const
{
    return send(Sci::SCI_GETMODIFY) != 0;
}

void CodeEditor::markUnmodified()
{
    send(Sci::SCI_SETSAVEPOINT);
}

int CodeEditor::lineFromPosition(long position) const
{
    if (position < 0)
        return 0;
    return int(send(Sci::SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
}

int CodeEditor::foldLevel(int line) const
{
    return int(send(Sci::SCI_GETFOLDLEVEL, static_cast<unsigned long>(line)));
}

void CodeEditor::toggleFold(int line)
{
    send(Sci::SCI_TOGGLEFOLD, static_cast<unsigned long>(line));
}

long CodeEditor::currentPosition() const
{
    return send(Sci::SCI_GETCURRENTPOS);
}

void CodeEditor::setCurrentPosition(long position)
{
    send(Sci::SCI_GOTOPOS, static_cast<unsigned long>(std::max(0L, position)));
}

const char *CodeEditor::rangePointer(long position, long length) const
{
    const long pointer = send(Sci::SCI_GETRANGEPOINTER, static_cast<unsigned long>(position), length);
    return reinterpret_cast<const char *>(static_cast<intptr_t>(pointer));
}

void CodeEditor::setAutoCompletionSeparator(char separator)
{
    send(Sci::SCI_AUTOCSETSEPARATOR, static_cast<unsigned char>(separator));
}

bool CodeEditor::showAutoCompletion(long lengthEntered, const std::string &items)
{
    const long wordStart = currentPosition() - lengthEntered;
    const QPoint at(int(send(Sci::SCI_POINTXFROMPOSITION, 0, wordStart)),
                    int(send(Sci::SCI_POINTYFROMPOSITION, 0, wordStart)));
    if (!QGuiApplication::screenAt(viewport()->mapToGlobal(at)))
        return false;
    m_completionWordStart = wordStart;
    sendText(Sci::SCI_AUTOCSHOW, static_cast<unsigned long>(lengthEntered), items.c_str());
    return true;
}

bool CodeEditor::autoCompletionActive() const
{
    return send(Sci::SCI_AUTOCACTIVE) != 0;
}

void CodeEditor::foldToggleAt(long position)
{
    const int line = lineFromPosition(position);
    const int level = foldLevel(line);
    if (level & Sci::SC_FOLDLEVELHEADERFLAG)
        toggleFold(line);
}

void CodeEditor::setCharacterAddedHandler(std::function<void(CodeEditor &)> handler)
{
    m_charAddedHandler = std::move(handler);
}

void CodeEditor::onCharAdded(int character)
{
    if (m_charAddedHandler)
        m_charAddedHandler(*this);
    const char32_t code = static_cast<char32_t>(character);
    emit characterAdded(QString::fromUcs4(&code, 1));
}

QMenu *CodeEditor::createContextMenu(QWidget *parent)
{
    auto *menu = new QMenu(parent);
    const bool writable = send(Sci::SCI_GETREADONLY) == 0;
    const bool hasSelection = send(Sci::SCI_GETSELECTIONEMPTY) == 0;
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *mime = clipboard ? clipboard->mimeData() : nullptr;
    const bool clipboardHasText = mime && mime->hasText() && !mime->text().isEmpty();

    auto add = [this, menu](const QString &caption, unsigned int command, bool enabled) {
        QAction *action = menu->addAction(caption);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, command] { send(command); });
    };
    add(QStringLiteral("撤消"), Sci::SCI_UNDO, writable && send(Sci::SCI_CANUNDO) != 0);
    add(QStringLiteral("重复"), Sci::SCI_REDO, writable && send(Sci::SCI_CANREDO) != 0);
    menu->addSeparator();
    add(QStringLiteral("剪切"), Sci::SCI_CUT, writable && hasSelection);
    add(QStringLiteral("复制"), Sci::SCI_COPY, hasSelection);
    add(QStringLiteral("粘贴"), Sci::SCI_PASTE, writable && clipboardHasText);
    add(QStringLiteral("删除"), Sci::SCI_CLEAR, writable && hasSelection);
    menu->addSeparator();
    add(QStringLiteral("选择全部"), Sci::SCI_SELECTALL, true);
    return menu;
}

void CodeEditor::showContextMenu(const QPoint &globalPos)
{
    std::unique_ptr<QMenu> menu(createContextMenu(this));
    menu->exec(globalPos);
}

bool CodeEditor::event(QEvent *event)
{
    switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::InputMethod:
    case QEvent::InputMethodQuery:
        // An event the editor leaves alone comes back up here: pass it on then.
        if (!m_forwarding) {
            m_forwarding = true;
            const bool taken = QCoreApplication::sendEvent(m_editor, event);
            m_forwarding = false;
            // What the key changed is drawn now, before the editor's work in
            // the background (wrapping and colouring the rest of a large
            // document, a slice at a time) takes its next slice.
            if (event->type() == QEvent::KeyPress || event->type() == QEvent::InputMethod)
                QCoreApplication::sendPostedEvents(window(), QEvent::UpdateRequest);
            return taken;
        }
        return QWidget::event(event);
    case QEvent::Show:
        resumeBackgroundWork();
        return QWidget::event(event);
    case QEvent::Hide:
        holdBackgroundWork();
        return QWidget::event(event);
    default:
        return QWidget::event(event);
    }
}


bool CodeEditor::searchAll(const QByteArray &query, const text::FindOptions &options,
                           QList<QPair<long, long>> &matches)
{
    matches.clear();
    const long end = length();
    send(Sci::SCI_SETINDICATORCURRENT, kFindIndicator);
    send(Sci::SCI_INDICATORCLEARRANGE, 0, end);
    if (query.isEmpty())
        return true;
    send(Sci::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(searchFlags(options)));
    long from = 0;
    while (from <= end) {
        send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), end);
        const long found = m_editor->SendScintilla(Sci::SCI_SEARCHINTARGET, static_cast<unsigned long>(query.size()),
                                                   query.constData());
        if (found == -2)
            return false; // the regular expression cannot be read
        if (found < 0)
            break;
        const long foundEnd = send(Sci::SCI_GETTARGETEND);
        matches.append({found, foundEnd});
        // An empty match (a regular expression like x*) moves on by a character.
        from = foundEnd > found ? foundEnd : send(Sci::SCI_POSITIONAFTER, static_cast<unsigned long>(found));
        if (from == found)
            break;
    }
    for (const auto &m : std::as_const(matches))
        if (m.second > m.first)
            send(Sci::SCI_INDICATORFILLRANGE, static_cast<unsigned long>(m.first), m.second - m.first);
    return true;
}

text::FindResult CodeEditor::countMatches(const QString &query, const text::FindOptions &options)
{
    QList<QPair<long, long>> matches;
    text::FindResult result;
    result.invalid = !searchAll(query.toUtf8(), options, matches);
    result.count = int(matches.size());
    return result;
}

text::FindResult CodeEditor::find(const QString &query, const text::FindOptions &options, bool backwards)
{
    QList<QPair<long, long>> matches;
    text::FindResult result;
    result.invalid = !searchAll(query.toUtf8(), options, matches);
    result.count = int(matches.size());
    if (matches.isEmpty())
        return result;
    const long selStart = send(Sci::SCI_GETSELECTIONSTART), selEnd = send(Sci::SCI_GETSELECTIONEND);
    int at = -1;
    if (backwards) {
        for (int i = int(matches.size()) - 1; i >= 0 && at < 0; --i)
            if (matches[i].second <= selStart && matches[i] != qMakePair(selStart, selEnd))
                at = i;
        if (at < 0) {
            at = int(matches.size()) - 1;
            result.wrapped = true;
        }
    } else {
        for (int i = 0; i < matches.size() && at < 0; ++i)
            if (matches[i].first >= selEnd && matches[i] != qMakePair(selStart, selEnd))
                at = i;
        if (at < 0) {
            at = 0;
            result.wrapped = true;
        }
    }
    result.current = at + 1;
    send(Sci::SCI_SETSEL, static_cast<unsigned long>(matches[at].first), matches[at].second);
    send(Sci::SCI_SCROLLRANGE, static_cast<unsigned long>(matches[at].second), matches[at].first);
    return result;
}

text::FindResult CodeEditor::replace(const QString &query, const text::FindOptions &options, const QString &replacement)
{
    QList<QPair<long, long>> matches;
    const QByteArray q = query.toUtf8(), r = replacement.toUtf8();
    if (!searchAll(q, options, matches)) {
        text::FindResult invalid;
        invalid.invalid = true;
        return invalid;
    }
    const QPair<long, long> selected(send(Sci::SCI_GETSELECTIONSTART), send(Sci::SCI_GETSELECTIONEND));
    if (matches.contains(selected)) {
        // Searched again within the selection, so that a regular
        // expression's groups are the selected match's own.
        send(Sci::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(searchFlags(options)));
        send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(selected.first), selected.second);
        m_editor->SendScintilla(Sci::SCI_SEARCHINTARGET, static_cast<unsigned long>(q.size()), q.constData());
        const unsigned int message = options.regularExpression ? Sci::SCI_REPLACETARGETRE : Sci::SCI_REPLACETARGET;
        const long written = m_editor->SendScintilla(message, static_cast<unsigned long>(r.size()), r.constData());
        const long after = selected.first + written;
        send(Sci::SCI_SETSEL, static_cast<unsigned long>(after), after);
    }
    return find(query, options, false);
}

int CodeEditor::replaceAll(const QString &query, const text::FindOptions &options, const QString &replacement)
{
    const QByteArray q = query.toUtf8(), r = replacement.toUtf8();
    if (q.isEmpty())
        return 0;
    const unsigned int message = options.regularExpression ? Sci::SCI_REPLACETARGETRE : Sci::SCI_REPLACETARGET;
    int done = 0;
    send(Sci::SCI_BEGINUNDOACTION);
    send(Sci::SCI_SETSEARCHFLAGS, static_cast<unsigned long>(searchFlags(options)));
    long from = 0;
    for (;;) {
        const long end = length();
        send(Sci::SCI_SETTARGETRANGE, static_cast<unsigned long>(from), end);
        const long found = m_editor->SendScintilla(Sci::SCI_SEARCHINTARGET, static_cast<unsigned long>(q.size()),
                                                   q.constData());
        if (found < 0)
            break;
        const long foundEnd = send(Sci::SCI_GETTARGETEND);
        const long written = m_editor->SendScintilla(message, static_cast<unsigned long>(r.size()), r.constData());
        ++done;
        // On after what was put in: it is never searched again.
        from = found + written;
        if (foundEnd == found) // an empty match: step past a character
            from = send(Sci::SCI_POSITIONAFTER, static_cast<unsigned long>(from));
        if (from >= length() && foundEnd == found)
            break;
    }
    send(Sci::SCI_ENDUNDOACTION);
    QList<QPair<long, long>> rest;
    searchAll(q, options, rest);
    return done;
}

void CodeEditor::clearFind()
{
    send(Sci::SCI_SETINDICATORCURRENT, kFindIndicator);
    send(Sci::SCI_INDICATORCLEARRANGE, 0, length());
}

QString CodeEditor::selectedText() const
{
    const long start = send(Sci::SCI_GETSELECTIONSTART), end = send(Sci::SCI_GETSELECTIONEND);
    if (end <= start)
        return QString();
    return QString::fromUtf8(rangePointer(start, end - start), end - start);
}

void CodeEditor::zoomIn()
{
    send(Sci::SCI_ZOOMIN);
}

void CodeEditor::zoomOut()
{
    send(Sci::SCI_ZOOMOUT);
}

void CodeEditor::resetZoom()
{
    send(Sci::SCI_SETZOOM, 0);
}

int CodeEditor::zoom() const
{
    return int(send(Sci::SCI_GETZOOM));
}

bool CodeEditor::zoomKey(const QKeyEvent *key)
{
    switch (text::zoomKeyOf(key->key(), key->modifiers())) {
    case text::ZoomKey::In:
        zoomIn();
        return true;
    case text::ZoomKey::Out:
        zoomOut();
        return true;
    case text::ZoomKey::Reset:
        resetZoom();
        return true;
    case text::ZoomKey::None:
        break;
    }
    return false;
}

// The editor wraps what it has not yet wrapped of a large document in the
// background, a slice at a time whenever the program is idle. While the code
// view is hidden nothing needs that work, and on a machine of two cores it
// takes the processor from the design view's engine. The component offers no
// pause: a hidden editor does not wrap at all, and wraps again once shown
// (the lines on screen at once, the rest in the background), at the line it
// showed before.
void CodeEditor::holdBackgroundWork()
{
    if (m_heldWrapMode >= 0)
        return;
    const long mode = send(Sci::SCI_GETWRAPMODE);
    if (mode == Sci::SC_WRAP_NONE || length() < kBackgroundWorkFrom)
        return;
    m_heldTopLine = send(Sci::SCI_DOCLINEFROMVISIBLE, static_cast<unsigned long>(send(Sci::SCI_GETFIRSTVISIBLELINE)));
    m_heldWrapMode = mode;
    send(Sci::SCI_SETWRAPMODE, Sci::SC_WRAP_NONE);
}

void CodeEditor::resumeBackgroundWork()
{
    if (m_heldWrapMode < 0)
        return;
    send(Sci::SCI_SETWRAPMODE, static_cast<unsigned long>(std::exchange(m_heldWrapMode, -1)));
    send(Sci::SCI_SETFIRSTVISIBLELINE,
         static_cast<unsigned long>(send(Sci::SCI_VISIBLEFROMDOCLINE, static_cast<unsigned long>(m_heldTopLine))));
}

QWidget *CodeEditor::viewport() const
{
    return m_editor->viewport();
}

} // namespace codeview

#include "CodeEditor.moc"
