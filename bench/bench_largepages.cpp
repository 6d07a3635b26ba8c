// Figures for large pages, each beside the bare engine's load of the same
// file: opening pages of 1 MB, 10 MB and 50 MB in the editor until the page
// is shown and takes typing and until the program is idle, keys in the
// design view (beside keys in the bare engine's page made editable) and in
// the code view, the switches between the views, a page wrapped in one
// element, deeply nested pages, and the peak memory of the whole process
// tree (the program and the engine's processes).
// Every figure comes from a fresh process of this program, so that one page's
// memory does not count for the next. Prints figures; asserts nothing.
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" build/bench/bench_largepages [--quick] [--no-50] [--no-deep] [--no-wrapped]
//
// As a screen reader user meets it (the accessibility bus, a listening
// screen reader, the bridges of both the editor and the bare engine view on):
//
//   xvfb-run -a -s "-screen 0 1600x1000x24" bench/screen_reader_session.sh build/bench/bench_largepages --no-50 --no-deep --no-wrapped
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"
#include "codeview/CodeEditor.h"
#include "codeview/LexerConfig.h"
#include "commands/CommandId.h"
#include "document/DocumentController.h"
#include "engine/EngineView.h"
#include "text/PageCodec.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QPaintEvent>
#include <QEventLoop>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QAccessible>
#include <QWebEnginePage>
#include <QWebEngineScript>
#include <QWebEngineView>

#include <algorithm>
#include <ctime>
#include <cstdio>
#include <functional>
#include <unistd.h>
#include <vector>

namespace {

using Figures = QMap<QString, QString>;

QElapsedTimer clockSince;

// CPU time of the calling thread: the work itself, whatever else the
// machine is doing.
double threadCpuMs()
{
    timespec ts{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &ts);
    return ts.tv_sec * 1e3 + ts.tv_nsec / 1e6;
}

double msSince(const QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

// ---- pages -----------------------------------------------------------------

QString pageHead()
{
    return QStringLiteral("<!DOCTYPE html>\n<html><head><title>基准页面</title>\n"
                          "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"></head><body>\n");
}

// Paragraphs with some formatting, Chinese and Latin text, a small table now
// and then: a long exported document.
QString makePage(qsizetype gbkBytes, bool wrapped = false)
{
    // Word processors wrap the whole page in one element.
    QString page = pageHead() + (wrapped ? QStringLiteral("<div class=\"WordSection1\">\n") : QString());
    qsizetype bytes = page.size() + 64;
    for (int i = 0; bytes < gbkBytes; ++i) {
        QString block = QStringLiteral("<p>第%1段：网页编辑器把<b>粗体</b>、<i>斜体</i>和<font color=\"#ff0000\">颜色</font>"
                                       "写进页面。The quick brown fox jumps over the lazy dog %1.</p>\n")
                            .arg(i);
        if (i % 50 == 49)
            block += QStringLiteral("<table border=\"1\"><tr><td>甲</td><td>乙</td></tr>"
                                    "<tr><td>丙</td><td>丁</td></tr></table>\n");
        // Chinese characters take two bytes in GBK, the rest one.
        for (QChar c : block)
            bytes += c.unicode() < 0x80 ? 1 : 2;
        page += block;
    }
    return page + (wrapped ? QStringLiteral("</div>") : QString()) + QStringLiteral("</body></html>\n");
}

QString makeNestedPage(int depth)
{
    QString page = pageHead();
    page.reserve(page.size() + depth * 12 + 64);
    for (int i = 0; i < depth; ++i)
        page += QStringLiteral("<div>");
    page += QStringLiteral("最里面");
    for (int i = 0; i < depth; ++i)
        page += QStringLiteral("</div>");
    return page + QStringLiteral("</body></html>\n");
}

// ---- the process tree's memory ----------------------------------------------

qint64 statusField(const QString &pid, const char *field)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith(field))
            return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// The process tree: this process and every process descended from it (the
// engine's zygote, renderer, GPU and utility processes).
QStringList processTree()
{
    QMap<QString, QString> parentOf;
    for (const QString &pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs)) {
        if (!pid.at(0).isDigit())
            continue;
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray stat = f.readAll();
        const int close = stat.lastIndexOf(')');
        const QList<QByteArray> rest = stat.mid(close + 2).split(' ');
        if (rest.size() > 1)
            parentOf.insert(pid, QString::fromLatin1(rest.at(1)));
    }
    QStringList tree{QString::number(QCoreApplication::applicationPid())};
    for (int i = 0; i < tree.size(); ++i)
        for (auto it = parentOf.cbegin(); it != parentOf.cend(); ++it)
            if (it.value() == tree.at(i))
                tree << it.key();
    return tree;
}

// CPU time, in ms, that the whole process tree has used so far: on a
// machine shared with other work this says more than the wall clock.
double treeCpuMs()
{
    static const double tick = double(sysconf(_SC_CLK_TCK));
    double ticks = 0;
    for (const QString &pid : processTree()) {
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray stat = f.readAll();
        const QList<QByteArray> rest = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        if (rest.size() > 12)
            ticks += rest.at(11).toDouble() + rest.at(12).toDouble(); // utime, stime
    }
    return ticks * 1000.0 / tick;
}

// Each process's CPU time so far, for seeing which of them did the work.
void printCpuByProcess(const char *when)
{
    static const double tick = double(sysconf(_SC_CLK_TCK));
    for (const QString &pid : processTree()) {
        QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        const QByteArray stat = f.readAll();
        const QList<QByteArray> rest = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
        QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid));
        cmd.open(QIODevice::ReadOnly);
        const QByteArray type = cmd.readAll().replace('\0', ' ');
        const int at = type.indexOf("--type=");
        if (rest.size() > 12)
            std::fprintf(stderr, "%s: cpu %8.0f ms  %s\n", when,
                         (rest.at(11).toDouble() + rest.at(12).toDouble()) * 1000.0 / tick,
                         at < 0 ? "program" : type.mid(at, type.indexOf(' ', at) - at).constData());
    }
}

