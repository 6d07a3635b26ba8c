#include "codeview/CodeEditor.h"

#include "codeview/ScintillaMessages.h"

#include <Qsci/qsciscintillabase.h>

#include <QAccessibleWidget>
#include <QAction>
#include <QCoreApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QMenu>
#include <QMimeData>
#include <QPointer>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace codeview {

using namespace sci;

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

private:
    CodeEditor *m_owner;
};

namespace {

// Naming or focusing a widget makes Qt build its accessibility interface
// even when no screen reader listens. The Qt wrapper's interface then counts
// the characters from the start of the document to the caret after every
// keystroke and caret move (seconds of typing lag in a document of
// megabytes). While no screen reader listens the editor gets this plain
// stand-in instead; when one starts listening the stand-in is dropped and the
// wrapper's own interface is made.
class QuietEditorInterface : public QAccessibleWidget
{
public:
    explicit QuietEditorInterface(QWidget *editor) : QAccessibleWidget(editor, QAccessible::EditableText) {}
};

// Whether a screen reader listens, as last told to the editors.
bool screenReaderListens = false;

QAccessibleInterface *quietEditorFactory(const QString &className, QObject *object)
{
    if (className == QLatin1String(ScintillaWidget::staticMetaObject.className()) && !screenReaderListens)
        return new QuietEditorInterface(static_cast<QWidget *>(object));
    return nullptr;
}

// Drops the editor's interface if it is not the one wanted now; the next
// question about the editor makes the right one.
void dropStaleInterface(QWidget *editor)
{
    QAccessibleInterface *made = QAccessible::queryAccessibleInterface(editor);
    if (made && (dynamic_cast<QuietEditorInterface *>(made) != nullptr) == screenReaderListens)
        QAccessible::deleteAccessibleInterface(QAccessible::uniqueId(made));
}

// The editor wraps and colours what it has not yet wrapped of a large
// document in the background, a slice at a time whenever the program is idle
// (some ten seconds of work for 10 MB, and again for all that follows an
// edit that changes how the rest is coloured). While no code view is shown
// nothing needs that work, and on a machine of two cores it takes the
// processor from the design view's engine: writing a 10 MB page after such an
// edit took twice as long. The work waits until a code view is shown again.
// The Qt wrapper drives it with a zero-interval timer of its own, which it
// keeps out of reach: its ticks are recognised as they come.
class BackgroundWork : public QObject
{
public:
    static BackgroundWork &instance()
    {
        static BackgroundWork work;
        return work;
    }
    void add(CodeEditor *editor);
    void remove(CodeEditor *editor);
    void resume();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QList<CodeEditor *> m_editors;
    QList<QPointer<QTimer>> m_paused;
};

void BackgroundWork::add(CodeEditor *editor)
{
    if (m_editors.isEmpty())
        QCoreApplication::instance()->installEventFilter(this);
    m_editors.append(editor);
}

void BackgroundWork::remove(CodeEditor *editor)
{
    m_editors.removeAll(editor);
    if (m_editors.isEmpty() && QCoreApplication::instance())
        QCoreApplication::instance()->removeEventFilter(this);
    resume();
}

void BackgroundWork::resume()
{
    for (const QPointer<QTimer> &timer : std::exchange(m_paused, {}))
        if (timer)
            timer->start(0);
}

bool BackgroundWork::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::Timer)
        return false;
    auto *timer = qobject_cast<QTimer *>(watched);
    if (!timer || timer->interval() != 0 || !timer->parent() ||
        qstrcmp(timer->parent()->metaObject()->className(), "QsciScintillaQt") != 0)
        return false;
    for (CodeEditor *editor : std::as_const(m_editors))
        if (editor->isVisible())
            return false;
    timer->stop();
    m_paused.append(timer);
    return true;
}

} // namespace

