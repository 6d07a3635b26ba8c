#include "engine/EngineView.h"

#include "engine/PageFolderScheme.h"
#include "text/Colour.h"
#include "text/ZoomKeys.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QDropEvent>
#include <QMimeData>
#include <QPainter>
#include <QPointer>
#include <QTimer>
#include <QVBoxLayout>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineScript>
#include <QWebEngineSettings>
#include <QQuickWidget>
#include <QQuickWindow>
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

// The find matches on screen, marked over the page: a layer of the view's own
// above the engine's drawing, which the page never sees and the mouse goes
// through.
class FindMarks : public QWidget {
public:
    explicit FindMarks(QWidget *parent) : QWidget(parent)
    {
        setAttribute(Qt::WA_TransparentForMouseEvents);
        setAttribute(Qt::WA_NoSystemBackground);
        setFocusPolicy(Qt::NoFocus);
    }
    void setMarks(QList<QRectF> current, QList<QRectF> others)
    {
        m_current = std::move(current);
        m_others = std::move(others);
        update();
    }

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(255, 200, 0, 90));
        for (const QRectF &r : std::as_const(m_others))
            painter.drawRect(r);
        painter.setBrush(QColor(255, 120, 0, 110));
        painter.setPen(QPen(QColor(230, 90, 0), 1));
        for (const QRectF &r : std::as_const(m_current))
            painter.drawRect(r);
    }

private:
    QList<QRectF> m_current, m_others;
};

