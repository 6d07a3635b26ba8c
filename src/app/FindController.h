#pragma once
// Find and replace for both views through the one find bar: the view in
// front is searched, the bar and its text stay when the user switches views,
// and searching on in the other view starts from the caret there. The views'
// own keys open it: Ctrl+F, Ctrl+H, F3 and Shift+F3.
#include <QObject>
#include <QTimer>

class QTabWidget;

namespace codeview {
class CodeEditor;
}
namespace engine {
class EngineView;
}
namespace ui {
class FindBar;
}

namespace app {

class FindController : public QObject {
    Q_OBJECT
public:
    FindController(ui::FindBar &bar, engine::EngineView &design, codeview::CodeEditor &code, QTabWidget &views,
                   QObject *parent = nullptr);

    // Ctrl+F / Ctrl+H: the bar, with the selected text to find.
    void open(bool replacing);
    // F3 / Shift+F3 from a view.
    void findAgain(bool backwards);

signals:
    // The bar was shown or hidden: the window lays out its views again.
    void barToggled();

private:
    bool codeShown() const;
    void countAsTyped();
    void countNow();
    void find(bool backwards);
    void replace();
    void replaceAll();
    void close();
    void viewSwitched();
    void clearMarks();

    ui::FindBar &m_bar;
    engine::EngineView &m_design;
    codeview::CodeEditor &m_code;
    QTabWidget &m_views;
    // The code view counts in the program's own time: as the query is typed,
    // once the keys pause.
    QTimer m_codeCount;
    bool m_counting = false;     // a count of the design view is out
    bool m_countAgain = false;   // the query changed while it was
};

} // namespace app