// The peak resident memory, in KB, of this process and every process
// descended from it (the engine's zygote, renderer, GPU and utility
// processes), each process's own peak summed.
qint64 treePeakKb()
{
    qint64 kb = 0;
    for (const QString &pid : processTree()) {
        const qint64 peak = statusField(pid, "VmHWM:");
        kb += peak;
        if (qEnvironmentVariableIsSet("BENCH_SPLIT") && peak > 50 * 1024) {
            QFile cmd(QStringLiteral("/proc/%1/cmdline").arg(pid));
            cmd.open(QIODevice::ReadOnly);
            const QByteArray line = cmd.readAll().replace('\0', ' ');
            std::fprintf(stderr, "peak %7.1f MB, now %7.1f MB  %s\n", peak / 1024.0, statusField(pid, "VmRSS:") / 1024.0, line.left(100).constData());
        }
    }
    return kb;
}

// The nodes of the accessibility tree under a widget, as a screen reader
// would find them walking it.
int accessibleNodes(QObject *root)
{
    int count = 0;
    std::vector<QAccessibleInterface *> open{QAccessible::queryAccessibleInterface(root)};
    while (!open.empty()) {
        QAccessibleInterface *node = open.back();
        open.pop_back();
        if (!node)
            continue;
        ++count;
        for (int i = 0, n = node->childCount(); i < n; ++i)
            open.push_back(node->child(i));
    }
    return count;
}

// ---- waiting for the engine --------------------------------------------------