namespace {

// The zoom steps of the design view.
constexpr qreal kZoomSteps[] = {0.25, 0.33, 0.5, 0.67, 0.75, 0.8, 0.9, 1.0, 1.1, 1.25,
                                1.5,  1.75, 2.0, 2.5,  3.0,  4.0, 5.0};

QString findOptionsLiteral(const text::FindOptions &o)
{
    return QStringLiteral("{caseSensitive: %1, wholeWord: %2}")
        .arg(o.caseSensitive ? QStringLiteral("true") : QStringLiteral("false"),
             o.wholeWord ? QStringLiteral("true") : QStringLiteral("false"));
}

text::FindResult findResultOf(const QVariant &value)
{
    const QVariantMap map = value.toMap();
    text::FindResult result;
    result.count = map.value(QStringLiteral("count")).toInt();
    result.current = map.value(QStringLiteral("current")).toInt();
    result.wrapped = map.value(QStringLiteral("wrapped")).toBool();
    return result;
}

// The largest piece of text passed to the engine in one script.
constexpr qsizetype kChunk = 1 << 24;
// The pieces of a large page, each parsed as it arrives: small enough that
// neither side holds much more than the page besides.
constexpr qsizetype kParsedPiece = 1 << 20;
// The largest piece of the page's text taken from the engine in one answer.
constexpr qsizetype kReadPiece = 1 << 22;

// From this many characters on, a page is shown with the layout of what lies
// off screen deferred (see the runtime's sheets.js for what that costs the
// page's look).
constexpr qsizetype kLargePage = 256 * 1024;

// The editor's runtime: its parts in the order they build on each other.
const QString &runtimeScript()
{
    static const QString script = [] {
        QString all;
        for (const char *part : {":/engine/history.js", ":/engine/editing.js", ":/engine/linebreak.js",
                                 ":/engine/inspect.js", ":/engine/sheets.js", ":/engine/placeholders.js",
                                 ":/engine/find.js", ":/engine/paste.js"}) {
            QFile file(QString::fromLatin1(part));
            if (file.open(QIODevice::ReadOnly))
                all += QString::fromUtf8(file.readAll()) + QLatin1Char('\n');
        }
        return all + QStringLiteral("true;");
    }();
    return script;
}

// Waits, without taking user input, until the engine answers through the
// callback that start hands out, or until the time is up. Nothing if the
// engine did not answer in time.
template <class T>
std::optional<T> waitForEngine(const std::function<void(std::function<void(const T &)>)> &start,
                               int timeoutMs)
{
    struct Pending {
        std::optional<T> answer;
        QEventLoop loop;
    };
    auto pending = std::make_shared<Pending>();
    std::weak_ptr<Pending> weak = pending;
    start([weak](const T &value) {
        if (auto p = weak.lock()) {
            p->answer = value;
            p->loop.quit();
        }
    });
    if (!pending->answer) {
        QTimer::singleShot(timeoutMs, &pending->loop, &QEventLoop::quit);
        pending->loop.exec(QEventLoop::ExcludeUserInputEvents);
    }
    return pending->answer;
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

// 0 for the paste keys (Ctrl+V, Shift+Insert), 1 for plain-text paste
// (Ctrl+Shift+V), -1 for any other key.
int pasteKey(const QKeyEvent *key)
{
    if (key->modifiers() == (Qt::ControlModifier | Qt::ShiftModifier) && key->key() == Qt::Key_V)
        return 1;
    return key->matches(QKeySequence::Paste) ? 0 : -1;
}

QString boolLiteral(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

} // namespace

namespace {

// The engine's name of a command.
QString commandName(EditCommand command)
{
    switch (command) {
    case EditCommand::Bold: return QStringLiteral("Bold");
    case EditCommand::Italic: return QStringLiteral("Italic");
    case EditCommand::Underline: return QStringLiteral("Underline");
    case EditCommand::StrikeThrough: return QStringLiteral("StrikeThrough");
    case EditCommand::Superscript: return QStringLiteral("Superscript");
    case EditCommand::Subscript: return QStringLiteral("Subscript");
    case EditCommand::JustifyNone: return QStringLiteral("JustifyNone");
    case EditCommand::JustifyLeft: return QStringLiteral("JustifyLeft");
    case EditCommand::JustifyCenter: return QStringLiteral("JustifyCenter");
    case EditCommand::JustifyRight: return QStringLiteral("JustifyRight");
    case EditCommand::InsertUnorderedList: return QStringLiteral("insertunorderedlist");
    case EditCommand::InsertOrderedList: return QStringLiteral("insertorderedlist");
    case EditCommand::Indent: return QStringLiteral("indent");
    case EditCommand::Outdent: return QStringLiteral("outdent");
    case EditCommand::FontName: return QStringLiteral("FontName");
    case EditCommand::FontSize: return QStringLiteral("FontSize");
    case EditCommand::ForeColor: return QStringLiteral("ForeColor");
    case EditCommand::BackColor: return QStringLiteral("BackColor");
    }
    return QString();
}

} // namespace

EngineView::EngineView(QWidget *parent) : QWidget(parent)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    m_view = new QWebEngineView(this);
    m_page = new EditorPage(m_view);
    m_view->setPage(m_page);
    servePageFolders(m_page->profile());
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
    // A page being edited never plays its sounds (a background sound would
    // start with every load); the preview in the browser does.
    s->setAttribute(QWebEngineSettings::PlaybackRequiresUserGesture, true);
    m_page->setAudioMuted(true);

    m_view->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(m_view, &QWidget::customContextMenuRequested, this,
            [this](const QPoint &pos) { emit contextMenuRequested(m_view->mapToGlobal(pos)); });
    connect(m_page, &QWebEnginePage::loadFinished, this, [this](bool ok) {
        ++m_displayStamp;
        nameInputWidget();
        emit navigationComplete(ok);
    });
    connect(m_page, &QWebEnginePage::scrollPositionChanged, this, [this] {
        ++m_displayStamp;
        updateFindMarks();
    });
    connect(m_page, &QWebEnginePage::contentsSizeChanged, this, [this] {
        ++m_displayStamp;
        updateFindMarks();
    });
    m_findMarks = new FindMarks(this);
    m_findMarks->hide();

    m_view->installEventFilter(this);
    watchInputWidget();
}

EngineView::~EngineView()
{
    // The page answers its outstanding scripts as it goes: it goes while this
    // view is still whole, and those answers are dropped.
    m_closing = true;
    delete m_view;
}

QWidget *EngineView::inputWidget() const
{
    return m_view->focusProxy() ? m_view->focusProxy() : m_view;
}

void EngineView::setKeyInterceptor(std::function<bool(QKeyEvent *)> interceptor)
{
    m_keyInterceptor = std::move(interceptor);
}

void EngineView::setPasteHandler(std::function<void(bool)> handler)
{
    m_pasteHandler = std::move(handler);
}

void EngineView::setDropHandler(std::function<bool(const QList<QUrl> &, const QPoint &)> handler)
{
    m_dropHandler = std::move(handler);
    // Qt hands a drop only to a widget that takes drops; the handler sees it first.
    m_view->setAcceptDrops(true);
    if (m_watchedInput)
        static_cast<QWidget *>(m_watchedInput)->setAcceptDrops(true);
}

bool EngineView::caretToPoint(const QPoint &at)
{
    const qreal zoom = m_view->zoomFactor();
    return evaluate(QStringLiteral("zelvo.pasting.caretAt(%1, %2);").arg(at.x() / zoom).arg(at.y() / zoom)).toBool();
}

QStringList EngineView::cleanPastedMarkup(const QString &html)
{
    return evaluate(QStringLiteral("zelvo.pasting.clean(%1);").arg(scriptLiteral(html))).toStringList();
}

bool EngineView::insertCleanedMarkup(const QStringList &addresses)
{
    QStringList literals;
    for (const QString &a : addresses)
        literals << scriptLiteral(a);
    return evaluate(QStringLiteral("zelvo.pasting.insert([%1]);").arg(literals.join(QLatin1Char(','))), 120000)
        .toBool();
}

QStringList EngineView::pageAddresses()
{
    return evaluate(QStringLiteral("zelvo.pasting.addresses();")).toStringList();
}

int EngineView::rewriteAddresses(const QStringList &from, const QStringList &to)
{
    const auto list = [](const QStringList &values) {
        QStringList literals;
        for (const QString &v : values)
            literals << scriptLiteral(v);
        return QLatin1Char('[') + literals.join(QLatin1Char(',')) + QLatin1Char(']');
    };
    return evaluate(QStringLiteral("zelvo.pasting.rewrite(%1, %2);").arg(list(from), list(to))).toInt();
}

void EngineView::watchInputWidget()
{
    QWidget *input = m_view->focusProxy();
    if (input && input != m_watchedInput) {
        input->installEventFilter(this);
        m_watchedInput = input;
        if (m_dropHandler)
            input->setAcceptDrops(true);
        nameInputWidget();
        placeInputInTabOrder(input);
    }
}

void EngineView::placeInputInTabOrder(QWidget *input)
{
    // The engine makes its input widget after the window's other controls,
    // which would put the page last in the Tab order too; it belongs where
    // the view is, after the control before the view. Setting the proxy
    // again brings the engine's view along (Qt keeps a widget just before
    // the child it hands its focus to).
    for (QWidget *w = previousInFocusChain(); w && w != this; w = w->previousInFocusChain()) {
        if (isAncestorOf(w) || w->focusProxy() || !(w->focusPolicy() & Qt::TabFocus))
            continue;
        QWidget::setTabOrder(w, input);
        m_view->setFocusProxy(nullptr);
        m_view->setFocusProxy(input);
        return;
    }
}

void EngineView::nameInputWidget()
{
    // The engine draws through a widget of its own with an off-screen window
    // behind it, which screen readers list among the program's windows as
    // "Offscreen"; both carry the view's spoken name instead.
    const QString name = accessibleName();
    QWidget *input = m_view->focusProxy();
    if (name.isEmpty() || !input)
        return;
    m_view->setAccessibleName(name);
    input->setAccessibleName(name);
    if (auto *quick = qobject_cast<QQuickWidget *>(input)) {
        if (QQuickWindow *window = quick->quickWindow())
            window->setTitle(name);
    }
}

bool EngineView::eventFilter(QObject *watched, QEvent *event)
{
    switch (event->type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::InputMethod:
    case QEvent::Drop:
        ++m_displayStamp; // the page may look different now
        break;
    case QEvent::Resize:
        ++m_displayStamp;
        if (watched == m_view) {
            m_findMarks->setGeometry(m_view->geometry());
            updateFindMarks();
        }
        break;
    default:
        break;
    }
    if (watched == m_view && (event->type() == QEvent::ChildAdded || event->type() == QEvent::ChildPolished)) {
        QTimer::singleShot(0, this, [this] { watchInputWidget(); });
    } else if (watched == m_watchedInput && event->type() == QEvent::ShortcutOverride) {
        // The engine runs its own undo and paste for these keys at this
        // stage, before the key press; keep them from it so that only the
        // editor answers them (below).
        if (historyKey(static_cast<QKeyEvent *>(event)) != 0 ||
            (m_pasteHandler && pasteKey(static_cast<QKeyEvent *>(event)) >= 0)) {
            event->accept();
            return true;
        }
    } else if ((watched == m_watchedInput || watched == m_view) && m_dropHandler &&
               (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove ||
                event->type() == QEvent::Drop)) {
        // Files from the file manager are the editor's to insert; anything
        // else dragged is the engine's, as before.
        auto *drop = static_cast<QDropEvent *>(event);
        const QMimeData *mime = drop->mimeData();
        QList<QUrl> files;
        if (mime && mime->hasUrls())
            for (const QUrl &url : mime->urls())
                if (url.isLocalFile())
                    files << url;
        if (files.isEmpty())
            return QWidget::eventFilter(watched, event);
        if (event->type() == QEvent::Drop) {
            // The point in the view's own coordinates, whichever widget got it.
            const QPoint at =
                m_view->mapFromGlobal(static_cast<QWidget *>(watched)->mapToGlobal(drop->position().toPoint()));
            if (m_dropHandler(files, at))
                drop->acceptProposedAction();
            else
                drop->ignore();
        } else {
            drop->acceptProposedAction();
        }
        return true;
    } else if (watched == m_watchedInput && event->type() == QEvent::Wheel &&
               (static_cast<QWheelEvent *>(event)->modifiers() & Qt::ControlModifier)) {
        const int turn = static_cast<QWheelEvent *>(event)->angleDelta().y();
        if (turn > 0)
            zoomIn();
        else if (turn < 0)
            zoomOut();
        return true;
    } else if (watched == m_watchedInput && event->type() == QEvent::KeyPress) {
        auto *key = static_cast<QKeyEvent *>(event);
        // Tab and Shift+Tab leave the page for the window's next control, as
        // in any other control: a keyboard user is never caught in the page.
        const bool tab = key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab;
        if (tab && !(key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))) {
            focusNextPrevChild(key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ShiftModifier));
            return true;
        }
        if (m_keyInterceptor && m_keyInterceptor(key))
            return true;
        // The editor's own paste, before the engine's.
        if (m_pasteHandler && pasteKey(key) >= 0) {
            m_pasteHandler(pasteKey(key) == 1);
            return true;
        }
        // The view's own zoom keys.
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
    ++m_displayStamp;
    QWebEnginePage *page = m_page;
    QPointer<EngineView> self(this);
    const QVariant answer = waitForEngine<QVariant>(
                                [page, &script](std::function<void(const QVariant &)> done) {
                                    page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                                                        std::move(done));
                                },
                                timeoutMs)
                                .value_or(QVariant());
    if (self)
        ++m_displayStamp;
    return answer;
}

