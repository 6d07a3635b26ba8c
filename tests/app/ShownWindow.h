#pragma once
// The main window as a user meets it: shown, initialised, the greeting
// closed and the window active. For the test programs of the whole editor.
#include "app/InitialisingWindow.h"
#include "app/MainWindow.h"

#include <QSize>
#include <QTest>

namespace testsupport {

// Keeps the window's own size when none is given.
inline bool showMainWindow(app::MainWindow &window, const QSize &size = QSize())
{
    if (size.isValid())
        window.resize(size);
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    window.initialise();
    if (QWidget *greeting = window.initialisingWindow())
        greeting->close();
    window.activateWindow();
    return QTest::qWaitForWindowActive(&window);
}

} // namespace testsupport
