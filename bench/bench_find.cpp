// Find and replace figures on large pages: finding all matches, replacing
// ten thousand of them as one step, and the cost of a key typed into the
// find field, in the design view (beside the engine's own find) and in the
// code view. Prints figures; asserts nothing.
//   bench_find [megabytes]   (10 unless given)
#include "TestSupport.h"

#include "codeview/CodeEditor.h"
#include "engine/EngineView.h"

#include <QElapsedTimer>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>
#include <QWebEngineView>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

namespace {

// A page of about this many bytes: paragraphs of Chinese and Latin text in
// which "标记" stands every so often, 10,000 times in all.
QString pageOf(int megabytes)
{
    const QString filler = QStringLiteral("这是一段用来测试查找的中文文字，with some <b>English</b> words in it. ");
    QString body;
    const qsizetype target = qsizetype(megabytes) << 20;
    const int paragraphs = int(target / (filler.toUtf8().size() * 4 + 20));
    const int every = std::max(1, paragraphs / 10000);
    body.reserve(target / 2);
    int marked = 0;
    for (int i = 0; i < paragraphs; ++i) {
        body += QStringLiteral("<p>") + filler + filler;
        if (i % every == 0 && marked < 10000) {
            body += QStringLiteral("标记");
            ++marked;
        }
        body += filler + filler + QStringLiteral("</p>\n");
    }
    return QStringLiteral("<html><head><title>查找</title></head><body>") + body + QStringLiteral("</body></html>");
}

double ms(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 10;
    const QString query = QStringLiteral("标记");
    const text::FindOptions plain;

    engine::EngineView view;
    view.resize(1000, 700);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return 1;
    view.Navigate(QStringLiteral("about:blank"));
    view.SetEditMode(true);

    for (const int size : {1, megabytes}) {
        const QString page = pageOf(size);
        std::printf("page of %d MB (%lld characters)\n", size, static_cast<long long>(page.size()));
        view.WriteDocument(page, QDir::tempPath());
        // The engine's own work on the new page is over before anything is timed.
        const double settle = ms([&] { view.evaluate(QStringLiteral("document.body.getBoundingClientRect(); true;")); });
        std::printf("  the engine lays out the written page      %8.1f ms\n", settle);
        text::FindResult found;
        const double first = ms([&] { found = view.find(query, plain); });
        const double again = ms([&] { view.find(query, plain); });
        std::printf("  design view: find, first after a change   %8.1f ms (%d matches)\n", first, found.count);
        std::printf("  design view: find again                   %8.1f ms\n", again);

        // A key typed into the field: the count is asked for without
        // waiting; the figure is the time until its answer is in.
        std::vector<double> keys;
        for (int i = 0; i < 9; ++i) {
            bool answered = false;
            QElapsedTimer t;
            t.start();
            view.countLater(query.left(1 + i % 2), plain, [&](const text::FindResult &) { answered = true; });
            const double blocked = t.nsecsElapsed() / 1e6;
            (void)QTest::qWaitFor([&] { return answered; }, 60000);
            keys.push_back(t.nsecsElapsed() / 1e6);
            if (i == 0)
                std::printf("  design view: a key holds the field for    %8.2f ms\n", blocked);
        }
        std::printf("  design view: a key's count answered after %8.1f ms (median)\n", median(keys));

        int replaced = 0;
        const double all = ms([&] { replaced = view.replaceAll(query, plain, QStringLiteral("记号")); });
        std::printf("  design view: replace all                  %8.1f ms (%d replaced)\n", all, replaced);
        const double undo = ms([&] { view.Undo(); });
        std::printf("  design view: its undo, one step           %8.1f ms\n", undo);
        view.clearFind();
        // The engine's own find, which only highlights, for comparison
        // (last: its marks make every later change of the page slower).
        QWebEngineView *engineView = view.findChild<QWebEngineView *>();
        bool done = false;
        int engineCount = 0;
        QObject::connect(engineView->page(), &QWebEnginePage::findTextFinished, &view,
                         [&](const QWebEngineFindTextResult &r) {
                             engineCount = r.numberOfMatches();
                             done = true;
                         });
        const double engineFind = ms([&] {
            engineView->page()->findText(query);
            (void)QTest::qWaitFor([&] { return done; }, 60000);
        });
        engineView->page()->findText(QString());
        QObject::disconnect(engineView->page(), &QWebEnginePage::findTextFinished, &view, nullptr);
        std::printf("  the engine's own find (highlight only)    %8.1f ms (%d matches)\n", engineFind, engineCount);


        codeview::CodeEditor code;
        code.resize(1000, 700);
        code.show();
        code.loadText(page);
        text::FindResult counted;
        const double count = ms([&] { counted = code.countMatches(query, plain); });
        std::printf("  code view: find all (count and mark)      %8.1f ms (%d matches)\n", count, counted.count);
        std::vector<double> codeKeys;
        for (int i = 0; i < 9; ++i)
            codeKeys.push_back(ms([&] { code.countMatches(query.left(1 + i % 2), plain); }));
        std::printf("  code view: a key in the field             %8.1f ms (median)\n", median(codeKeys));
        const double codeAll = ms([&] { replaced = code.replaceAll(query, plain, QStringLiteral("记号")); });
        std::printf("  code view: replace all                    %8.1f ms (%d replaced)\n", codeAll, replaced);
        const double codeUndo = ms([&] { code.undo(); });
        std::printf("  code view: its undo, one step             %8.1f ms\n\n", codeUndo);
    }
    return 0;
}