void EngineView::evaluateLater(const QString &script, std::function<void(const QVariant &)> done)
{
    QPointer<EngineView> self(this);
    m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld,
                          [self, done = std::move(done)](const QVariant &value) {
                              if (self && !self->m_closing && done)
                                  done(value);
                          });
}

void EngineView::elementAtLater(const QPoint &point, std::function<void(const ElementTexts &)> done)
{
    evaluateLater(QStringLiteral("zelvo.elementAt(%1, %2);").arg(point.x()).arg(point.y()),
                  [done = std::move(done)](const QVariant &value) {
                      const QVariantList texts = value.toList();
                      const auto part = [&texts](int i) { return i < texts.size() ? texts.at(i).toString() : QString(); };
                      done({part(0), part(1), part(2)});
                  });
}

bool EngineView::loadAndWait(const std::function<void()> &startLoad)
{
    QWebEnginePage *page = m_page;
    QMetaObject::Connection connection;
    m_page->allowNavigation = true;
    const std::optional<bool> ok = waitForEngine<bool>(
        [&](std::function<void(const bool &)> done) {
            connection = connect(page, &QWebEnginePage::loadFinished, page, std::move(done));
            startLoad();
        },
        30000);
    m_page->allowNavigation = false;
    disconnect(connection);
    // Every new document gets the runtime once; the calls that follow use it.
    ++m_loads;
    evaluate(runtimeScript() + QStringLiteral("zelvo.history.attach(); true;"));
    for (auto it = m_sheets.cbegin(); it != m_sheets.cend(); ++it)
        evaluate(sheetScript(it.key(), it.value()));
    if (m_placeholders)
        evaluate(QStringLiteral("zelvo.placeholders.show(true);"));
    // A new document keeps the view's zoom.
    if (!qFuzzyCompare(m_view->zoomFactor(), m_zoom))
        m_view->setZoomFactor(m_zoom);
    return ok.value_or(false);
}

