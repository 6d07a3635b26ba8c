#include "commands/EnterHook.h"

#include "engine/EngineView.h"

#include <QKeyEvent>

namespace commands {

namespace {

const char *const kInstalledProperty = "zelvoEnterHookInstalled";

bool isLineBreakKey(const QKeyEvent *event)
{
    if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter)
        return false;
    // Plain Enter and Shift+Enter; the keypad flag does not matter.
    const Qt::KeyboardModifiers mods = event->modifiers() & ~Qt::KeypadModifier;
    return mods == Qt::NoModifier || mods == Qt::ShiftModifier;
}

} // namespace

void InstallEnterHook(engine::EngineView &view)
{
    if (EnterHookInstalled(view))
        return;
    view.setProperty(kInstalledProperty, true);
    engine::EngineView *target = &view;
    view.setKeyInterceptor([target](QKeyEvent *event) {
        if (!isLineBreakKey(event))
            return false;
        // The engine puts the caret right after the break, so typing goes on
        // on the new line; no extra caret movement is made. At the end of a
        // block a second break holds the new line open.
        const bool holder = target->lineBreakNeedsHolder();
        target->PasteHtml(holder ? QStringLiteral("<br/><br/>") : QStringLiteral("<br/>"));
        return true;
    });
}

bool EnterHookInstalled(const engine::EngineView &view)
{
    return view.property(kInstalledProperty).toBool();
}

} // namespace commands