void waitLoaded(QWebEnginePage *page, const std::function<void()> &start)
{
    QEventLoop loop;
    auto c = QObject::connect(page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
    start();
    loop.exec();
    QObject::disconnect(c);
}

QVariant runIn(QWebEnginePage *page, const QString &script)
{
    QVariant answer;
    QEventLoop loop;
    page->runJavaScript(script, QWebEngineScript::ApplicationWorld, [&](const QVariant &v) {
        answer = v;
        loop.quit();
    });
    loop.exec();
    return answer;
}

// Waits until the engine has drawn a frame after now: two animation frames
// have passed, so that the first one's layout and painting are done.
void waitFrame(const std::function<QVariant(const QString &)> &run)
{
    run(QStringLiteral("window.__framed = false; requestAnimationFrame(function () {"
                       " requestAnimationFrame(function () { window.__framed = true; }); }); true;"));
    while (!run(QStringLiteral("window.__framed === true;")).toBool())
        QTest::qWait(5);
}

// Waits until the whole process tree has stopped using the processor (under
// a tenth of a core) for two seconds: the page is laid out, its
// accessibility tree built and sent (the engine sends it some time after the
// load), nothing left to do. The time from t until the quiet stretch began.
double waitIdle(const QElapsedTimer &t)
{
    double quietSince = msSince(t);
    int quietSteps = 0;
    while (quietSteps < 8 && t.elapsed() < 300000) {
        const double before = treeCpuMs();
        QTest::qWait(250);
        if (treeCpuMs() - before < 25) {
            ++quietSteps;
        } else {
            quietSteps = 0;
            quietSince = msSince(t);
        }
    }
    return quietSince;
}

// For finding where the engine spends its time by hand: scripts in
// BENCH_EXP (separated by ";;") run one after another on the loaded page,
// each timed until it answers and until the next frame is drawn.
void runExperiments(const std::function<QVariant(const QString &)> &run)
{
    QElapsedTimer t;
    for (const QString &step : qEnvironmentVariable("BENCH_EXP").split(QStringLiteral(";;"), Qt::SkipEmptyParts)) {
        t.start();
        const QVariant v = run(step);
        const double ran = msSince(t);
        waitFrame(run);
        std::fprintf(stderr, "%-60s answered %8.1f ms, drawn %8.1f ms -> %s\n", qPrintable(step.left(60)), ran,
                     msSince(t), qPrintable(v.toString().left(80)));
    }
}

// ---- children ------------------------------------------------------------------

// With a screen reader's session the bridge to it comes up a moment after
// the program starts; a view made before it would build no accessibility
// tree for its page. Both children wait for it, so that both pay for it.
void waitForScreenReaderBridge()
{
    if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        (void)QTest::qWaitFor([] { return QAccessible::isActive(); }, 20000);
}

void say(const QByteArray &key, double value)
{
    std::printf("%s=%.1f\n", key.constData(), value);
    std::fflush(stdout);
}

void sayText(const char *key, const QString &value)
{
    std::printf("%s=%s\n", key, qPrintable(QString(value).replace(QLatin1Char('\n'), QLatin1Char(' '))));
    std::fflush(stdout);
}

void sayDesignKeys(QWidget *input, const std::function<quint64()> &changes);

// A plain web view loads the file and shows it; then the page is made
// editable and typed into, for the engine's own cost of a key.
int bareChild(const QString &file)
{
    waitForScreenReaderBridge();
    QWebEngineView view;
    view.resize(1400, 850);
    view.show();
    (void)QTest::qWaitForWindowExposed(&view);
    waitLoaded(view.page(), [&] { view.load(QUrl(QStringLiteral("about:blank"))); });
    // As in the editor (and in a browser a screen reader user reads a page
    // in): the view has the keyboard, and the screen reader has met its
    // window.
    view.activateWindow();
    view.setFocus();
    (void)QTest::qWaitForWindowActive(&view);
    accessibleNodes(&view);
    QTest::qWait(300);
    if (qEnvironmentVariableIsSet("BENCH_SPLIT"))
        printCpuByProcess("before");
    QElapsedTimer t;
    t.start();
    const double cpu0 = treeCpuMs();
    waitLoaded(view.page(), [&] { view.load(QUrl::fromLocalFile(file)); });
    const auto run = [&](const QString &s) { return runIn(view.page(), s); };
    waitFrame(run);
    say("load", msSince(t));
    say("loadcpu", treeCpuMs() - cpu0);
    say("idle", waitIdle(t));
    say("idlecpu", treeCpuMs() - cpu0);
    say("a11y", QAccessible::isActive() ? 1 : 0);
    if (qEnvironmentVariableIsSet("BENCH_SPLIT"))
        printCpuByProcess("idle");
    runExperiments(run);
    QTest::qWait(200);
    say("peak", treePeakKb() / 1024.0);
    if (QAccessible::isActive())
        say("nodes", accessibleNodes(&view));
    run(QStringLiteral("document.designMode = 'on'; window.__changes = 0;"
                       " new MutationObserver(function () { window.__changes++; }).observe(document.documentElement,"
                       " {subtree: true, childList: true, characterData: true});"
                       " document.body.focus(); document.getSelection().collapse(document.body, 0); true;"));
    QWidget *input = view.focusProxy() ? view.focusProxy() : &view;
    input->setFocus();
    sayDesignKeys(input, [&] { return run(QStringLiteral("window.__changes;")).toULongLong(); });
    return 0;
}

struct KeyFigures {
    double median = 0, worst = 0; // a key until drawn, wall clock
    double cpuMedian = 0, cpuWorst = 0; // the same in the program's own CPU time
    double stall = 0; // the longest the event loop was busy between keys
};

// Notes when a widget has been painted.
class PaintWatch : public QObject {
public:
    bool painted = false;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            painted = true;
            if (qEnvironmentVariableIsSet("BENCH_SPLIT"))
                std::fprintf(stderr, "  paint rect h=%d\n", static_cast<QPaintEvent *>(event)->rect().height());
        }
        return false;
    }
};

