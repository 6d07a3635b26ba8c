#pragma once
#include <QString>
#include <QWidget>

namespace ui {

// Gives a control its object name (the name the program knows it by) and the
// name a screen reader speaks.
inline void nameControl(QWidget *control, const QString &name, const QString &accessibleName)
{
    control->setObjectName(name);
    control->setAccessibleName(accessibleName);
}

} // namespace ui
