#pragma once
// What a screen reader is told about the program's own controls, which Qt
// cannot describe from their class: a picture box that is the tool bar, a
// panel that reads as a label, a colour control that is a drop-down button,
// a picture that is one choice among several.
#include <QAccessible>
#include <QString>
#include <functional>

class QWidget;

namespace ui {

struct AccessibleTraits {
    QAccessible::Role role = QAccessible::Client;
    // The "press" action; run after the screen reader's call has returned,
    // so that a pop-up it opens never blocks the caller.
    std::function<void()> press;
    // Read after the name, such as the colour a colour control holds.
    std::function<QString()> description;
    // A choice that can be made (radio button, list item): whether it is.
    std::function<bool()> checked;
};

// The widget is announced with these traits from now on. Call it before the
// widget is first shown.
void describeControl(QWidget *widget, AccessibleTraits traits);

// Tells a listening screen reader that the description or checked state of
// a described control changed.
void announceDescriptionChange(QWidget *widget);
void announceStateChange(QWidget *widget);

} // namespace ui
