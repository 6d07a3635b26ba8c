// Figures for the recovery copy of a 1 MB page: the whole write (serialising,
// writing a new file and renaming it over the old copy), what the timer
// costs the program's own thread when it hands the copy to the writer, and
// the whole update as the timer runs it, reading the design view of a real
// engine. Prints timings; asserts nothing.
#include "ScriptedPrompter.h"
#include "TestSupport.h"
#include "codeview/CodeEditor.h"
#include "document/DocumentController.h"
#include "document/RecoveryKeeper.h"
#include "engine/EngineView.h"
#include "text/PageCodec.h"

#include <QApplication>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QVBoxLayout>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using Clock = std::chrono::steady_clock;

namespace {

double medianMs(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// About bytes of GBK: paragraphs, a table and links.
QString makePage(qsizetype bytes)
{
    QString page = QStringLiteral("<html><head><title>测试网页</title></head><body>\n");
    qsizetype written = text::encodePage(page, text::gbkEncoding()).size();
    for (int i = 0; written < bytes;) {
        QString block;
        for (int k = 0; k < 50; ++k, ++i)
            block += QStringLiteral("<p>第%1段：网页编辑器把页面保存为文件，<b>加粗</b><a href=\"page%1.htm\">链接</a></p>\n"
                                    "<table border=\"1\"><tbody><tr><td>单元格</td><td>%1</td></tr></tbody></table>\n")
                         .arg(i);
        written += text::encodePage(block, text::gbkEncoding()).size();
        page += block;
    }
    return page + QStringLiteral("</body></html>");
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString page = makePage(1024 * 1024);
    std::printf("Recovery copy of a 1 MB page (%lld characters), median of the runs\n",
                static_cast<long long>(page.size()));

    {
        document::RecoveryStore store(dir.filePath(QStringLiteral("store")));
        document::RecoveryCopy copy;
        copy.path = QStringLiteral("/home/用户/网页.htm");
        copy.designText = page;
        copy.codeText = page;
        std::printf("  whole write, views alike          %7.1f ms\n", medianMs(15, [&] { store.writeNow(copy); }));
        copy.codeText = page + QStringLiteral("<!-- edit -->");
        std::printf("  whole write, views differ         %7.1f ms\n", medianMs(15, [&] { store.writeNow(copy); }));
        std::vector<double> handOff;
        for (int i = 0; i < 15; ++i) {
            store.remove(); // waits for the previous write: the hand-off is timed alone
            handOff.push_back(medianMs(1, [&] { store.write(copy); }));
        }
        std::sort(handOff.begin(), handOff.end());
        std::printf("  hand-off to the writer thread      %7.3f ms\n", handOff[handOff.size() / 2]);
        store.remove();
    }

    // The update as the timer runs it, on the program's thread.
    QWidget window;
    auto *layout = new QVBoxLayout(&window);
    auto *views = new QTabWidget;
    auto *design = new engine::EngineView;
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
    controller.InitialiseBlankPage();
    document::RecoveryStore store(dir.filePath(QStringLiteral("engine")));
    document::RecoveryKeeper keeper(controller, store, 3600 * 1000);
    controller.WritePageToDesign(page);
    design->ReadDocument();
    // The edit is made untimed; the update then reads the changed page.
    std::vector<double> updates;
    for (int edit = 1; edit <= 5; ++edit) {
        design->evaluate(QStringLiteral("document.body.appendChild(document.createTextNode('%1')); true;").arg(edit));
        updates.push_back(medianMs(1, [&] { keeper.update(); }));
    }
    std::sort(updates.begin(), updates.end());
    const double read = medianMs(5, [&] { design->ReadDocument(); });
    std::printf("  timer's update after an edit       %7.1f ms (an unchanged page's reading: %.1f ms; the update\n"
                "                                               waits for a second without changes to the page)\n",
                updates[updates.size() / 2], read);
    const double unchanged = medianMs(5, [&] { keeper.update(); });
    std::printf("  timer's update, nothing changed    %7.3f ms\n", unchanged);
    store.remove();
    return 0;
}
