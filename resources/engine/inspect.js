// The editor's runtime, part 4: the element under a point of the view, for
// the status bar's inspector.
(function (zelvo) {
  'use strict';

  function text(value) { return value === undefined || value === null ? '' : String(value); }

  // Tag name, inner text and outer HTML of the element at the point (in the
  // view's coordinates); three empty texts when no element lies there.
  zelvo.elementAt = function (x, y) {
    var e = document.elementFromPoint(x, y);
    if (!e) return ['', '', ''];
    return [text(e.tagName), text(e.innerText), text(e.outerHTML)];
  };
})(window.zelvo);
