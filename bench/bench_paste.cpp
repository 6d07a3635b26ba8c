// Pasting a large document from a word processor: the editor's paste
// (cleaning the markup, then inserting it as one step) beside the engine's
// own paste of the same markup. Prints figures; asserts nothing.
//   bench_paste [megabytes]   (2 unless given)
#include "TestSupport.h"

#include "engine/EngineView.h"

#include <QElapsedTimer>
#include <cstdio>

namespace {

// Markup as Word puts it on the clipboard: Office styles and classes,
// language spans, empty Office paragraphs, bullet paragraphs.
QString wordMarkup(int megabytes)
{
    QString body;
    const qsizetype target = qsizetype(megabytes) << 20;
    for (int i = 0; body.size() * 2 < target; ++i) {
        if (i % 10 == 9)
            body += QStringLiteral("<p class=MsoListParagraph style='mso-list:l0 level1 lfo1'><span style='mso-list:Ignore'>·"
                                   "<span>&nbsp;&nbsp;</span></span>列表项 %1</p>").arg(i);
        else
            body += QStringLiteral("<p class=MsoNormal style='mso-margin-top-alt:auto;line-height:150%'>"
                                   "<span lang=EN-US style='font-size:12.0pt;mso-bidi-font-size:11.0pt'>第 %1 段，"
                                   "<b>粗体</b>和<i>斜体</i>的文字 with some English words.</span><o:p></o:p></p>")
                        .arg(i);
    }
    return QStringLiteral("<html xmlns:o=\"urn:schemas-microsoft-com:office:office\"><head><style>p.MsoNormal{margin:0}"
                          "</style></head><body lang=ZH-CN><!--StartFragment-->")
        + body + QStringLiteral("<!--EndFragment--></body></html>");
}

double timed(const std::function<void()> &work)
{
    QElapsedTimer t;
    t.start();
    work();
    return t.nsecsElapsed() / 1e6;
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    const int megabytes = argc > 1 ? std::max(1, atoi(argv[1])) : 2;
    engine::EngineView view;
    view.resize(1000, 700);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return 1;
    view.Navigate(QStringLiteral("about:blank"));
    view.SetEditMode(true);
    const QString html = wordMarkup(megabytes);
    const QString page = QStringLiteral("<html><body><p>粘贴</p></body></html>");
    std::printf("word-processor markup of %lld characters\n", static_cast<long long>(html.size()));

    for (int round = 0; round < 2; ++round) {
        view.WriteDocument(page, QDir::tempPath());
        view.evaluate(QStringLiteral("document.body.getBoundingClientRect(); true;"));
        const double engine = timed([&] {
            view.evaluate(QStringLiteral("zelvo.focus(); document.execCommand('insertHTML', false, %1); "
                                         "document.body.getBoundingClientRect(); true;")
                              .arg(engine::EngineView::scriptLiteral(html)),
                          600000);
        });
        view.WriteDocument(page, QDir::tempPath());
        view.evaluate(QStringLiteral("document.body.getBoundingClientRect(); true;"));
        double clean = 0, insert = 0;
        const double editor = timed([&] {
            clean = timed([&] { view.cleanPastedMarkup(html); });
            insert = timed([&] {
                view.insertCleanedMarkup({});
                view.evaluate(QStringLiteral("document.body.getBoundingClientRect(); true;"));
            });
        });
        std::printf("  the engine's own paste (insertHTML)   %8.1f ms\n", engine);
        std::printf("  the editor's paste                    %8.1f ms  (%.2fx; cleaning %.1f ms, inserting %.1f ms)\n",
                    editor, editor / engine, clean, insert);
    }
    return 0;
}
