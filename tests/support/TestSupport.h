#pragma once
// Shared set-up for the test programs: the process environment that Qt
// WebEngine needs, and a main() that prepares it before QApplication exists.
#include <QApplication>
#include <QTest>

namespace testsupport {
// Sets the environment and application attributes every test program needs.
void prepareProcess();
// A fresh, empty directory under the temporary-files directory, removed at exit.
QString freshTempDir();
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
