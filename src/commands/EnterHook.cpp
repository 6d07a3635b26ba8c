#include "commands/EnterHook.h"

#include "engine/EngineView.h"

#include <QKeyEvent>

namespace commands {

namespace {

const char *const kInstalledProperty = "zelvoEnterHookInstalled";

// True when a line break at the selection would end its block: nothing
// visible follows the selection up to the end of the block, and no break
// stands right before it. The engine shows no line for a break at the very
// end of a block, so the new line needs a second break to hold it open (the
// engine drops that one as soon as something is typed on the line).
const char *const kBreakNeedsHolder = R"JS(
(function () {
  var s = document.getSelection();
  if (!s || !s.rangeCount) return false;
  var r = s.getRangeAt(0);
  var block = r.endContainer;
  if (block.nodeType !== 1) block = block.parentNode;
  while (block && block !== document.body && block.nodeType === 1 &&
         getComputedStyle(block).display.indexOf('inline') === 0)
    block = block.parentNode;
  if (!block || block.nodeType !== 1) return false;
  function blank(text) {
    for (var i = 0; i < text.length; i++)
      if (' \t\n\r\f'.indexOf(text.charAt(i)) < 0) return false;
    return true;
  }
  var OBJECTS = 'br,img,input,textarea,select,button,iframe,object,embed,video,audio,table,hr,marquee';
  var after = document.createRange();
  after.setStart(r.endContainer, r.endOffset);
  after.setEnd(block, block.childNodes.length);
  var rest = after.cloneContents();
  if (!blank(rest.textContent) || rest.querySelector(OBJECTS)) return false;
  // The last thing before the selection, looking into inline elements.
  function last(n) {
    for (var c = n.lastChild; c; c = c.previousSibling) {
      if (c.nodeType === 3) { if (!blank(c.data)) return c; continue; }
      if (c.nodeType !== 1) continue;
      if (c.nodeName === 'BR' || !c.firstChild) return c;
      var inner = last(c);
      if (inner) return inner;
    }
    return null;
  }
  var before = document.createRange();
  before.setStart(block, 0);
  before.setEnd(r.startContainer, r.startOffset);
  var prev = last(before.cloneContents());
  return !(prev && prev.nodeName === 'BR');
})();
)JS";

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
        const bool holder = LineBreakNeedsHolder(*target);
        target->PasteHtml(holder ? QStringLiteral("<br/><br/>") : QStringLiteral("<br/>"));
        return true;
    });
}

bool LineBreakNeedsHolder(engine::EngineView &view)
{
    return view.evaluate(QString::fromLatin1(kBreakNeedsHolder)).toBool();
}

bool EnterHookInstalled(const engine::EngineView &view)
{
    return view.property(kInstalledProperty).toBool();
}

} // namespace commands
