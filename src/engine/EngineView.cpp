#include "engine/EngineView.h"
#include "engine/EditorScript.h"

#include <QApplication>
#include <QChildEvent>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QKeyEvent>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QWebEngineView>
#include <algorithm>
#include <memory>

namespace engine {

// The page refuses every navigation it did not start itself: a link, a form,
// a meta refresh or a script in the edited page must never take the design
// view away from the document being edited.
class EditorPage : public QWebEnginePage {
public:
    explicit EditorPage(QObject *parent) : QWebEnginePage(parent) {}
    bool allowNavigation = false;

protected:
    bool acceptNavigationRequest(const QUrl &, NavigationType, bool isMainFrame) override
    {
        return allowNavigation || !isMainFrame;
    }
    QWebEnginePage *createWindow(WebWindowType) override { return nullptr; }
    void javaScriptConsoleMessage(JavaScriptConsoleMessageLevel, const QString &, int,
                                  const QString &) override
    {
    }
};

namespace {

// The largest piece of text passed to or from the engine in one script.
constexpr qsizetype kChunk = 1 << 24;

const QString &runtime()
{
    return editorRuntimeScript();
}

QString colourLiteral(const QVariant &value)
{
    const quint32 bgr = value.toUInt();
    const int r = bgr & 0xFF, g = (bgr >> 8) & 0xFF, b = (bgr >> 16) & 0xFF;
    return QStringLiteral("'#%1%2%3'")
        .arg(r, 2, 16, QLatin1Char('0'))
        .arg(g, 2, 16, QLatin1Char('0'))
        .arg(b, 2, 16, QLatin1Char('0'));
}

// -1 for the undo key, 1 for a redo key, 0 for any other key.
int historyKey(const QKeyEvent *key)
{
    if (key->matches(QKeySequence::Undo))
        return -1;
    if (key->matches(QKeySequence::Redo) ||
        (key->modifiers() == Qt::ControlModifier && key->key() == Qt::Key_Y))
        return 1;
    return 0;
}

} // namespace

EngineView::EngineView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QWebEngineView(this);
    m_page = new EditorPage(m_view);
    m_view->setPage(m_page);
    layout->addWidget(m_view);
    setFocusProxy(m_view);

    QWebEngineSettings *s = m_page->settings();
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanOpenWindows, false);
    s->setAttribute(QWebEngineSettings::JavascriptCanAccessClipboard, true);
    s->setAttribute(QWebEngineSettings::JavascriptCanPaste, true);
    s->setAttribute(QWebEngineSettings::PluginsEnabled, false);
    s->setAttribute(QWebEngineSettings::ErrorPageEnabled, false);
    s->setAttribute(QWebEngineSettings::LocalContentCanAccessFileUrls, true);
    s->setAttribute(QWebEngineSettings::FocusOnNavigationEnabled, false);

    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { emit contextMenuRequested(m_view->mapToGlobal(pos)); });
    connect(m_page, &QWebEnginePage::loadFinished, this,
            [this](bool ok) { emit navigationComplete(ok); });

    m_view->installEventFilter(this);
    watchInputWidget();
}

EngineView::~EngineView() = default;

QWidget *EngineView::inputWidget() const
{
    return m_view->focusProxy() ? m_view->focusProxy() : m_view;
}

void EngineView::setKeyInterceptor(std::function<bool(QKeyEvent *)> interceptor)
{
    m_keyInterceptor = std::move(interceptor);
}

void EngineView::watchInputWidget()
{
    QWidget *input = m_view->focusProxy();
    if (input && input != m_watchedInput) {
        input->installEventFilter(this);
        m_watchedInput = input;
    }
}

bool EngineView::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_view && (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished)) {
        QTimer::singleShot(0, this, [this] { watchInputWidget(); });
    } else if (watched == m_watchedInput && event->type() == QEvent::ShortcutOverride) {
        // The engine runs its own undo for these keys at this stage, before
        // the key press; keep them from it so that only the editor's history
        // answers them (below).
        if (historyKey(static_cast<QKeyEvent *>(event)) != 0) {
            event->accept();
            return true;
        }
    } else if (watched == m_watchedInput && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        if (m_keyInterceptor && m_keyInterceptor(key))
            return true;
        // The page's undo and redo keys walk the editor's own history; the
        // engine's history knows nothing of insertions and could not redo.
        if (const int step = historyKey(key)) {
            if (step < 0)
                Undo();
            else
                Redo();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

QString EngineView::scriptLiteral(const QString &text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8 + 2);
    out += QLatin1Char('"');
    const QChar *d = text.constData();
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t c = d[i].unicode();
        switch (c) {
        case u'"': out += QLatin1String("\\\""); break;
        case u'\\': out += QLatin1String("\\\\"); break;
        case u'\n': out += QLatin1String("\\n"); break;
        case u'\r': out += QLatin1String("\\r"); break;
        case u'\t': out += QLatin1String("\\t"); break;
        default:
            if (c < 0x20 || c == 0x2028 || c == 0x2029 || c == 0x7F) {
                out += QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0'));
            } else if (QChar::isHighSurrogate(c) && i + 1 < n && QChar::isLowSurrogate(d[i + 1].unicode())) {
                out += d[i];
                out += d[++i];
            } else if (QChar::isSurrogate(c)) {
                // A lone surrogate cannot cross to the engine as UTF-8; keep it as an escape.
                out += QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0'));
            } else {
                out += d[i];
            }
        }
    }
    out += QLatin1Char('"');
    return out;
}

