#include "app/FindController.h"

#include "codeview/CodeEditor.h"
#include "engine/EngineView.h"
#include "ui/FindBar.h"

#include <QPointer>
#include <QShortcut>
#include <QTabWidget>

namespace app {

namespace {
constexpr int kCodePage = 1;
// How long the keys must pause before the code view counts again.
constexpr int kTypingPause = 80;
}

FindController::FindController(ui::FindBar &bar, engine::EngineView &design, codeview::CodeEditor &code,
                               QTabWidget &views, QObject *parent)
    : QObject(parent), m_bar(bar), m_design(design), m_code(code), m_views(views)
{
    // The views' own keys; the menus stay without shortcuts.
    for (QWidget *view : {static_cast<QWidget *>(&design), static_cast<QWidget *>(&code)}) {
        const struct {
            QKeySequence keys;
            std::function<void()> run;
        } keys[] = {{QKeySequence(Qt::CTRL | Qt::Key_F), [this] { open(false); }},
                    {QKeySequence(Qt::CTRL | Qt::Key_H), [this] { open(true); }},
                    {QKeySequence(Qt::Key_F3), [this] { findAgain(false); }},
                    {QKeySequence(Qt::SHIFT | Qt::Key_F3), [this] { findAgain(true); }}};
        for (const auto &k : keys) {
            auto *shortcut = new QShortcut(k.keys, view);
            shortcut->setContext(Qt::WidgetWithChildrenShortcut);
            connect(shortcut, &QShortcut::activated, this, k.run);
        }
    }
    connect(&m_bar, &ui::FindBar::queryChanged, this, &FindController::countAsTyped);
    connect(&m_bar, &ui::FindBar::findRequested, this, &FindController::find);
    connect(&m_bar, &ui::FindBar::replaceRequested, this, &FindController::replace);
    connect(&m_bar, &ui::FindBar::replaceAllRequested, this, &FindController::replaceAll);
    connect(&m_bar, &ui::FindBar::closeRequested, this, &FindController::close);
    connect(&m_views, &QTabWidget::currentChanged, this, &FindController::viewSwitched);
    m_codeCount.setSingleShot(true);
    m_codeCount.setInterval(kTypingPause);
    connect(&m_codeCount, &QTimer::timeout, this, &FindController::countNow);
}

bool FindController::codeShown() const
{
    return m_views.currentIndex() == kCodePage;
}

void FindController::open(bool replacing)
{
    const QString selected = codeShown() ? m_code.selectedText() : m_design.selectedText();
    m_bar.setRegularExpressionsOffered(codeShown());
    const bool wasHidden = m_bar.isHidden();
    // A selection of several lines is not what anyone looks for.
    m_bar.open(replacing, selected.contains(QLatin1Char('\n')) ? QString() : selected);
    if (wasHidden)
        emit barToggled();
    countNow();
}

void FindController::findAgain(bool backwards)
{
    if (m_bar.query().isEmpty()) {
        open(false);
        return;
    }
    find(backwards);
}

void FindController::countAsTyped()
{
    if (codeShown()) {
        m_codeCount.start();
        return;
    }
    // The design view answers later: keys typed meanwhile make one more count.
    if (m_counting) {
        m_countAgain = true;
        return;
    }
    countNow();
}

void FindController::countNow()
{
    const QString query = m_bar.query();
    const text::FindOptions options = m_bar.options();
    if (codeShown()) {
        m_bar.setStatus(text::findStatusText(query, m_code.countMatches(query, options)));
        return;
    }
    m_counting = true;
    QPointer<FindController> self(this);
    m_design.countLater(query, options, [self, query](const text::FindResult &result) {
        if (!self)
            return;
        self->m_counting = false;
        if (self->m_countAgain) {
            self->m_countAgain = false;
            self->countNow();
            return;
        }
        self->m_bar.setStatus(text::findStatusText(query, result));
    });
}

void FindController::find(bool backwards)
{
    const QString query = m_bar.query();
    if (query.isEmpty())
        return;
    const text::FindResult result =
        codeShown() ? m_code.find(query, m_bar.options(), backwards) : m_design.find(query, m_bar.options(), backwards);
    m_bar.setStatus(text::findStatusText(query, result, backwards));
}

void FindController::replace()
{
    const QString query = m_bar.query();
    if (query.isEmpty())
        return;
    const text::FindResult result = codeShown() ? m_code.replace(query, m_bar.options(), m_bar.replacement())
                                                : m_design.replace(query, m_bar.options(), m_bar.replacement());
    m_bar.setStatus(text::findStatusText(query, result));
}

void FindController::replaceAll()
{
    const QString query = m_bar.query();
    if (query.isEmpty())
        return;
    const int done = codeShown() ? m_code.replaceAll(query, m_bar.options(), m_bar.replacement())
                                 : m_design.replaceAll(query, m_bar.options(), m_bar.replacement());
    m_bar.setStatus(done ? QStringLiteral("已替换 %1 处").arg(done) : QStringLiteral("找不到“%1”").arg(query));
}

void FindController::clearMarks()
{
    m_design.clearFind();
    m_code.clearFind();
}

void FindController::close()
{
    clearMarks();
    m_bar.hide();
    emit barToggled();
    // The keyboard goes back to the view, the match still selected.
    if (codeShown())
        m_code.setFocus(Qt::OtherFocusReason);
    else
        m_design.focusPage();
}

void FindController::viewSwitched()
{
    if (m_bar.isHidden())
        return;
    clearMarks();
    m_bar.setRegularExpressionsOffered(codeShown());
    countNow();
}

} // namespace app
