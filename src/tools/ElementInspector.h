#pragma once
// The element inspector: on every tick of the main window's timer, the
// element of one of the program's web views that lies under the mouse
// pointer, as three texts for the status bar's panels.
#include "engine/EngineView.h"

#include <QElapsedTimer>
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>

namespace tools {

class ElementInspector : public QObject {
    Q_OBJECT
public:
    // An answer that has not come after this long no longer holds up the
    // next question, and the panels show that nothing could be read.
    static constexpr int kAnswerTimeoutMs = 1000;

    explicit ElementInspector(QObject *parent = nullptr);

    // One tick: when the pointer lies over a web view and has moved, or the
    // page may have changed, since the last question, asks the engine about
    // the element at the pointer. The answer comes later through
    // elementInspected; a tick never waits for it, and at most one question
    // is out at a time. Elsewhere on the screen a tick does nothing.
    void tick();

    // The program's web view under a point of the screen, or nullptr.
    static engine::EngineView *viewAt(const QPoint &globalPos);

    // The three panel texts for an element: "元素:", "内容:" and "代码:"
    // followed by its tag name, its text and its markup, as they come.
    static QString elementText(const QString &tagName);
    static QString contentText(const QString &innerText);
    static QString codeText(const QString &outerHtml);

    quint64 ticks() const { return m_ticks; }
    quint64 questions() const { return m_questions; }
    bool waiting() const { return m_waiting; }

signals:
    void elementInspected(const QString &element, const QString &content, const QString &code);

private:
    void answer(quint64 question, const engine::EngineView::ElementTexts &element);

    quint64 m_ticks = 0;
    quint64 m_questions = 0;
    bool m_waiting = false;
    QElapsedTimer m_askedAt;
    // What the last question was about: nothing is asked again while the
    // pointer rests at the same place of the same, unchanged view.
    QPointer<engine::EngineView> m_view;
    QPoint m_point;
    quint64 m_stamp = 0;
};

} // namespace tools