CodeEditor::CodeEditor(QWidget *parent) : QWidget(parent)
{
    static const bool factoryInstalled = (QAccessible::installFactory(&quietEditorFactory), true);
    Q_UNUSED(factoryInstalled);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_editor = new ScintillaWidget(this);
    layout->addWidget(m_editor);
    setFocusProxy(m_editor);
    BackgroundWork::instance().add(this);
    applyCreationSettings();
    connect(m_editor, &QsciScintillaBase::SCN_CHARADDED, this, &CodeEditor::onCharAdded);
    connect(m_editor, &QsciScintillaBase::SCN_MARGINCLICK, this,
            [this](int position, int /*modifiers*/, int /*margin*/) { foldToggleAt(position); });
    // The Qt wrapper answers every insertion and deletion the editor reports
    // by counting the characters from the start of the document to the
    // change, for screen readers: in a document of megabytes that count is
    // most of a keystroke's time. Nothing else here listens to those reports,
    // so the editor makes them only while a screen reader is listening.
    reportChanges(QAccessible::isActive());
    QAccessible::installActivationObserver(&m_changeReporting);
}

CodeEditor::~CodeEditor()
{
    BackgroundWork::instance().remove(this);
    QAccessible::removeActivationObserver(&m_changeReporting);
}

void CodeEditor::reportChanges(bool toScreenReaders)
{
    send(SCI_SETMODEVENTMASK, toScreenReaders ? SC_MODEVENTMASKALL : 0);
    screenReaderListens = toScreenReaders;
    dropStaleInterface(m_editor);
}

void CodeEditor::applyCreationSettings()
{
    send(SCI_SETMARGINWIDTHN, 1, 0);              // symbol margin hidden
    send(SCI_SETREADONLY, 0);
    send(SCI_SETHSCROLLBAR, 1);                   // both scroll bars
    send(SCI_SETVSCROLLBAR, 1);
    send(SCI_SETVIEWWS, 0);                       // white space invisible
    send(SCI_SETWHITESPACEFORE, 1, 0x000000);
    send(SCI_SETWHITESPACEBACK, 1, 0xFFFFFF);
    send(SCI_SETCURSOR, static_cast<unsigned long>(-1)); // normal cursor
    send(SCI_SETEOLMODE, 0);                      // CR LF
    send(SCI_SETVIEWEOL, 0);
    send(SCI_SETSELFORE, 1, 0xFFFFFF);            // white on navy
    send(SCI_SETSELBACK, 1, 0x800000);
    send(SCI_SETCARETFORE, 0x000000);
    send(SCI_SETCARETLINEVISIBLE, 1);
    send(SCI_SETCARETLINEBACK, 0xFFFFFF);
    send(SCI_SETINDENTATIONGUIDES, 0);
    send(SCI_SETWRAPMODE, 1);                     // wrap at word boundaries
    send(SCI_SETCARETPERIOD, 500);
    send(SCI_SETCARETWIDTH, 2);
    send(SCI_SETCODEPAGE, 65001);                 // UTF-8
    // Keeps the measured layout of every line on screen, not only the
    // caret's: a keystroke then measures just the line it changed instead
    // of the whole page of lines (tens of milliseconds per key otherwise).
    send(SCI_SETLAYOUTCACHE, SC_CACHE_PAGE);
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
    return send(SCI_GETLENGTH);
}

QString CodeEditor::text() const
{
    const long len = length();
    if (len <= 0)
        return QString();
    QByteArray buffer(len + 1, '\0');
    record(SCI_GETTEXT, static_cast<unsigned long>(len + 1), 0, nullptr);
    m_editor->SendScintilla(SCI_GETTEXT, static_cast<unsigned long>(len + 1), static_cast<void *>(buffer.data()));
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
    sendText(SCI_INSERTTEXT, static_cast<unsigned long>(bytePosition), utf8.constData());
}

void CodeEditor::replaceAllText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    send(SCI_BEGINUNDOACTION);
    send(SCI_CLEARALL);
    sendText(SCI_INSERTTEXT, 0, utf8.constData());
    send(SCI_ENDUNDOACTION);
}

void CodeEditor::loadText(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    send(SCI_CLEARALL);
    sendText(SCI_INSERTTEXT, 0, utf8.constData());
    // A new document: undo must not bring back the one that was there before.
    resetHistory();
    send(SCI_GOTOPOS, 0);
}

void CodeEditor::paste()
{
    send(SCI_PASTE);
}

void CodeEditor::undo()
{
    send(SCI_UNDO);
}