QString EngineView::sheetScript(const QString &name, const QString &css)
{
    return QStringLiteral("zelvo.sheets.set(%1, %2);").arg(scriptLiteral(name), scriptLiteral(css));
}

bool EngineView::setDocumentSheet(const QString &name, const QString &css)
{
    if (css.isEmpty())
        m_sheets.remove(name);
    else
        m_sheets.insert(name, css);
    // Before the first document the sheet waits for it.
    return m_loads == 0 || evaluate(sheetScript(name, css)).toBool();
}

bool EngineView::showPlaceholders(bool on)
{
    m_placeholders = on;
    return m_loads == 0 || evaluate(QStringLiteral("zelvo.placeholders.show(%1);").arg(boolLiteral(on))).toBool();
}

bool EngineView::Navigate(const QString &url)
{
    const QUrl target(url);
    const bool ok = loadAndWait([&] { m_page->load(target); });
    m_documentBase = target;
    if (m_editMode)
        evaluate(QStringLiteral("document.designMode = 'on'; true;"));
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
    const QUrl base = baseFolder.isEmpty()              ? QUrl(QStringLiteral("about:blank"))
        : pageFolderSchemeRegistered() ? pageFolderUrl(baseFolder)
                                       : QUrl::fromLocalFile(QDir(baseFolder).absolutePath() + QLatin1Char('/'));
    if (base != m_documentBase) {
        if (base.scheme() == QLatin1String("about"))
            loadAndWait([&] { m_page->load(base); });
        else
            loadAndWait([&] { m_page->setHtml(QString(), base); });
        m_documentBase = base;
    }
    m_lastWriteSize = text.size();
    // The marks of the last page's matches never stand over a new one.
    m_findMarks->setMarks({}, {});
    const QString editable = boolLiteral(m_editMode);
    if (text.size() < kLargePage)
        return evaluate(QStringLiteral("zelvo.write(%1, %2);").arg(scriptLiteral(text), editable)).toBool();
    // A large page crosses in pieces, which the engine parses apart from the
    // shown document as they come; then the whole is moved in.
    sendInPieces(text, kParsedPiece, true);
    // Laying out a page of many megabytes takes the engine a while.
    const int timeoutMs = 60000 + int(text.size() / (1 << 20)) * 30000;
    return evaluate(QStringLiteral("zelvo.writePieces(%1, true);").arg(editable), timeoutMs).toBool();
}