// The longest stretch, in milliseconds, during which the event loop could not
// have taken a key, over the given time.
double longestStall(int forMs)
{
    QElapsedTimer t, gap;
    t.start();
    gap.start();
    double worst = 0;
    QTimer tick;
    tick.setInterval(0);
    QObject::connect(&tick, &QTimer::timeout, [&] {
        worst = std::max(worst, msSince(gap));
        gap.restart();
    });
    tick.start();
    while (t.elapsed() < forMs)
        QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
    return worst;
}

KeyFigures summary(std::vector<double> wall, std::vector<double> cpu, double stall)
{
    std::sort(wall.begin(), wall.end());
    std::sort(cpu.begin(), cpu.end());
    return {wall[wall.size() / 2], wall.back(), cpu[cpu.size() / 2], cpu.back(), stall};
}

// Types keys at a place in the code view; each key counts until the editor
// has taken it in and drawn what changed.
KeyFigures typeInCode(codeview::CodeEditor &code, long position, int keys)
{
    // On a character boundary: a byte inside a character is no place a user could type at.
    code.setCurrentPosition(code.send(2418 /*SCI_POSITIONAFTER*/, std::max(0L, position - 1)));
    code.send(2169 /*SCI_SCROLLCARET*/);
    if (qEnvironmentVariableIsSet("BENCH_SPLIT"))
        std::fprintf(stderr, "accessibility active: %d\n", int(QAccessible::isActive()));
    longestStall(300);
    PaintWatch watch;
    code.viewport()->installEventFilter(&watch);
    std::vector<double> wall, cpu;
    double stall = 0;
    const QByteArray typed = qEnvironmentVariableIsSet("BENCH_TYPED") ? qgetenv("BENCH_TYPED") : QByteArray("<table x");
    for (int i = 0; i < keys; ++i) {
        const char c = typed.at(i % typed.size());
        if (c == ' ')
            code.send(2101 /*SCI_AUTOCCANCEL*/);
        QElapsedTimer t;
        t.start();
        const double cpu0 = threadCpuMs();
        watch.painted = false;
        QTest::keyClick(&code, c);
        while (!watch.painted && t.elapsed() < 2000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        QCoreApplication::processEvents(); // the painted frame goes to the screen
        wall.push_back(msSince(t));
        cpu.push_back(threadCpuMs() - cpu0);
        // What the editor does after the key (background styling, wrapping)
        // would hold up the next one.
        const double after = longestStall(40);
        stall = std::max(stall, after);
        if (qEnvironmentVariableIsSet("BENCH_SPLIT"))
            std::fprintf(stderr, "key %.1f ms, cpu %.1f ms, stall after %.1f ms\n", wall.back(), cpu.back(), after);
    }
    code.send(2101 /*SCI_AUTOCCANCEL*/);
    code.viewport()->removeEventFilter(&watch);
    return summary(wall, cpu, stall);
}

// Keys typed into a page once the first key's work is done: each until the
// view has painted a frame with the page's change in it (a frame of the
// caret's blinking that came first does not count), and what the program
// still did after it (the accessibility tree's update comes after the frame).
void sayDesignKeys(QWidget *input, const std::function<quint64()> &changes)
{
    longestStall(300);
    PaintWatch watch;
    input->installEventFilter(&watch);
    std::vector<double> wall, cpu;
    double stall = 0;
    for (int i = 0; i < 15; ++i) {
        const quint64 count = changes();
        QTest::qWait(50);
        QElapsedTimer t;
        t.start();
        const double cpuStart = treeCpuMs();
        watch.painted = false;
        QTest::keyClick(input, Qt::Key(Qt::Key_B + i % 20));
        while (!watch.painted && t.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents);
        const double drawn = msSince(t);
        const double drawnCpu = treeCpuMs() - cpuStart;
        if (changes() == count || !watch.painted)
            continue;
        wall.push_back(drawn);
        cpu.push_back(drawnCpu);
        stall = std::max(stall, longestStall(150));
    }
    input->removeEventFilter(&watch);
    if (wall.empty())
        return;
    const KeyFigures keys = summary(wall, cpu, stall);
    say("designkeymedian", keys.median);
    say("designkeyworst", keys.worst);
    say("designkeycpumedian", keys.cpuMedian);
    say("designkeystall", keys.stall);
}

int editorChild(const QString &file, bool full, bool codeOnly, bool selectAll)
{
    waitForScreenReaderBridge();
    ScriptedPrompter prompter;
    codeview::LexerConfig lexer;
    app::MainWindow window(lexer);
    window.resize(1400, 850);
    window.show();
    (void)QTest::qWaitForWindowExposed(&window);
    window.initialise();
    if (auto *w = window.initialisingWindow())
        w->close();
    engine::EngineView &design = *window.designView();
    codeview::CodeEditor &code = *window.codeView();
    const auto run = [&](const QString &s) { return design.evaluate(s); };
    QTest::qWait(300);

    prompter.fileNames.enqueue(file);
    if (qEnvironmentVariableIsSet("BENCH_SPLIT"))
        printCpuByProcess("before");
    QElapsedTimer t;
    t.start();
    double cpu0 = treeCpuMs();
    window.router().run(commands::CommandId::OpenPage);
    say("open", msSince(t));
    waitFrame(run);
    say("visible", msSince(t));
    say("visiblecpu", treeCpuMs() - cpu0);
    say("idle", waitIdle(t));
    say("idlecpu", treeCpuMs() - cpu0);
    say("openpeak", treePeakKb() / 1024.0);
    say("a11y", QAccessible::isActive() ? 1 : 0);
    if (qEnvironmentVariableIsSet("BENCH_SPLIT"))
        printCpuByProcess("idle");
    for (const ShownMessage &m : prompter.messages)
        sayText("message", m.text);
    prompter.messages.clear();
    runExperiments(run);

    // The first key typed into the page.
    window.activateWindow();
    (void)QTest::qWaitForWindowActive(&window);
    design.focusPage();
    (void)QTest::qWaitFor([&] { return design.evaluate(QStringLiteral("document.hasFocus();")).toBool(); }, 60000);
    const quint64 before = design.changeCount();
    t.restart();
    QTest::keyClick(design.inputWidget(), Qt::Key_A);
    while (design.changeCount() == before && msSince(t) < 120000)
        QTest::qWait(1);
    waitFrame(run);
    say("designkey", msSince(t));
    sayDesignKeys(design.inputWidget(), [&] { return design.changeCount(); });

    if (full && !codeOnly) {
        // To the end of the page, as Ctrl+End does, and drawn there.
        // The key reaches the page's renderer later than the script calls
        // that follow it: wait until the view stands at the end (at once
        // when the page is no taller than the view).
        const auto atEnd = [&] {
            return run(QStringLiteral("var s = document.scrollingElement;"
                                      "s.scrollTop + window.innerHeight >= s.scrollHeight - 2;"))
                .toBool();
        };
        t.restart();
        QTest::keyClick(design.inputWidget(), Qt::Key_End, Qt::ControlModifier);
        while (!atEnd() && msSince(t) < 120000)
            QTest::qWait(5);
        waitFrame(run);
        say("end", msSince(t));
        say("atend", atEnd() ? 1 : 0);
        if (selectAll) {
            t.restart();
            design.RangeCommand(engine::RangeAction::SelectAll);
            waitFrame(run);
            say("selectall", msSince(t));
        }
        design.evaluate(QStringLiteral("zelvo.caretToStart(); true;"));
    }
    if (full) {
        t.restart();
        window.router().run(commands::CommandId::CodeView);
        code.viewport()->repaint();
        say("tocode", msSince(t));
        if (qEnvironmentVariableIsSet("BENCH_SPLIT")) {
            // What the processes still do after the switch, before any key.
            const double cpuAfter = treeCpuMs(), threadAfter = threadCpuMs();
            QElapsedTimer settle;
            settle.start();
            std::fprintf(stderr, "after the switch: idle after %.0f ms, program thread %.0f ms, all %.0f ms CPU\n",
                         waitIdle(settle), threadCpuMs() - threadAfter, treeCpuMs() - cpuAfter);
        }

        for (const QString &m : qEnvironmentVariable("BENCH_SCI").split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
            const QStringList p = m.split(QLatin1Char(':'));
            code.send(p.value(0).toUInt(), p.value(1).toULong(), p.value(2).toLong());
        }
        if (qEnvironmentVariableIsSet("BENCH_NOFOLD"))
            code.sendTexts(4004 /*SCI_SETPROPERTY*/, "fold", "0");
        if (qEnvironmentVariableIsSet("BENCH_FONT")) {
            const QByteArray font = qgetenv("BENCH_FONT");
            for (int st = 0; st < 128; ++st)
                code.sendText(2056 /*SCI_STYLESETFONT*/, st, font.constData());
        }
        if (qEnvironmentVariableIsSet("BENCH_SPLIT")) {
            code.setCurrentPosition(code.length() / 2);
            code.send(2169);
            for (int i = 0; i < 5; ++i) {
                QElapsedTimer r;
                r.start();
                code.viewport()->repaint();
                std::fprintf(stderr, "unchanged repaint %.1f\n", msSince(r));
            }
        }
        codeview::CodeEditor *alone = nullptr;
        codeview::LexerConfig aloneConfig;
        if (qEnvironmentVariableIsSet("BENCH_STANDALONE")) {
            alone = new codeview::CodeEditor;
            codeview::ConfigureCodeEditor(*alone, aloneConfig);
            alone->resize(1400, 800);
            alone->show();
            (void)QTest::qWaitForWindowExposed(alone);
            alone->loadText(code.text());
        }
        codeview::CodeEditor &code = alone ? *alone : window.codeView()[0];
        const long length = code.length();
        const int perPlace = qEnvironmentVariableIntValue("BENCH_KEYS") > 0 ? qEnvironmentVariableIntValue("BENCH_KEYS") : 30;
        // Keys at the start, middle and end: right after the switch, while
        // the editor still wraps the document's lines in the background, and
        // again once it has finished.
        const auto typeAtThreePlaces = [&](const char *prefix) {
            KeyFigures keys[3] = {typeInCode(code, 200, perPlace), typeInCode(code, length / 2, perPlace),
                                  typeInCode(code, code.length() - 20, perPlace)};
            KeyFigures all;
            for (const KeyFigures &k : keys) {
                all.median = std::max(all.median, k.median);
                all.worst = std::max(all.worst, k.worst);
                all.cpuMedian = std::max(all.cpuMedian, k.cpuMedian);
                all.cpuWorst = std::max(all.cpuWorst, k.cpuWorst);
                all.stall = std::max(all.stall, k.stall);
            }
            const QByteArray p(prefix);
            say(p + "median", all.median);
            say(p + "worst", all.worst);
            say(p + "cpumedian", all.cpuMedian);
            say(p + "cpuworst", all.cpuWorst);
            say(p + "stall", all.stall);
        };
        const QString shown = code.text();
        typeAtThreePlaces("key");
        // The background work ends when the program stops using the processor.
        QElapsedTimer w;
        w.start();
        for (;;) {
            const double before = threadCpuMs();
            QTest::qWait(200);
            if (threadCpuMs() - before < 20 || w.elapsed() > 120000)
                break;
        }
        say("wrapped", msSince(w));
        typeAtThreePlaces("settledkey");
        // The keys typed above ("<table x" over and over) would leave a page
        // of unclosed tables: they are undone, and the edit the switch
        // carries is a word typed into a paragraph of the page as it was.
        for (int undo = 0; undo < 1000 && code.text() != shown; ++undo)
            code.send(2176 /*SCI_UNDO*/);
        qsizetype word = shown.indexOf(QStringLiteral("quick"), shown.size() / 2);
        if (word < 0)
            word = shown.size(); // a page without paragraphs (the nested ones): at its end
        code.setCurrentPosition(long(shown.left(word).toUtf8().size()));
        QTest::keyClicks(&code, QStringLiteral("Zelvo "));
        QCoreApplication::processEvents();

        t.restart();
        cpu0 = treeCpuMs();
        window.router().run(commands::CommandId::DesignView);
        waitFrame(run);
        say("todesign", msSince(t));
        say("todesigncpu", treeCpuMs() - cpu0);

        t.restart();
        window.router().run(commands::CommandId::SavePage);
        say("save", msSince(t));
        for (const ShownMessage &m : prompter.messages)
            sayText("message", m.text);
    }
    QTest::qWait(200);
    say("peak", treePeakKb() / 1024.0);
    if (QAccessible::isActive())
        say("nodes", accessibleNodes(&design));
    // No questions at the end.
    prompter.buttons.enqueue(QMessageBox::No);
    return 0;
}

// ---- the parent -----------------------------------------------------------------

Figures runChild(const QStringList &args)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    child.start(QCoreApplication::applicationFilePath(), QStringList{QStringLiteral("--child")} + args);
    child.waitForFinished(-1);
    Figures figures;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const int eq = line.indexOf('=');
        if (eq > 0) {
            const QString key = QString::fromUtf8(line.left(eq));
            const QString value = QString::fromUtf8(line.mid(eq + 1));
            figures.insert(key, figures.contains(key) ? figures.value(key) + QStringLiteral(" / ") + value : value);
        }
    }
    return figures;
}

