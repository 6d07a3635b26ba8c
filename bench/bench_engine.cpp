// Figures for the engine layer: start-up to an editable page against a bare
// web view, and writing, reading, inserting and one undo on pages of 100 KB,
// 1 MB and 10 MB against the engine's own load and serialisation.
//
//   xvfb-run -a build/bench/bench_engine [--quick]
#include "TestSupport.h"
#include "app/MainWindow.h"
#include "codeview/LexerConfig.h"
#include "engine/EngineView.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <cstdio>

namespace {

QElapsedTimer processClock;

void waitFor(QWebEnginePage *page, const std::function<void()> &start)
{
    QEventLoop loop;
    auto c = QObject::connect(page, &QWebEnginePage::loadFinished, &loop, &QEventLoop::quit);
    start();
    loop.exec();
    QObject::disconnect(c);
}

QString engineOwnHtml(QWebEnginePage *page)
{
    QString html;
    QEventLoop loop;
    page->toHtml([&](const QString &s) { html = s; loop.quit(); });
    loop.exec();
    return html;
}

// A page of ordinary content: paragraphs with some formatting, Chinese and
// Latin text, a table now and then.
QString makePage(qsizetype bytes)
{
    QString page = QStringLiteral("<!DOCTYPE html>\n<html><head><title>基准页面</title>"
                                  "<meta charset=\"utf-8\"></head><body>\n");
    int i = 0;
    while (page.size() < bytes) {
        page += QStringLiteral("<p>第%1段：网页编辑器把<b>粗体</b>、<i>斜体</i>和<font color=\"#ff0000\">颜色</font>"
                               "写进页面。The quick brown fox jumps over the lazy dog %1.</p>\n").arg(i);
        if (++i % 50 == 0)
            page += QStringLiteral("<table border=\"1\"><tr><td>甲</td><td>乙</td></tr><tr><td>丙</td><td>丁</td></tr></table>\n");
    }
    page += QStringLiteral("</body></html>");
    return page;
}

// Lets the engine finish laying out and painting what came before, so that
// each figure holds one operation's own cost.
void settle(engine::EngineView &view)
{
    for (int i = 0; i < 3; ++i) {
        view.evaluate(QStringLiteral("true;"));
        QTest::qWait(50);
    }
}

double ms(QElapsedTimer &t)
{
    return t.nsecsElapsed() / 1e6;
}

int startupChild(const QString &mode)
{
    // Prints the milliseconds from process start to an editable page.
    if (mode == QLatin1String("bare")) {
        QWebEngineView view;
        view.resize(1200, 800);
        view.show();
        waitFor(view.page(), [&] { view.load(QUrl(QStringLiteral("about:blank"))); });
        std::printf("%.1f\n", ms(processClock));
    } else {
        codeview::LexerConfig lexer;
        app::MainWindow window(lexer);
        window.showMaximized();
        window.initialise();
        std::printf("%.1f\n", ms(processClock));
    }
    std::fflush(stdout);
    return 0;
}

double startupOnce(const QString &mode)
{
    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QStringLiteral("--startup-child"), mode});
    child.waitForFinished(120000);
    return child.readAllStandardOutput().trimmed().toDouble();
}

} // namespace

int main(int argc, char **argv)
{
    processClock.start();
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 3 && args.at(1) == QLatin1String("--startup-child"))
        return startupChild(args.at(2));
    const bool quick = args.contains(QStringLiteral("--quick"));

    std::printf("Start-up to an editable page (median of 3 fresh processes)\n");
    QList<double> bare, editor;
    for (int i = 0; i < 3; ++i) {
        bare << startupOnce(QStringLiteral("bare"));
        editor << startupOnce(QStringLiteral("editor"));
    }
    std::sort(bare.begin(), bare.end());
    std::sort(editor.begin(), editor.end());
    std::printf("  bare web view, about:blank loaded: %8.1f ms\n", bare.at(1));
    std::printf("  editor main window initialised:    %8.1f ms  (ratio %.2f)\n\n", editor.at(1),
                editor.at(1) / bare.at(1));

    engine::EngineView view;
    view.resize(1200, 800);
    view.show();
    view.Navigate(QStringLiteral("about:blank"));
    view.SetEditMode(true);
    QWebEngineView plain;
    plain.resize(1200, 800);
    plain.show();
    QTemporaryDir dir;

    std::printf("%-8s %12s %12s %6s %12s %12s %6s %10s %10s\n", "page", "write ms", "engine load", "ratio",
                "read ms", "engine ser.", "ratio", "paste ms", "undo ms");
    QList<qsizetype> sizes = {100 * 1024, 1024 * 1024, 10 * 1024 * 1024};
    if (quick)
        sizes.removeLast();
    for (qsizetype size : sizes) {
        const QString page = makePage(size);
        const QString file = dir.filePath(QStringLiteral("page%1.htm").arg(size));
        QFile f(file);
        f.open(QIODevice::WriteOnly);
        f.write(page.toUtf8());
        f.close();

        QElapsedTimer t;
        t.start();
        waitFor(plain.page(), [&] { plain.load(QUrl::fromLocalFile(file)); });
        plain.page()->runJavaScript(QStringLiteral("1"), [](const QVariant &) {});
        engineOwnHtml(plain.page()); // laid out and idle
        const double ownLoad = ms(t);
        t.restart();
        const QString own = engineOwnHtml(plain.page());
        const double ownSerialise = ms(t);

        settle(view);
        t.restart();
        view.WriteDocument(page);
        view.evaluate(QStringLiteral("true;"));
        const double write = ms(t);
        settle(view);
        t.restart();
        const QString read = view.ReadDocument();
        const double readMs = ms(t);

        view.evaluate(QStringLiteral("var p = document.querySelectorAll('p'); var t = p[p.length >> 1].firstChild;"
                                     "getSelection().collapse(t, 2); true;"));
        settle(view);
        t.restart();
        view.PasteHtml(QStringLiteral("<span style=\"color: red\">插入</span>"));
        const double paste = ms(t);
        settle(view);
        t.restart();
        view.Undo();
        const double undo = ms(t);

        std::printf("%-8s %12.1f %12.1f %6.2f %12.1f %12.1f %6.2f %10.1f %10.1f\n",
                    qPrintable(size >= 1024 * 1024 ? QStringLiteral("%1 MB").arg(size >> 20)
                                                   : QStringLiteral("%1 KB").arg(size >> 10)),
                    write, ownLoad, write / ownLoad, readMs, ownSerialise, readMs / ownSerialise, paste, undo);
        Q_UNUSED(read);
        Q_UNUSED(own);
    }
    return 0;
}