text::FindResult EngineView::find(const QString &query, const text::FindOptions &options, bool backwards)
{
    m_marking = true;
    const text::FindResult result = findResultOf(evaluate(QStringLiteral("zelvo.find.next(%1, %2, %3);")
                                                              .arg(scriptLiteral(query), findOptionsLiteral(options),
                                                                   boolLiteral(backwards))));
    updateFindMarks();
    return result;
}

text::FindResult EngineView::replace(const QString &query, const text::FindOptions &options, const QString &replacement)
{
    m_marking = true;
    const text::FindResult result = findResultOf(evaluate(QStringLiteral("zelvo.find.replace(%1, %2, %3);")
                                                              .arg(scriptLiteral(query), findOptionsLiteral(options),
                                                                   scriptLiteral(replacement))));
    updateFindMarks();
    return result;
}

int EngineView::replaceAll(const QString &query, const text::FindOptions &options, const QString &replacement)
{
    // Many thousand replacements on a large page take the engine a while.
    const int done = evaluate(QStringLiteral("zelvo.find.replaceAll(%1, %2, %3);")
                                  .arg(scriptLiteral(query), findOptionsLiteral(options), scriptLiteral(replacement)),
                              120000)
                         .toInt();
    updateFindMarks();
    return done;
}

void EngineView::countLater(const QString &query, const text::FindOptions &options,
                            std::function<void(const text::FindResult &)> done)
{
    m_marking = true;
    QPointer<EngineView> self(this);
    evaluateLater(QStringLiteral("zelvo.find.count(%1, %2);").arg(scriptLiteral(query), findOptionsLiteral(options)),
                  [self, done = std::move(done)](const QVariant &value) {
                      if (!self)
                          return;
                      self->updateFindMarks();
                      if (done)
                          done(findResultOf(value));
                  });
}

