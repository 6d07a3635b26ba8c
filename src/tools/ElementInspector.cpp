#include "tools/ElementInspector.h"

#include "engine/EngineView.h"

#include <QApplication>
#include <QCursor>
#include <QWidget>

namespace tools {

ElementInspector::ElementInspector(QObject *parent) : QObject(parent)
{
    setObjectName(QStringLiteral("元素检查器"));
}

engine::EngineView *ElementInspector::viewAt(const QPoint &globalPos)
{
    // The engine draws into a child of the view; the view is an ancestor
    // within the same window.
    for (QWidget *w = QApplication::widgetAt(globalPos); w; w = w->parentWidget()) {
        if (auto *view = qobject_cast<engine::EngineView *>(w))
            return view;
        if (w->isWindow())
            break;
    }
    return nullptr;
}

QString ElementInspector::elementText(const QString &tagName)
{
    return QStringLiteral("元素:") + tagName;
}

QString ElementInspector::contentText(const QString &innerText)
{
    return QStringLiteral("内容:") + innerText;
}

QString ElementInspector::codeText(const QString &outerHtml)
{
    return QStringLiteral("代码:") + outerHtml;
}

void ElementInspector::tick()
{
    ++m_ticks;
    if (m_waiting) {
        // A view that went away takes its answer with it.
        if (m_view && m_askedAt.elapsed() < kAnswerTimeoutMs)
            return;
        m_waiting = false;
        if (m_view)
            emit elementInspected(elementText({}), contentText({}), codeText({}));
    }

    const QPoint pointer = QCursor::pos();
    engine::EngineView *view = viewAt(pointer);
    if (!view)
        return;
    const QPoint point = view->mapFromGlobal(pointer);
    const quint64 stamp = view->displayStamp();
    if (view == m_view && point == m_point && stamp == m_stamp)
        return;

    m_view = view;
    m_point = point;
    m_stamp = stamp;
    m_waiting = true;
    m_askedAt.start();
    const quint64 question = ++m_questions;
    QPointer<ElementInspector> self(this);
    view->elementAtLater(point, [self, question](const engine::EngineView::ElementTexts &element) {
        if (self)
            self->answer(question, element);
    });
}

void ElementInspector::answer(quint64 question, const engine::EngineView::ElementTexts &element)
{
    // Only the latest question counts; it may come after its time-out.
    if (question != m_questions)
        return;
    m_waiting = false;
    emit elementInspected(elementText(element.tagName), contentText(element.text), codeText(element.markup));
}

} // namespace tools
