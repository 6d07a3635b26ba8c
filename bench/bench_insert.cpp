// Figures for the table builder: building square tables up to 1000 x 1000
// cells, and putting each into a page through the insertion path
// (EngineView::PasteHtml), against the engine's own parse of the same markup:
// a bare web view loading a page that holds the table from a file, and the
// editor writing that page whole (EngineView::WriteDocument). Each engine
// figure includes laying the table out, and comes from a fresh process with a
// time limit, so that an engine that gives up on a table shows as such.
//
//   xvfb-run -a build/bench/bench_insert [--quick] [--side N]
#include "TestSupport.h"
#include "engine/EngineView.h"
#include "insert/Tables.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>
#include <optional>

namespace {

double ms(const QElapsedTimer &t) { return t.nsecsElapsed() / 1e6; }

constexpr int kLimitMs = 5 * 60 * 1000;
const QString kPageStart = QStringLiteral("<html><head><title>t</title></head><body><p>ab</p>");
const QString kPageEnd = QStringLiteral("</body></html>");
const QString kLaidOut = QStringLiteral("document.body.offsetHeight; document.getElementsByTagName('td').length;");

QString tableOf(int side)
{
    insert::TableFields fields;
    fields.rows = fields.columns = QString::number(side);
    return insert::TableMarkup(fields);
}

// A bare page: waits for the load or the script's answer, or for the render
// process to end.
std::optional<QVariant> wait(QWebEnginePage *page, const std::function<void(QEventLoop &, QVariant &)> &start)
{
    QEventLoop loop;
    QVariant answer;
    bool ended = false;
    auto c = QObject::connect(page, &QWebEnginePage::renderProcessTerminated, &loop, [&] {
        ended = true;
        loop.quit();
    });
    QTimer::singleShot(kLimitMs, &loop, &QEventLoop::quit);
    start(loop, answer);
    loop.exec();
    QObject::disconnect(c);
    if (ended || !answer.isValid())
        return std::nullopt;
    return answer;
}

// One engine figure in this process: milliseconds, or -1 when the engine
// did not get there.
double measure(const QString &method, int side)
{
    const QString fragment = tableOf(side);
    const QString page = kPageStart + fragment + kPageEnd;
    QElapsedTimer t;
    if (method == QLatin1String("load")) {
        QTemporaryDir dir;
        const QString file = dir.filePath(QStringLiteral("table.htm"));
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(page.toUtf8());
        f.close();
        QWebEngineView plain;
        plain.resize(1200, 800);
        plain.show();
        QWebEnginePage *p = plain.page();
        t.start();
        if (!wait(p, [&](QEventLoop &loop, QVariant &answer) {
                QObject::connect(p, &QWebEnginePage::loadFinished, &loop, [&](bool ok) {
                    answer = ok;
                    loop.quit();
                });
                plain.load(QUrl::fromLocalFile(file));
            }))
            return -1;
        const auto cells = wait(p, [&](QEventLoop &loop, QVariant &answer) {
            p->runJavaScript(kLaidOut, [&](const QVariant &v) {
                answer = v;
                loop.quit();
            });
        });
        return cells && cells->toInt() == side * side ? ms(t) : -1;
    }

    engine::EngineView view;
    view.resize(1200, 800);
    view.show();
    view.Navigate(QStringLiteral("about:blank"));
    view.SetEditMode(true);
    if (method == QLatin1String("paste")) {
        view.WriteDocument(kPageStart + kPageEnd);
        view.evaluate(QStringLiteral("getSelection().collapse(document.querySelector('p').firstChild, 1); true;"));
        t.start();
        if (!view.PasteHtml(fragment))
            return -1;
    } else {
        t.start();
        if (!view.WriteDocument(page))
            return -1;
    }
    return view.evaluate(kLaidOut, kLimitMs).toInt() == side * side ? ms(t) : -1;
}

QString inChild(const QString &method, int side)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), method, QString::number(side)});
    if (!child.waitForFinished(kLimitMs + 60000)) {
        child.kill();
        child.waitForFinished();
        return QStringLiteral("time out");
    }
    const double value = child.readAllStandardOutput().trimmed().toDouble();
    return value > 0 ? QString::number(value, 'f', 0) : QStringLiteral("gave up");
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 4 && args.at(1) == QLatin1String("--child")) {
        std::printf("%.1f\n", measure(args.at(2), args.at(3).toInt()));
        return 0;
    }

    QList<int> sides = {100, 316, 500, 707, 1000};
    if (args.contains(QStringLiteral("--quick")))
        sides = {100, 316};
    const int only = args.indexOf(QStringLiteral("--side"));
    if (only > 0 && only + 1 < args.size())
        sides = {args.at(only + 1).toInt()};

    std::printf("Tables of side x side cells; engine figures include the layout (ms)\n");
    std::printf("%-11s %9s %10s %12s %14s %14s\n", "table", "MB", "build ms", "PasteHtml", "bare load", "WriteDocument");
    for (int side : sides) {
        QElapsedTimer t;
        t.start();
        const QString fragment = tableOf(side);
        const double build = ms(t);
        std::printf("%4d x %-4d %9.1f %10.1f", side, side, fragment.size() * 2 / 1048576.0, build);
        std::fflush(stdout);
        for (const char *method : {"paste", "load", "write"}) {
            std::printf(" %*s", method[0] == 'p' ? 12 : 14, qPrintable(inChild(QString::fromLatin1(method), side)));
            std::fflush(stdout);
        }
        std::printf("\n");
    }
    return 0;
}
