#pragma once
// A small frameless notice ("正在打开网页，请稍后……") over a window while a
// long piece of work runs, in the manner of the import notice. It shows and
// paints as soon as it is made and goes away with the object.
#include <QString>
#include <QWidget>

class QLabel;

namespace ui {

class BusyNotice : public QWidget {
    Q_OBJECT
public:
    // Shown at once, centred over owner; nothing happens without an owner
    // that is on screen (no notice then: nothing would be seen anyway).
    BusyNotice(QWidget *owner, const QString &text);

    // Lets windows repaint (the notice, and the owner behind it) without
    // taking the user's input. For work that runs in steps on this thread.
    static void repaintWindows();
};

} // namespace ui