double number(const Figures &f, const char *key)
{
    return f.value(QLatin1String(key)).toDouble();
}

void row(const char *what, double ms, double bareMs)
{
    std::printf("  %-46s %10.0f ms   %5.2fx the bare engine's %.0f ms\n", what, ms, ms / bareMs, bareMs);
}

// The same in CPU time of the whole process tree, which other work on the
// machine does not stretch.
void cpuRow(const char *what, double ms, double bareMs)
{
    std::printf("  %-46s %10.0f ms   %5.2fx the bare engine's %.0f ms (CPU time of all processes)\n", what, ms,
                ms / bareMs, bareMs);
}

QString writeFile(QTemporaryDir &dir, const QString &name, const QString &page)
{
    const QString path = dir.filePath(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text::encodePage(page, text::gbkEncoding()));
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    clockSince.start();
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args.at(1) == QLatin1String("--child")) {
        if (args.at(2) == QLatin1String("bare"))
            return bareChild(args.at(3));
        return editorChild(args.at(3), args.contains(QStringLiteral("--full")),
                           args.contains(QStringLiteral("--code-only")),
                           !args.contains(QStringLiteral("--no-select-all")));
    }
    if (args.size() >= 4 && args.at(1) == QLatin1String("--make-page")) {
        // A page file for trying one child by hand: --make-page <bytes|nested:N> <path>
        const QString kind = args.at(2);
        QFile f(args.at(3));
        f.open(QIODevice::WriteOnly);
        f.write(text::encodePage(kind.startsWith(QLatin1String("nested:")) ? makeNestedPage(kind.mid(7).toInt())
                                                                            : makePage(kind.toLongLong()),
                                 text::gbkEncoding()));
        return 0;
    }
    const bool quick = args.contains(QStringLiteral("--quick"));
    const bool fifty = !quick && !args.contains(QStringLiteral("--no-50"));

    QTemporaryDir dir;
    std::printf("Large pages (each figure from a fresh process; peak memory summed over the process tree)\n");
    if (qEnvironmentVariableIsSet("QT_LINUX_ACCESSIBILITY_ALWAYS_ON"))
        std::printf("Accessibility on for the editor and the bare engine view alike\n");

    struct Size { const char *name; qsizetype bytes; };
    std::vector<Size> sizes = {{"1 MB", 1 << 20}, {"10 MB", 10 << 20}};
    if (quick)
        sizes.pop_back();
    for (const Size &size : sizes) {
        const QString file = writeFile(dir, QStringLiteral("page.htm"), makePage(size.bytes));
        std::printf("%s page (%lld bytes)\n", size.name, static_cast<long long>(QFile(file).size()));
        const Figures bare = runChild({QStringLiteral("bare"), file});
        const Figures ed = runChild({QStringLiteral("editor"), file, QStringLiteral("--full")});
        const double load = number(bare, "load");
        row("open until shown", number(ed, "visible"), load);
        cpuRow("open until shown", number(ed, "visiblecpu"), number(bare, "loadcpu"));
        row("open command returned", number(ed, "open"), load);
        row("open until idle", number(ed, "idle"), number(bare, "idle"));
        cpuRow("open until idle", number(ed, "idlecpu"), number(bare, "idlecpu"));
        std::printf("  %-46s %10.0f ms\n", "first key typed into the page", number(ed, "designkey"));
        std::printf("  %-46s median %6.1f ms, worst %6.1f ms (CPU of all processes %.1f ms); longest stall after a key %.1f ms\n",
                    "design view keystroke until drawn", number(ed, "designkeymedian"), number(ed, "designkeyworst"),
                    number(ed, "designkeycpumedian"), number(ed, "designkeystall"));
        std::printf("  %-46s median %6.1f ms, worst %6.1f ms (CPU of all processes %.1f ms)\n",
                    "  the bare engine's, the page made editable", number(bare, "designkeymedian"),
                    number(bare, "designkeyworst"), number(bare, "designkeycpumedian"));
        std::printf("  %-46s %10.0f ms  (%s)\n", "Ctrl+End, drawn at the end", number(ed, "end"),
                    number(ed, "atend") > 0 ? "at the end" : "NOT at the end");
        std::printf("  %-46s %10.0f ms\n", "select all", number(ed, "selectall"));
        row("design -> code", number(ed, "tocode"), load);
        std::printf("  %-46s median %6.1f ms, worst %6.1f ms (CPU %.1f, %.1f ms); longest stall between keys %.1f ms\n",
                    "code view keystroke until drawn", number(ed, "keymedian"), number(ed, "keyworst"),
                    number(ed, "keycpumedian"), number(ed, "keycpuworst"), number(ed, "keystall"));
        std::printf("  %-46s %10.0f ms\n", "code view: wrapping the lines in the background", number(ed, "wrapped"));
        std::printf("  %-46s median %6.1f ms, worst %6.1f ms (CPU %.1f, %.1f ms); longest stall between keys %.1f ms\n",
                    "code view keystroke after that", number(ed, "settledkeymedian"), number(ed, "settledkeyworst"),
                    number(ed, "settledkeycpumedian"), number(ed, "settledkeycpuworst"), number(ed, "settledkeystall"));
        row("code -> design after an edit, until shown", number(ed, "todesign"), load);
        cpuRow("code -> design after an edit, until shown", number(ed, "todesigncpu"), number(bare, "loadcpu"));
        row("save", number(ed, "save"), load);
        std::printf("  %-46s %10.0f MB   %5.2fx the bare engine's %.0f MB\n", "peak memory, the open", number(ed, "openpeak"),
                    number(ed, "openpeak") / number(bare, "peak"), number(bare, "peak"));
        std::printf("  %-46s %10.0f MB   %5.2fx the bare engine's %.0f MB\n", "peak memory, all of the above", number(ed, "peak"),
                    number(ed, "peak") / number(bare, "peak"), number(bare, "peak"));
        if (ed.contains(QStringLiteral("message")))
            std::printf("  messages: %s\n", qPrintable(ed.value(QStringLiteral("message"))));
        std::printf("  accessibility active: editor %s, bare engine view %s\n", number(ed, "a11y") > 0 ? "yes" : "no",
                    number(bare, "a11y") > 0 ? "yes" : "no");
        if (ed.contains(QStringLiteral("nodes")))
            std::printf("  %-46s %10.0f in the editor, %.0f in the bare engine view\n",
                        "nodes of the page's accessibility tree", number(ed, "nodes"), number(bare, "nodes"));
    }

    if (!quick && !args.contains(QStringLiteral("--no-wrapped"))) {
        const QString file = writeFile(dir, QStringLiteral("page.htm"), makePage(10 << 20, true));
        std::printf("10 MB page wrapped in one element, as word processors write it (%lld bytes)\n",
                    static_cast<long long>(QFile(file).size()));
        const Figures bare = runChild({QStringLiteral("bare"), file});
        const Figures ed = runChild({QStringLiteral("editor"), file});
        row("open until shown", number(ed, "visible"), number(bare, "load"));
        std::printf("  %-46s %10.0f ms\n", "first key typed into the page", number(ed, "designkey"));
    }

    for (int depth : {10000, 100000}) {
        if ((quick || args.contains(QStringLiteral("--no-deep"))) && depth > 10000)
            break;
        const QString file = writeFile(dir, QStringLiteral("nested.htm"), makeNestedPage(depth));
        std::printf("%d nested div elements (%lld bytes)\n", depth, static_cast<long long>(QFile(file).size()));
        const Figures bare = runChild({QStringLiteral("bare"), file});
        // Selecting all of it is the engine's own work, minutes at 100,000 levels.
        const Figures ed = runChild({QStringLiteral("editor"), file, QStringLiteral("--full"),
                                     QStringLiteral("--no-select-all")});
        const double load = number(bare, "load");
        row("open until shown", number(ed, "visible"), load);
        cpuRow("open until shown", number(ed, "visiblecpu"), number(bare, "loadcpu"));
        std::printf("  %-46s %10.0f ms\n", "first key typed into the page", number(ed, "designkey"));
        row("design -> code", number(ed, "tocode"), load);
        std::printf("  %-46s median %6.1f ms, worst %6.1f ms\n", "code view keystroke until drawn",
                    number(ed, "keymedian"), number(ed, "keyworst"));
        row("code -> design after an edit, until shown", number(ed, "todesign"), load);
        row("save", number(ed, "save"), load);
        std::printf("  %-46s %10.0f MB   %5.2fx the bare engine's %.0f MB\n", "peak memory", number(ed, "peak"),
                    number(ed, "peak") / number(bare, "peak"), number(bare, "peak"));
        std::printf("  messages: %s\n", ed.contains(QStringLiteral("message"))
                                            ? qPrintable(ed.value(QStringLiteral("message")))
                                            : "(none)");
    }

    if (fifty) {
        const QString file = writeFile(dir, QStringLiteral("page.htm"), makePage(50 << 20));
        std::printf("50 MB page (%lld bytes)\n", static_cast<long long>(QFile(file).size()));
        const Figures bare = runChild({QStringLiteral("bare"), file});
        const Figures ed = runChild({QStringLiteral("editor"), file});
        const double load = number(bare, "load");
        row("open until shown", number(ed, "visible"), load);
        cpuRow("open until shown", number(ed, "visiblecpu"), number(bare, "loadcpu"));
        std::printf("  %-46s %10.0f ms\n", "first key typed into the page", number(ed, "designkey"));
        std::printf("  %-46s %10.0f MB   %5.2fx the bare engine's %.0f MB\n", "peak memory", number(ed, "peak"),
                    number(ed, "peak") / number(bare, "peak"), number(bare, "peak"));
    }
    return 0;
}
