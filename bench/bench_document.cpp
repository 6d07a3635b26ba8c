// Figures for the page's views and files: a switch from the design view to
// the code view and back, and the unsaved-changes test, on pages of 100 KB,
// 1 MB and 10 MB, beside the engine's own serialisation and load of the same
// page; Open and Save of a 10 MB file. Prints timings; asserts nothing.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "codeview/CodeEditor.h"
#include "document/DocumentController.h"
#include "text/PageCodec.h"
#include "engine/EngineView.h"

#include <QApplication>
#include <QFile>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

engine::EngineView *theDesignView = nullptr;

// Median of the runs, in milliseconds; before() runs untimed ahead of each.
double medianMs(int runs, const std::function<void()> &work, const std::function<void()> &before = {})
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        if (before)
            before();
        // Painting the view just shown is not part of the work measured: the
        // engine lays a page out again when it is shown (figure printed apart).
        QTest::qWait(50);
        theDesignView->evaluate(QStringLiteral("true;"));
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// A page of about the given size in GBK: paragraphs, a table and links, as
// pages made with the editor have them.
QString makePage(qsizetype bytes)
{
    QString page = QStringLiteral(
        "<html><head><title>测试网页</title>\n"
        "<meta http-equiv=\"Content-Type\" content=\"text/html; charset=gb2312\"></head><body>\n");
    qsizetype written = text::encodePage(page, text::gbkEncoding()).size();
    for (int i = 0; written < bytes;) {
        QString block;
        for (int k = 0; k < 50; ++k, ++i)
            block += QStringLiteral("<p align=\"center\">第%1段：网页编辑器把页面保存为文件，<b>加粗</b>"
                                    "<a href=\"page%1.htm\">链接</a></p>\n"
                                    "<table border=\"1\"><tbody><tr><td>单元格</td><td>%1</td></tr></tbody></table>\n")
                         .arg(i);
        written += text::encodePage(block, text::gbkEncoding()).size();
        page += block;
    }
    return page + QStringLiteral("</body></html>");
}

void line(const char *what, double ms, double engineMs)
{
    std::printf("  %-44s %9.1f ms   %5.2fx the engine's %.1f ms\n", what, ms, ms / engineMs, engineMs);
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::prepareProcess();
    QApplication app(argc, argv);

    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *views = new QTabWidget;
    auto *design = new engine::EngineView;
    theDesignView = design;
    auto *code = new codeview::CodeEditor;
    views->addTab(design, QStringLiteral("编辑器"));
    views->addTab(code, QStringLiteral("源文件"));
    layout->addWidget(views);
    window.resize(1024, 768);
    window.show();
    design->Navigate(QStringLiteral("about:blank"));
    design->SetEditMode(true);

    ScriptedPrompter prompter;
    document::DocumentController controller(&window, *design, *code, *views);
    controller.preview().setUrlOpener([](const QUrl &) { return true; });
    controller.InitialiseBlankPage();

    std::printf("Page views (median of the runs; the engine's own figures are for the same page)\n");
    const struct { const char *name; qsizetype bytes; int runs; } sizes[] = {
        {"100 KB", 100 * 1024, 5}, {"1 MB", 1024 * 1024, 3}, {"10 MB", 10 * 1024 * 1024, 1}};
    for (const auto &size : sizes) {
        const QString page = makePage(size.bytes);
        std::printf("%s page (%lld characters)\n", size.name, static_cast<long long>(page.size()));
        views->setCurrentIndex(0);
        // The first reading after a load also waits for the engine's layout,
        // so a load is timed up to the moment its text can be read.
        const double load = medianMs(size.runs, [&] {
            design->WriteDocument(page);
            design->ReadDocument();
        });
        const double serialise = medianMs(size.runs, [&] { design->ReadDocument(); });
        std::printf("  engine: load and first reading %.1f ms, serialisation %.1f ms\n", load, serialise);

        line("unsaved-changes test", medianMs(size.runs, [&] { controller.IsPageChanged(); }), serialise);
        // To the code view with a code editor that holds something else.
        const double toCode = medianMs(size.runs, [&] { controller.ShowCodeView(); }, [&] {
            views->setCurrentIndex(0);
            code->replaceAllText(QStringLiteral("<p>other</p>"));
        });
        line("design -> code, texts differ", toCode, serialise);
        const double backEqual = medianMs(size.runs, [&] { controller.ShowDesignView(); },
                                          [&] { views->setCurrentIndex(1); });
        line("code -> design, texts equal", backEqual, serialise);
        const double toCodeEqual = medianMs(size.runs, [&] { controller.ShowCodeView(); },
                                            [&] { views->setCurrentIndex(0); });
        line("design -> code, texts equal", toCodeEqual, serialise);
        const double backEdited = medianMs(size.runs, [&] { controller.ShowDesignView(); }, [&] {
            views->setCurrentIndex(1);
            code->insertTextAt(0, QStringLiteral("<!-- edit -->"));
        });
        line("code -> design after an edit", backEdited, load + serialise);
        const double reshow = medianMs(size.runs, [&] {
            views->setCurrentIndex(0);
            design->evaluate(QStringLiteral("true;"));
        }, [&] { views->setCurrentIndex(1); });
        std::printf("  engine: showing the page again after the code view %.1f ms\n", reshow);
        views->setCurrentIndex(0);
    }

    std::printf("Files of 10 MB\n");
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("big.htm"));
    {
        QFile out(file);
        out.open(QIODevice::WriteOnly);
        out.write(text::encodePage(makePage(10 * 1024 * 1024), text::gbkEncoding()));
    }
    views->setCurrentIndex(0);
    const double open = medianMs(1, [&] { controller.OpenPageCommand(); }, [&] {
        prompter.buttons.enqueue(QMessageBox::No);
        prompter.fileNames.enqueue(file);
    });
    std::printf("  open %.1f ms (%lld bytes)\n", open, static_cast<long long>(QFile(file).size()));
    const double save = medianMs(1, [&] { controller.SavePage(); });
    std::printf("  save %.1f ms\n", save);
    return 0;
}
