#pragma once
// The zoom keys every view of the editor knows: Ctrl+= or Ctrl++ larger,
// Ctrl+- smaller, Ctrl+0 back to the normal size.
#include <Qt>

namespace text {

enum class ZoomKey { None, In, Out, Reset };

inline ZoomKey zoomKeyOf(int key, Qt::KeyboardModifiers modifiers)
{
    if (!(modifiers & Qt::ControlModifier))
        return ZoomKey::None;
    switch (key) {
    case Qt::Key_Equal:
    case Qt::Key_Plus:
        return ZoomKey::In;
    case Qt::Key_Minus:
        return ZoomKey::Out;
    case Qt::Key_0:
        return ZoomKey::Reset;
    default:
        return ZoomKey::None;
    }
}

} // namespace text