void EngineView::clearFind()
{
    m_marking = false;
    evaluateLater(QStringLiteral("zelvo.find.clear();"), nullptr);
    m_findMarks->setMarks({}, {});
    m_findMarks->hide();
}

QString EngineView::selectedText()
{
    return evaluate(QStringLiteral("(function(){ var s = document.getSelection(); return s ? s.toString() : ''; })();"))
        .toString();
}

void EngineView::updateFindMarks()
{
    if (!m_marking || m_marksAsked)
        return;
    m_marksAsked = true;
    QPointer<EngineView> self(this);
    evaluateLater(QStringLiteral("zelvo.find ? zelvo.find.marks() : null;"), [self](const QVariant &value) {
        if (!self)
            return;
        self->m_marksAsked = false;
        if (!self->m_marking)
            return;
        // The page's pixels are the view's times the zoom.
        const qreal zoom = self->m_view->zoomFactor();
        const auto rects = [zoom](const QVariant &list) {
            QList<QRectF> out;
            for (const QVariant &r : list.toList()) {
                const QVariantList v = r.toList();
                if (v.size() == 4)
                    out << QRectF(v[0].toReal() * zoom, v[1].toReal() * zoom, v[2].toReal() * zoom, v[3].toReal() * zoom);
            }
            return out;
        };
        const QVariantMap marks = value.toMap();
        self->m_findMarks->setGeometry(self->m_view->geometry());
        self->m_findMarks->setMarks(rects(marks.value(QStringLiteral("current"))),
                                    rects(marks.value(QStringLiteral("others"))));
        self->m_findMarks->show();
        self->m_findMarks->raise();
    });
}

void EngineView::setZoom(qreal factor)
{
    m_zoom = std::clamp(factor, kZoomSteps[0], kZoomSteps[std::size(kZoomSteps) - 1]);
    m_view->setZoomFactor(m_zoom);
    ++m_displayStamp;
    updateFindMarks();
}

void EngineView::zoomIn()
{
    for (qreal step : kZoomSteps)
        if (step > m_zoom + 0.001) {
            setZoom(step);
            return;
        }
}

void EngineView::zoomOut()
{
    for (auto it = std::rbegin(kZoomSteps); it != std::rend(kZoomSteps); ++it)
        if (*it < m_zoom - 0.001) {
            setZoom(*it);
            return;
        }
}

