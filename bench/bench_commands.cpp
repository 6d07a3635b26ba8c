// Time from a toolbar click (or the Enter key) to the command's change being
// readable in the page, against the engine call alone. Prints figures only.
#include "TestSupport.h"

#include "commands/CommandRouter.h"
#include "commands/EditorCommands.h"
#include "commands/EnterHook.h"
#include "commands/Toolbar.h"
#include "engine/EngineView.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

struct Figures {
    double median = 0, mean = 0, min = 0;
};

Figures measure(int rounds, const std::function<void()> &prepare, const std::function<void()> &action,
                const std::function<bool()> &check)
{
    std::vector<double> ms;
    for (int i = 0; i < rounds; ++i) {
        prepare();
        QElapsedTimer t;
        t.start();
        action();
        const bool ok = check();
        const double elapsed = t.nsecsElapsed() / 1e6;
        if (!ok) {
            std::fprintf(stderr, "change not seen in round %d\n", i);
            continue;
        }
        ms.push_back(elapsed);
    }
    Figures f;
    if (ms.empty())
        return f;
    std::sort(ms.begin(), ms.end());
    f.median = ms[ms.size() / 2];
    f.min = ms.front();
    for (double v : ms)
        f.mean += v;
    f.mean /= ms.size();
    return f;
}

void print(const char *what, const Figures &program, const Figures &engineOnly)
{
    std::printf("%-34s median %7.2f ms  mean %7.2f ms  min %7.2f ms\n", what, program.median,
                program.mean, program.min);
    std::printf("%-34s median %7.2f ms  mean %7.2f ms  min %7.2f ms\n", "  engine call alone",
                engineOnly.median, engineOnly.mean, engineOnly.min);
    // The engine's own frame work makes single rounds noisy; the fastest
    // rounds show the program's share most steadily.
    std::printf("%-34s median %7.2f ms  min %7.2f ms\n\n", "  program's own share",
                program.median - engineOnly.median, program.min - engineOnly.min);
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    const int rounds = argc > 1 ? std::max(1, atoi(argv[1])) : 40;

    commands::CommandRouter router;
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *toolbar = new commands::Toolbar(router, &window);
    auto *view = new engine::EngineView(&window);
    layout->addWidget(toolbar);
    layout->addWidget(view, 1);
    window.resize(1000, 600);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    view->Navigate(QStringLiteral("about:blank"));
    view->SetEditMode(true);
    commands::InstallEnterHook(*view);
    commands::bindEditorCommands(router, *view, *toolbar, &window);
    // An insertion as the main window binds it: a fragment at the caret.
    router.bind(commands::CommandId::InsertHorizontalRule,
                [view] { view->PasteHtml(QStringLiteral("<hr/>")); });

    const QString page = QStringLiteral(
        "<html><head><title>t</title></head><body><p id=\"a\">hello world</p></body></html>");
    auto reset = [&](int from, int to) {
        view->WriteDocument(page);
        view->evaluate(QStringLiteral("var t=document.getElementById('a').firstChild;"
                                      "getSelection().setBaseAndExtent(t,%1,t,%2); true;")
                           .arg(from)
                           .arg(to));
    };
    // The press and release the window system would deliver to the button,
    // handed straight to it: what is timed is the program's own path from
    // the button to the engine, not the test library's event processing.
    auto clickControl = [&](const char *name) {
        QWidget *w = toolbar->control(QString::fromUtf8(name));
        const QPointF at(w->width() / 2.0, w->height() / 2.0);
        const QPointF global = w->mapToGlobal(at);
        QMouseEvent press(QEvent::MouseButtonPress, at, global, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QMouseEvent release(QEvent::MouseButtonRelease, at, global, Qt::LeftButton, Qt::NoButton, Qt::NoModifier);
        QCoreApplication::sendEvent(w, &press);
        QCoreApplication::sendEvent(w, &release);
    };
    auto pressEnter = [&] {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(view->inputWidget(), &press);
    };
    auto pageHas = [&](const char *text) {
        return [view, text] { return view->ReadDocument().contains(QLatin1String(text)); };
    };
    window.activateWindow();
    view->inputWidget()->setFocus();

    std::printf("Zelvo commands benchmark, %d rounds each\n\n", rounds);

    print("bold: click on 按钮_加粗",
          measure(rounds, [&] { reset(6, 11); }, [&] { clickControl("按钮_加粗"); }, pageHas("<b>world</b>")),
          measure(rounds, [&] { reset(6, 11); }, [&] { view->ExecCommand(engine::EditCommand::Bold); },
                  pageHas("<b>world</b>")));

    print("insertion: click on 按钮_横线",
          measure(rounds, [&] { reset(5, 5); }, [&] { clickControl("按钮_横线"); }, pageHas("<hr>")),
          measure(rounds, [&] { reset(5, 5); }, [&] { view->PasteHtml(QStringLiteral("<hr/>")); },
                  pageHas("<hr>")));

    print("line break: Enter key",
          measure(rounds, [&] { reset(5, 5); },
                  pressEnter, pageHas("hello<br>")),
          measure(rounds, [&] { reset(5, 5); }, [&] { view->PasteHtml(QStringLiteral("<br/>")); },
                  pageHas("hello<br>")));
    return 0;
}