QVariant EngineView::evaluate(const QString &script, int timeoutMs)
{
    struct Pending {
        QVariant result;
        bool done = false;
        QEventLoop loop;
    };
    auto pending = std::make_shared<Pending>();
    std::weak_ptr<Pending> weak = pending;
    m_page->runJavaScript(runtime() + script, QWebEngineScript::ApplicationWorld,
                          [weak](const QVariant &v) {
                              if (auto p = weak.lock()) {
                                  p->result = v;
                                  p->done = true;
                                  p->loop.quit();
                              }
                          });
    if (!pending->done) {
        QTimer::singleShot(timeoutMs, &pending->loop, &QEventLoop::quit);
        pending->loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return pending->result;
}

bool EngineView::loadAndWait(const std::function<void()> &startLoad)
{
    struct Pending {
        bool ok = false;
        bool done = false;
        QEventLoop loop;
    };
    auto pending = std::make_shared<Pending>();
    std::weak_ptr<Pending> weak = pending;
    const auto connection = connect(m_page, &QWebEnginePage::loadFinished, this, [weak](bool ok) {
        if (auto p = weak.lock()) {
            p->ok = ok;
            p->done = true;
            p->loop.quit();
        }
    });
    m_page->allowNavigation = true;
    startLoad();
    if (!pending->done) {
        QTimer::singleShot(30000, &pending->loop, &QEventLoop::quit);
        pending->loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    m_page->allowNavigation = false;
    disconnect(connection);
    return pending->done && pending->ok;
}

bool EngineView::Navigate(const QString &url)
{
    const QUrl target(url);
    const bool ok = loadAndWait([&] { m_page->load(target); });
    m_documentBase = target;
    evaluate(QStringLiteral("__zelvo.attach(); %1 true;")
                 .arg(m_editMode ? QStringLiteral("document.designMode = 'on';") : QString()));
    return ok;
}

bool EngineView::SetEditMode(bool on)
{
    m_editMode = on;
    return evaluate(QStringLiteral("document.designMode = '%1'; document.designMode === '%1';")
                        .arg(on ? QStringLiteral("on") : QStringLiteral("off")))
        .toBool();
}

bool EngineView::WriteDocument(const QString &text, const QString &baseFolder)
{
    // The empty document written into decides where relative addresses point:
    // a page opened from a folder shows its own pictures.
    const QUrl base = baseFolder.isEmpty()
        ? QUrl(QStringLiteral("about:blank"))
        : QUrl::fromLocalFile(QDir(baseFolder).absolutePath() + QLatin1Char('/'));
    if (base != m_documentBase) {
        if (base.scheme() == QLatin1String("about"))
            loadAndWait([&] { m_page->load(base); });
        else
            loadAndWait([&] { m_page->setHtml(QString(), base); });
        m_documentBase = base;
    }
    const QString edit = m_editMode ? QStringLiteral("true") : QStringLiteral("false");
    if (text.size() <= kChunk)
        return evaluate(QStringLiteral("__zelvo.write(%1, %2);").arg(scriptLiteral(text), edit)).toBool();
    // Large pages cross to the engine in pieces; one script of many megabytes
    // does not get through.
    evaluate(QStringLiteral("__zelvo.parts = []; true;"));
    for (qsizetype from = 0; from < text.size();) {
        qsizetype count = std::min<qsizetype>(kChunk, text.size() - from);
        if (from + count < text.size() && text.at(from + count - 1).isHighSurrogate())
            --count; // never split a surrogate pair
        evaluate(QStringLiteral("__zelvo.parts.push(%1); true;").arg(scriptLiteral(text.mid(from, count))));
        from += count;
    }
    // Laying out a page of many megabytes takes the engine a while.
    const int timeoutMs = 60000 + int(text.size() / (1 << 20)) * 30000;
    return evaluate(QStringLiteral("var t = __zelvo.parts.join(''); __zelvo.parts = null; __zelvo.write(t, %1);").arg(edit),
                    timeoutMs)
        .toBool();
}

QString EngineView::ReadDocument()
{
    // The engine's own serialisation of the document node: doctype, comments
    // around the root and the root element, in one piece.
    struct Pending {
        QString html;
        bool done = false;
        QEventLoop loop;
    };
    auto pending = std::make_shared<Pending>();
    std::weak_ptr<Pending> weak = pending;
    m_page->toHtml([weak](const QString &html) {
        if (auto p = weak.lock()) {
            p->html = html;
            p->done = true;
            p->loop.quit();
        }
    });
    if (!pending->done) {
        QTimer::singleShot(120000, &pending->loop, &QEventLoop::quit);
        pending->loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return withLeadingNodesOnOwnLines(pending->html);
}

QString EngineView::withLeadingNodesOnOwnLines(const QString &html)
{
    // The doctype and comments before the root each end their own line, as a
    // page written by hand has them. Nothing after the root gets a break: a
    // line break there would move what follows into the body when the page
    // is read in again.
    QString text = html;
    qsizetype pos = 0;
    while (pos < text.size()) {
        const QStringView rest = QStringView(text).mid(pos);
        qsizetype end = -1;
        if (rest.startsWith(u"<!--")) {
            end = text.indexOf(QLatin1String("-->"), pos + 4);
            if (end >= 0)
                end += 3;
        } else if (rest.startsWith(u"<!") || rest.startsWith(u"<?")) {
            end = text.indexOf(QLatin1Char('>'), pos);
            if (end >= 0)
                end += 1;
        }
        if (end < 0 || end >= text.size())
            break;
        if (text.at(end) != QLatin1Char('\n'))
            text.insert(end, QLatin1Char('\n'));
        pos = end + 1;
    }
    return text;
}

bool EngineView::ExecCommand(const QString &name, const QVariant &value)
{
    const QString lower = name.toLower();
    QString arg = QStringLiteral("null");
    if (lower == QLatin1String("forecolor") || lower == QLatin1String("backcolor"))
        arg = colourLiteral(value);
    else if (lower == QLatin1String("fontsize"))
        arg = QStringLiteral("'%1'").arg(value.toInt());
    else if (value.isValid())
        arg = scriptLiteral(value.toString());
    if (lower == QLatin1String("saveas"))
        return false; // saving is the program's own business, not the view's
    return evaluate(QStringLiteral("__zelvo.exec(%1, %2);").arg(scriptLiteral(name), arg)).toBool();
}

bool EngineView::RangeCommand(const QString &name)
{
    const QString lower = name.toLower();
    if (lower == QLatin1String("selectall"))
        return evaluate(QStringLiteral("__zelvo.rangeCommand('selectAll');")).toBool();

    QString command;
    QWebEnginePage::WebAction action;
    if (lower == QLatin1String("copy")) {
        command = QStringLiteral("copy");
        action = QWebEnginePage::Copy;
    } else if (lower == QLatin1String("cut")) {
        command = QStringLiteral("cut");
        action = QWebEnginePage::Cut;
    } else if (lower == QLatin1String("paste")) {
        command = QStringLiteral("paste");
        action = QWebEnginePage::Paste;
    } else {
        return false;
    }
    if (evaluate(QStringLiteral("__zelvo.rangeCommand('%1');").arg(command)).toBool())
        return true;

    // The engine refused the scripted command; run its own action and wait
    // until its effect can be seen (the clipboard changed, or the page took input).
    const int inputsBefore = evaluate(QStringLiteral("__zelvo.inputs;")).toInt();
    bool clipboardChanged = false;
    const auto conn = connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
                              [&clipboardChanged] { clipboardChanged = true; });
    m_page->triggerAction(action);
    QElapsedTimer timer;
    timer.start();
    bool seen = false;
    while (!seen && timer.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        if (action == QWebEnginePage::Paste)
            seen = evaluate(QStringLiteral("__zelvo.inputs;")).toInt() != inputsBefore;
        else
            seen = clipboardChanged;
    }
    disconnect(conn);
    evaluate(QStringLiteral("__zelvo.end(); true;"));
    return seen;
}

bool EngineView::PasteHtml(const QString &fragment)
{
    return evaluate(QStringLiteral("__zelvo.paste(%1);").arg(scriptLiteral(fragment))).toBool();
}

bool EngineView::Undo()
{
    return evaluate(QStringLiteral("__zelvo.doUndo();")).toBool();
}

bool EngineView::Redo()
{
    return evaluate(QStringLiteral("__zelvo.doRedo();")).toBool();
}

bool EngineView::canUndo()
{
    return evaluate(QStringLiteral("__zelvo.flush(); __zelvo.undo.length > 0;")).toBool();
}

bool EngineView::canRedo()
{
    return evaluate(QStringLiteral("__zelvo.redo.length > 0;")).toBool();
}

} // namespace engine
