// Figures for the inspection tools: CPU use of the idle editor with its
// inspector running (pointer resting on the page, pointer elsewhere, and the
// inspector's timer stopped for comparison), and the time of one inspector
// update on a 1 MB page, for a paragraph and for the root element (whose
// texts are the whole page).
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/bench_tools [--quick]
#include "TestSupport.h"
#include "app/MainWindow.h"
#include "app/StatusBar.h"
#include "commands/Toolbar.h"
#include "codeview/LexerConfig.h"
#include "engine/EngineView.h"
#include "tools/ElementInspector.h"

#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <unistd.h>

namespace {

// CPU seconds used so far by this process and every process it started
// (the engine's helpers), from /proc; own gets this process's share.
double treeCpuSeconds(double *own = nullptr)
{
    const double tick = double(sysconf(_SC_CLK_TCK));
    QHash<qint64, qint64> parent;
    QHash<qint64, double> cpu;
    for (const QString &entry : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        bool ok = false;
        const qint64 pid = entry.toLongLong(&ok);
        if (!ok)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        const QByteArray line = stat.readAll();
        // Fields after the command name, which is in parentheses.
        const QList<QByteArray> f = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (f.size() < 13)
            continue;
        parent.insert(pid, f.at(1).toLongLong());
        cpu.insert(pid, (f.at(11).toDouble() + f.at(12).toDouble()) / tick);
    }
    double total = 0;
    const qint64 self = getpid();
    if (own)
        *own = cpu.value(self);
    for (auto it = cpu.constBegin(); it != cpu.constEnd(); ++it) {
        for (qint64 p = it.key(); p > 1; p = parent.value(p, 0)) {
            if (p == self) {
                total += it.value();
                break;
            }
        }
    }
    return total;
}

// Per cent of one core used by the process tree, and by the editor's own
// process, while the event loop runs.
QString idleCpu(int seconds)
{
    QTest::qWait(1000); // let what came before settle
    double ownBefore = 0, ownAfter = 0;
    const double before = treeCpuSeconds(&ownBefore);
    QElapsedTimer clock;
    clock.start();
    QTest::qWait(seconds * 1000);
    const double used = treeCpuSeconds(&ownAfter) - before;
    const double elapsed = clock.nsecsElapsed() / 1e9;
    return QStringLiteral("%1 %  (editor process %2 %)")
        .arg(100.0 * used / elapsed, 6, 'f', 2)
        .arg(100.0 * (ownAfter - ownBefore) / elapsed, 0, 'f', 2);
}

QString makePage(qsizetype bytes)
{
    QString page = QStringLiteral("<!DOCTYPE html>\n<html><head><title>基准页面</title></head><body>\n");
    int i = 0;
    while (page.toUtf8().size() < bytes) {
        for (int k = 0; k < 50; ++k, ++i)
            page += QStringLiteral("<p id=\"p%1\">第%1段：网页编辑器把<b>粗体</b>、<i>斜体</i>和<font color=\"#ff0000\">颜色</font>"
                                   "写进页面。The quick brown fox jumps over the lazy dog %1.</p>\n").arg(i);
        page += QStringLiteral("<table border=\"1\"><tr><td>甲</td><td>乙</td></tr></table>\n");
    }
    return page + QStringLiteral("</body></html>");
}

// A point inside a paragraph of the page, in the view's coordinates.
QPoint paragraphPoint(engine::EngineView &view, const QString &id)
{
    const QVariantList r = view.evaluate(QStringLiteral(
        "(function () { var r = document.getElementById('%1').getBoundingClientRect();"
        " return [r.left + 10, r.top + r.height / 2]; })();").arg(id)).toList();
    return QPoint(r.value(0).toInt(), r.value(1).toInt());
}

struct Update {
    double totalMs = 0; // tick to panels set
    double tickMs = 0;  // the tick itself, on the user-interface thread
    double lineMs = 0;  // working out the three panels' shown lines
    double stallMs = 0; // longest time the user-interface thread took no events meanwhile
    qsizetype codeChars = 0;
};

// One update with the pointer at a point of the view: the pointer is put
// there (alternating by a pixel so that the inspector asks afresh), one tick
// runs and the answer is awaited.
Update measureUpdate(app::MainWindow &window, const QPoint &local, int nudge)
{
    tools::ElementInspector *inspector = window.inspector();
    app::StatusBar *panels = window.statusPanels();
    QCursor::setPos(window.designView()->mapToGlobal(local + QPoint(nudge, 0)));
    QCoreApplication::processEvents();

    Update u;
    QElapsedTimer total;
    QEventLoop loop;
    // Runs after the main window's own handler has set the panels.
    auto c = QObject::connect(inspector, &tools::ElementInspector::elementInspected, &loop, [&] {
        u.totalMs = total.nsecsElapsed() / 1e6;
        loop.quit();
    });
    // A timer due every millisecond shows how long the thread is busy at a stretch.
    QElapsedTimer sinceBeat;
    QTimer beat;
    beat.setInterval(1);
    QObject::connect(&beat, &QTimer::timeout, [&] {
        u.stallMs = std::max(u.stallMs, sinceBeat.nsecsElapsed() / 1e6);
        sinceBeat.start();
    });
    sinceBeat.start();
    beat.start();
    total.start();
    QElapsedTimer tick;
    tick.start();
    inspector->tick();
    u.tickMs = tick.nsecsElapsed() / 1e6;
    QTimer::singleShot(30000, &loop, &QEventLoop::quit);
    loop.exec();
    beat.stop();
    QObject::disconnect(c);
    QElapsedTimer line;
    line.start();
    for (int i = 0; i < 3; ++i)
        panels->panel(i)->shownText();
    u.lineMs = line.nsecsElapsed() / 1e6;
    u.codeChars = panels->panelText(2).size();
    return u;
}

void printUpdates(const char *what, app::MainWindow &window, const QPoint &local, int runs)
{
    QList<Update> all;
    for (int i = 0; i < runs; ++i)
        all << measureUpdate(window, local, i % 2);
    std::sort(all.begin(), all.end(), [](const Update &a, const Update &b) { return a.totalMs < b.totalMs; });
    const Update &m = all.at(all.size() / 2);
    std::printf("  %-30s %8.1f ms  (tick %.3f ms, longest stall %.1f ms, panel lines %.2f ms, code panel %lld chars)\n",
                what, m.totalMs, m.tickMs, m.stallMs, m.lineMs, static_cast<long long>(m.codeChars));
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    const bool quick = app.arguments().contains(QStringLiteral("--quick"));
    const int seconds = quick ? 3 : 10;
    qputenv("TMPDIR", testsupport::freshTempDir().toLocal8Bit());

    codeview::LexerConfig lexer;
    app::MainWindow window(lexer);
    window.showMaximized();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    window.initialise();
    engine::EngineView *view = window.designView();
    view->WriteDocument(QStringLiteral("<html><body><p id=\"a\">一段文字 some text</p></body></html>"));

    std::printf("Idle editor, CPU of the whole process tree over %d s (per cent of one core)\n", seconds);
    QCursor::setPos(view->mapToGlobal(paragraphPoint(*view, QStringLiteral("a"))));
    if (!QTest::qWaitFor([&] { return window.statusPanels()->panelText(0) == QStringLiteral("元素:P"); }, 5000))
        std::printf("  (the inspector did not answer)\n");
    QTest::qWait(200);
    const quint64 asked = window.inspector()->questions();
    std::printf("  pointer resting on the page:        %s\n", qPrintable(idleCpu(seconds)));
    // The cost of a tick that finds nothing new to ask, in CPU time.
    {
        const int n = 2000;
        timespec a{}, b{};
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &a);
        for (int i = 0; i < n; ++i)
            window.inspector()->tick();
        clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &b);
        const double us = ((b.tv_sec - a.tv_sec) * 1e9 + (b.tv_nsec - a.tv_nsec)) / 1e3 / n;
        std::printf("  one tick with nothing to ask:       %6.1f us of CPU (%.3f %% of a core at 20 ticks a second)\n",
                    us, us * 20 / 1e4);
    }
    QCursor::setPos(window.toolbar()->mapToGlobal(QPoint(window.toolbar()->width() - 5, 5)));
    std::printf("  pointer outside the page:           %s\n", qPrintable(idleCpu(seconds)));
    window.inspectorTimer()->stop();
    std::printf("  inspector's timer stopped:          %s\n", qPrintable(idleCpu(seconds)));
    {
        // The same 50 ms wake-ups with nothing to do: the share of the timer itself.
        QTimer empty;
        empty.setInterval(50);
        QObject::connect(&empty, &QTimer::timeout, [] {});
        empty.start();
        std::printf("  an empty 50 ms timer instead:       %s\n", qPrintable(idleCpu(seconds)));
    }
    std::printf("  questions to the engine while idle (pointer resting, then outside): %llu\n\n",
                static_cast<unsigned long long>(window.inspector()->questions() - asked));

    // The timer stays stopped: each update below is one tick of our own.
    const QString page = makePage(1 << 20);
    QElapsedTimer write;
    write.start();
    view->WriteDocument(page);
    view->evaluate(QStringLiteral("true;"));
    std::printf("One inspector update on a 1 MB page (%lld UTF-8 bytes, written in %.0f ms), median of %d\n",
                static_cast<long long>(page.toUtf8().size()), write.nsecsElapsed() / 1e6, quick ? 3 : 9);
    const int runs = quick ? 3 : 9;
    printUpdates("pointer on a paragraph:", window, paragraphPoint(*view, QStringLiteral("p3")), runs);
    // Above the body's margin lies the root element: its texts are the whole page.
    printUpdates("pointer on the root element:", window, QPoint(3, 3), runs);
    return 0;
}