void CodeEditor::redo()
{
    send(SCI_REDO);
}

bool CodeEditor::canUndo() const
{
    return send(SCI_CANUNDO) != 0;
}

void CodeEditor::resetHistory()
{
    send(SCI_EMPTYUNDOBUFFER);
}

bool CodeEditor::isModified() const
{
    return send(SCI_GETMODIFY) != 0;
}

void CodeEditor::markUnmodified()
{
    send(SCI_SETSAVEPOINT);
}

int CodeEditor::lineFromPosition(long position) const
{
    if (position < 0)
        return 0;
    return int(send(SCI_LINEFROMPOSITION, static_cast<unsigned long>(position)));
}

int CodeEditor::foldLevel(int line) const
{
    return int(send(SCI_GETFOLDLEVEL, static_cast<unsigned long>(line)));
}

void CodeEditor::toggleFold(int line)
{
    send(SCI_TOGGLEFOLD, static_cast<unsigned long>(line));
}

long CodeEditor::currentPosition() const
{
    return send(SCI_GETCURRENTPOS);
}

void CodeEditor::setCurrentPosition(long position)
{
    send(SCI_GOTOPOS, static_cast<unsigned long>(std::max(0L, position)));
}

const char *CodeEditor::rangePointer(long position, long length) const
{
    const long pointer = send(SCI_GETRANGEPOINTER, static_cast<unsigned long>(position), length);
    return reinterpret_cast<const char *>(static_cast<intptr_t>(pointer));
}

void CodeEditor::setAutoCompletionSeparator(char separator)
{
    send(SCI_AUTOCSETSEPARATOR, static_cast<unsigned char>(separator));
}

bool CodeEditor::showAutoCompletion(long lengthEntered, const std::string &items)
{
    const long wordStart = currentPosition() - lengthEntered;
    const QPoint at(int(send(SCI_POINTXFROMPOSITION, 0, wordStart)),
                    int(send(SCI_POINTYFROMPOSITION, 0, wordStart)));
    if (!QGuiApplication::screenAt(viewport()->mapToGlobal(at)))
        return false;
    m_completionWordStart = wordStart;
    sendText(SCI_AUTOCSHOW, static_cast<unsigned long>(lengthEntered), items.c_str());
    return true;
}

bool CodeEditor::autoCompletionActive() const
{
    return send(SCI_AUTOCACTIVE) != 0;
}

void CodeEditor::foldToggleAt(long position)
{
    const int line = lineFromPosition(position);
    const int level = foldLevel(line);
    if (level & SC_FOLDLEVELHEADERFLAG)
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
    const bool writable = send(SCI_GETREADONLY) == 0;
    const bool hasSelection = send(SCI_GETSELECTIONEMPTY) == 0;
    const QClipboard *clipboard = QGuiApplication::clipboard();
    const QMimeData *mime = clipboard ? clipboard->mimeData() : nullptr;
    const bool clipboardHasText = mime && mime->hasText() && !mime->text().isEmpty();

    auto add = [this, menu](const QString &caption, unsigned int command, bool enabled) {
        QAction *action = menu->addAction(caption);
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, [this, command] { send(command); });
    };
    add(QStringLiteral("撤消"), SCI_UNDO, writable && send(SCI_CANUNDO) != 0);
    add(QStringLiteral("重复"), SCI_REDO, writable && send(SCI_CANREDO) != 0);
    menu->addSeparator();
    add(QStringLiteral("剪切"), SCI_CUT, writable && hasSelection);
    add(QStringLiteral("复制"), SCI_COPY, hasSelection);
    add(QStringLiteral("粘贴"), SCI_PASTE, writable && clipboardHasText);
    add(QStringLiteral("删除"), SCI_CLEAR, writable && hasSelection);
    menu->addSeparator();
    add(QStringLiteral("选择全部"), SCI_SELECTALL, true);
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
        BackgroundWork::instance().resume();
        return QWidget::event(event);
    default:
        return QWidget::event(event);
    }
}

QWidget *CodeEditor::viewport() const
{
    return m_editor->viewport();
}

} // namespace codeview

#include "CodeEditor.moc"