void EngineView::resetZoom()
{
    setZoom(1.0);
}

qreal EngineView::zoom() const
{
    return m_zoom;
}

bool EngineView::setBaseFolder(const QString &folder)
{
    const QUrl base = pageFolderUrl(folder);
    if (base == m_documentBase)
        return true;
    // Only a document of the editor's own scheme may change its address in
    // place; a file:// or about:blank one may not.
    if (folderOfPageUrl(m_documentBase).isEmpty())
        return false;
    const bool moved = evaluate(QStringLiteral("try { history.replaceState(null, '', %1); true; } catch (e) { false; }")
                                    .arg(scriptLiteral(base.toString(QUrl::FullyEncoded))))
                           .toBool();
    if (moved)
        m_documentBase = base;
    return moved;
}

QString EngineView::baseFolder() const
{
    if (m_documentBase.isLocalFile())
        return m_documentBase.toLocalFile();
    return folderOfPageUrl(m_documentBase);
}

void EngineView::sendInPieces(const QString &text, qsizetype pieceSize, bool parse)
{
    evaluate(QStringLiteral("zelvo.startPieces();"));
    // Two pieces under way: this side makes the next piece's script while
    // the engine takes in the last one. The engine runs them in order.
    struct Answers {
        int count = 0;
        QEventLoop loop;
    };
    auto answers = std::make_shared<Answers>();
    std::weak_ptr<Answers> weak = answers;
    const auto waitUntil = [&answers](int count) {
        QElapsedTimer waited;
        waited.start();
        while (answers->count < count && waited.elapsed() < 60000) {
            QTimer::singleShot(1000, &answers->loop, &QEventLoop::quit);
            answers->loop.exec(QEventLoop::ExcludeUserInputEvents);
        }
    };
    // The waits let other events through: the view may be gone after one.
    const QPointer<EngineView> self(this);
    int sent = 0;
    for (qsizetype from = 0; from < text.size();) {
        qsizetype count = std::min<qsizetype>(pieceSize, text.size() - from);
        if (from + count < text.size() && text.at(from + count - 1).isHighSurrogate())
            --count; // never split a surrogate pair
        const QString script =
            QStringLiteral("zelvo.addPiece(%1, %2);").arg(scriptLiteral(text.mid(from, count)), boolLiteral(parse));
        waitUntil(sent - 1);
        if (!self || m_closing)
            return;
        m_page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [weak](const QVariant &) {
            if (auto a = weak.lock()) {
                ++a->count;
                a->loop.quit();
            }
        });
        ++sent;
        from += count;
    }
    waitUntil(sent);
    if (self)
        ++m_displayStamp;
}

