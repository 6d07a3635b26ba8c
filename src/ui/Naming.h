#pragma once
#include <QString>
#include <QWidget>

namespace ui {

// Gives a control its object name (the name the program knows it by) and the
// name a screen reader speaks. A control that hands its keyboard focus to an
// inner widget (the views wrap the engine's and the source editor's widgets)
// gives that widget the same spoken name: the screen reader announces
// whatever has the focus.
inline void nameControl(QWidget *control, const QString &name, const QString &accessibleName)
{
    control->setObjectName(name);
    for (QWidget *w = control; w; w = w->focusProxy())
        w->setAccessibleName(accessibleName);
}

} // namespace ui
