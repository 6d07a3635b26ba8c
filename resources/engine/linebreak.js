// The editor's runtime: the Enter key's line break.
(function (zelvo) {
  'use strict';

  function blank(text) {
    for (var i = 0; i < text.length; i++)
      if (' \t\n\r\f'.indexOf(text.charAt(i)) < 0) return false;
    return true;
  }
  var OBJECTS = 'br,img,input,textarea,select,button,iframe,object,embed,video,audio,table,hr,marquee';

  // The last thing before the selection, looking into inline elements; a
  // walk without recursion, however deeply the elements nest.
  function lastThing(root) {
    var c = root.lastChild;
    while (c) {
      if (c.nodeType === 3) {
        if (!blank(c.data)) return c;
      } else if (c.nodeType === 1) {
        if (c.nodeName === 'BR' || !c.firstChild) return c;
        c = c.lastChild;
        continue;
      }
      while (c !== root && !c.previousSibling) c = c.parentNode;
      if (c === root) return null;
      c = c.previousSibling;
    }
    return null;
  }

  // True when a line break at the selection would end its block: nothing
  // visible follows the selection up to the end of the block, and no break
  // stands right before it. The engine shows no line for a break at the very
  // end of a block, so the new line needs a second break to hold it open (the
  // engine drops that one as soon as something is typed on the line).
  zelvo.breakNeedsHolder = function () {
    var s = document.getSelection();
    if (!s || !s.rangeCount) return false;
    var r = s.getRangeAt(0);
    var block = r.endContainer;
    if (block.nodeType !== 1) block = block.parentNode;
    while (block && block !== document.body && block.nodeType === 1 &&
           getComputedStyle(block).display.indexOf('inline') === 0)
      block = block.parentNode;
    if (!block || block.nodeType !== 1) return false;
    var after = document.createRange();
    after.setStart(r.endContainer, r.endOffset);
    after.setEnd(block, block.childNodes.length);
    var rest = after.cloneContents();
    if (!blank(rest.textContent) || rest.querySelector(OBJECTS)) return false;
    var before = document.createRange();
    before.setStart(block, 0);
    before.setEnd(r.startContainer, r.startOffset);
    var previous = lastThing(before.cloneContents());
    return !(previous && previous.nodeName === 'BR');
  };
})(window.zelvo);