QString EngineView::ReadDocument()
{
    // Serialised inside the page and taken in pieces: the engine's own dump
    // of the document (toHtml) gives the same text but takes seconds for a
    // page of a few megabytes, and minutes for deeply nested elements.
    const QVariant length = evaluate(QStringLiteral("zelvo.read();"), 60000 + m_lastWriteSize / (1 << 20) * 5000);
    if (!length.isValid())
        return QString();
    const qsizetype total = length.toLongLong();
    QString html;
    html.reserve(total);
    while (html.size() < total) {
        const QString piece =
            evaluate(QStringLiteral("zelvo.readingPiece(%1, %2);").arg(html.size()).arg(kReadPiece)).toString();
        if (piece.isEmpty())
            break;
        html += piece;
    }
    evaluate(QStringLiteral("zelvo.readingDone();"));
    if (html.size() != total)
        return QString(); // an engine that stopped answering: no reading
    return withLeadingNodesOnOwnLines(html);
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

bool EngineView::ExecCommand(EditCommand command, const QVariant &value)
{
    QString argument = QStringLiteral("null");
    switch (command) {
    case EditCommand::ForeColor:
    case EditCommand::BackColor:
        argument = scriptLiteral(text::ColourFromValue(value.toUInt()).name());
        break;
    case EditCommand::FontSize:
        argument = scriptLiteral(QString::number(value.toInt()));
        break;
    case EditCommand::FontName:
        argument = scriptLiteral(value.toString());
        break;
    default:
        break;
    }
    return evaluate(QStringLiteral("zelvo.exec(%1, %2);").arg(scriptLiteral(commandName(command)), argument))
        .toBool();
}

bool EngineView::RangeCommand(RangeAction action)
{
    if (action == RangeAction::SelectAll)
        return evaluate(QStringLiteral("zelvo.rangeCommand('selectAll');")).toBool();

    const struct {
        const char *name;
        QWebEnginePage::WebAction engineAction;
    } kinds[] = {{"copy", QWebEnginePage::Copy}, {"cut", QWebEnginePage::Cut}, {"paste", QWebEnginePage::Paste}};
    const auto &kind = kinds[action == RangeAction::Copy ? 0 : action == RangeAction::Cut ? 1 : 2];
    if (evaluate(QStringLiteral("zelvo.rangeCommand('%1');").arg(QLatin1String(kind.name))).toBool())
        return true;

    // The engine refused the scripted command; run its own action and wait
    // until its effect can be seen (the clipboard changed, or the page took input).
    const int inputsBefore = evaluate(QStringLiteral("zelvo.typedInputs;")).toInt();
    bool clipboardChanged = false;
    const auto conn = connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
                              [&clipboardChanged] { clipboardChanged = true; });
    m_page->triggerAction(kind.engineAction);
    QElapsedTimer timer;
    timer.start();
    bool seen = false;
    while (!seen && timer.elapsed() < 1000) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents, 10);
        if (action == RangeAction::Paste)
            seen = evaluate(QStringLiteral("zelvo.typedInputs;")).toInt() != inputsBefore;
        else
            seen = clipboardChanged;
    }
    disconnect(conn);
    evaluate(QStringLiteral("zelvo.history.end(); true;"));
    return seen;
}

bool EngineView::PasteHtml(const QString &fragment)
{
    // A fragment of many megabytes (a large table) crosses in pieces, like a
    // large page, and the engine is given time to lay it out.
    const int timeoutMs = 60000 + int(fragment.size() / (1 << 20)) * 30000;
    if (fragment.size() <= kChunk)
        return evaluate(QStringLiteral("zelvo.paste(%1);").arg(scriptLiteral(fragment)), timeoutMs).toBool();
    sendInPieces(fragment, kChunk, false);
    return evaluate(QStringLiteral("zelvo.pastePieces();"), timeoutMs).toBool();
}

bool EngineView::Undo()
{
    return evaluate(QStringLiteral("zelvo.history.undo();")).toBool();
}

bool EngineView::Redo()
{
    return evaluate(QStringLiteral("zelvo.history.redo();")).toBool();
}

bool EngineView::canUndo()
{
    return evaluate(QStringLiteral("zelvo.history.canUndo();")).toBool();
}

bool EngineView::canRedo()
{
    return evaluate(QStringLiteral("zelvo.history.canRedo();")).toBool();
}

quint64 EngineView::changeCount()
{
    // An engine that does not answer gives a count no reading was taken at.
    static quint64 unanswered = ~quint64(0);
    const QVariant count = evaluate(QStringLiteral("zelvo.history.changes();"));
    return count.isValid() ? (m_loads << 40) + count.toULongLong() : unanswered--;
}

bool EngineView::lineBreakNeedsHolder()
{
    return evaluate(QStringLiteral("zelvo.breakNeedsHolder();")).toBool();
}

void EngineView::focusPage()
{
    // The page's own focus first: a hidden view answers at once, where one
    // just shown would make this wait for its layout.
    evaluate(QStringLiteral("zelvo.focus();"));
    if (isVisible())
        inputWidget()->setFocus(Qt::OtherFocusReason);
    else
        m_focusWhenShown = true;
}

void EngineView::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (m_focusWhenShown) {
        m_focusWhenShown = false;
        inputWidget()->setFocus(Qt::OtherFocusReason);
    }
}

} // namespace engine
