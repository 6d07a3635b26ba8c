// CPU use of the open WordArt dialog: with the pointer still over the
// gallery, and with the pointer sweeping across the style boxes. For
// comparison, the same dialog with a 1 ms timer that looks up the widget
// under the pointer and sets all thirty frames on every tick. Prints figures only.
#include "TestSupport.h"

#include "insert/WordArtDialog.h"
#include "insert/WordArtLook.h"
#include "ui/DialogHost.h"

#include <QCursor>
#include <QElapsedTimer>
#include <QTimer>
#include <cstdio>
#include <ctime>
#include <functional>

namespace {

double cpuSeconds()
{
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return t.tv_sec + t.tv_nsec / 1e9;
}

// Runs the event loop for the given time, calling step every stepMs when
// given; the process's CPU time as a share of one core.
double cpuShare(int ms, int stepMs = 0, const std::function<void()> &step = {})
{
    QTimer stepper;
    if (step) {
        QObject::connect(&stepper, &QTimer::timeout, step);
        stepper.start(stepMs);
    }
    QEventLoop loop;
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    const double cpu0 = cpuSeconds();
    QElapsedTimer wall;
    wall.start();
    loop.exec();
    return 100.0 * (cpuSeconds() - cpu0) / (wall.nsecsElapsed() / 1e9);
}

} // namespace

int main(int argc, char **argv)
{
    testsupport::prepareProcess();
    QApplication app(argc, argv);
    constexpr int kMs = 4000;

    QWidget owner;
    owner.resize(300, 200);
    owner.show();

    QElapsedTimer t;
    t.start();
    const QImage one = insert::WordArtPreview(17, QSize(77, 75));
    std::printf("first preview picture (fonts loaded)  %7.2f ms\n", t.nsecsElapsed() / 1e6);
    t.restart();
    for (int n = 1; n <= 30; ++n)
        insert::WordArtPreview(n, QSize(77, 75));
    std::printf("all thirty preview pictures           %7.2f ms\n", t.nsecsElapsed() / 1e6);
    t.restart();
    auto *dialog = static_cast<insert::WordArtDialog *>(ui::DialogHost::of(&owner)->open(
        insert::WordArtDialogCaption, [](QWidget *o) { return new insert::WordArtDialog(o, {}); }));
    if (!QTest::qWaitForWindowExposed(dialog))
        std::printf("(the dialog was not shown in time)\n");
    std::printf("first opening, gallery drawn          %7.2f ms\n", t.nsecsElapsed() / 1e6);
    dialog->close();
    QCoreApplication::processEvents();
    t.restart();
    dialog = static_cast<insert::WordArtDialog *>(ui::DialogHost::of(&owner)->open(
        insert::WordArtDialogCaption, [](QWidget *o) { return new insert::WordArtDialog(o, {}); }));
    if (!QTest::qWaitForWindowExposed(dialog))
        std::printf("(the dialog was not shown in time)\n");
    std::printf("second opening                        %7.2f ms\n", t.nsecsElapsed() / 1e6);

    auto boxCentre = [&](int n) {
        QWidget *box = dialog->styleBox(n);
        return box->mapToGlobal(box->rect().center());
    };
    int frameChanges = 0;
    auto countFrames = [&] {
        int framed = 0;
        for (int n = 1; n <= 30; ++n)
            framed += dialog->styleBox(n)->isFramed() ? n : 0;
        return framed;
    };

    QCursor::setPos(boxCentre(8));
    QTest::qWait(200);
    std::printf("pointer still over a box              %7.2f %% of a core\n", cpuShare(kMs));

    // The pointer sweeps along the rows, one move every 10 ms.
    int step = 0;
    int lastFrames = countFrames();
    const double moving = cpuShare(kMs, 10, [&] {
        const int n = 1 + (step / 8) % 30;
        const QPoint at = boxCentre(n) + QPoint((step % 8) * 8 - 28, 0);
        QCursor::setPos(at);
        ++step;
        const int frames = countFrames();
        frameChanges += frames != lastFrames;
        lastFrames = frames;
    });
    std::printf("pointer moving (%4d moves)           %7.2f %% of a core, %d frame changes seen\n", step, moving,
                frameChanges);

    // For comparison: a 1 ms poll of the widget under the pointer.
    QCursor::setPos(boxCentre(8));
    QTest::qWait(200);
    const double polling = cpuShare(kMs, 1, [&] {
        QWidget *under = QApplication::widgetAt(QCursor::pos());
        for (int n = 1; n <= 30; ++n) {
            QWidget *box = dialog->styleBox(n);
            box->setProperty("polled", box == under || n == dialog->style());
        }
    });
    std::printf("1 ms poll instead, pointer still      %7.2f %% of a core\n", polling);
    dialog->close();
    return 0;
}
