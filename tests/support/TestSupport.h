#pragma once
// Shared set-up for the test programs: the process environment that Qt
// WebEngine needs, and a main() that prepares it before QApplication exists.
#include <QApplication>
#include <QTest>
#include <QTimer>
#include <functional>

namespace testsupport {
// Sets the environment and application attributes every test program needs,
// before QApplication exists.
void prepareProcess();
// What a program that starts the browser engine adds to that (set by the
// engine's part of the test support, when it is linked in).
extern void (*processPreparation)();
// A fresh, empty directory under the temporary-files directory, removed at exit.
QString freshTempDir();

// While it lives, hands the first pop-up that opens to `act`, and closes the
// pop-up if `act` left it open. Whatever opens the pop-up may block in the
// pop-up's own event loop (QMenu::exec), so the check runs from a timer that
// fires in whichever event loop is running: no guessed delay, however slow
// the machine.
class PopupWatch {
public:
    explicit PopupWatch(std::function<void(QWidget *popup)> act);
    bool handled() const { return m_handled; }

private:
    QTimer m_poll;
    std::function<void(QWidget *)> m_act;
    bool m_handled = false;
};
}

#define ZELVO_TEST_MAIN(TestObject)                        \
    int main(int argc, char **argv)                        \
    {                                                      \
        testsupport::prepareProcess();                     \
        QApplication app(argc, argv);                      \
        app.setAttribute(Qt::AA_Use96Dpi, true);           \
        TestObject tc;                                     \
        QTEST_SET_MAIN_SOURCE_PATH                         \
        return QTest::qExec(&tc, argc, argv);              \
    }
