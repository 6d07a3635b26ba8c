// The editor's runtime: the element under a point of the view, for
// the status bar's inspector.
(function (zelvo) {
  'use strict';

  function text(value) { return value === undefined || value === null ? '' : String(value); }

  // The status bar shows a line of each text. The inspector asks again
  // whenever the view changes, so an element holding most of the page (the
  // body between two paragraphs of a page of megabytes) must not be laid out
  // and serialised whole each time: of such an element only the start is
  // taken, at most this many characters of each text.
  var LIMIT = 4096, NODES = 1000;

  function isSmall(e) {
    var walker = document.createTreeWalker(e, NodeFilter.SHOW_ALL), chars = 0, nodes = 0;
    for (var n = walker.nextNode(); n; n = walker.nextNode()) {
      if (++nodes > NODES) return false;
      if (n.nodeType === 3 && (chars += n.data.length) > LIMIT) return false;
    }
    return true;
  }

  // The start of the element's text, white space run together as the line
  // shows it anyway.
  function textStart(e) {
    var walker = document.createTreeWalker(e, NodeFilter.SHOW_TEXT), parts = [], length = 0;
    for (var n = walker.nextNode(); n && length < LIMIT; n = walker.nextNode()) {
      if (/^(SCRIPT|STYLE)$/.test(n.parentNode.nodeName)) continue;
      parts.push(n.data);
      length += n.data.length;
    }
    return parts.join('').replace(/[ \t\r\n\f]+/g, ' ').slice(0, LIMIT);
  }

  // Elements whose text is written as it stands (noscript is not one of
  // them: the design view runs no scripts).
  var RAW = /^(SCRIPT|STYLE|XMP|IFRAME|NOEMBED|NOFRAMES|PLAINTEXT)$/;
  function escaped(data) {
    return data.replace(/&/g, '&amp;').replace(/\u00a0/g, '&nbsp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  }

  // The start of the element's markup as outerHTML writes it, node by node
  // until the limit is passed.
  function markupStart(e) {
    var out = [], length = 0;
    function add(s) { out.push(s); length += s.length; }
    function walk(n) {
      if (length >= LIMIT) return;
      if (n.nodeType === 3) {
        add(RAW.test(n.parentNode.nodeName) ? n.data : escaped(n.data));
      } else if (n.nodeType === 8) {
        add('<!--' + n.data + '-->');
      } else if (n.nodeType === 1) {
        if (!n.firstChild || n.nodeName === 'TEMPLATE') { add(n.outerHTML); return; }
        var shell = n.cloneNode(false).outerHTML;
        var end = shell.match(/<\/[^<>]*>$/);
        if (!end) { add(shell); return; }
        add(shell.slice(0, shell.length - end[0].length));
        for (var c = n.firstChild; c && length < LIMIT; c = c.nextSibling) walk(c);
        add(end[0]);
      }
    }
    walk(e);
    return out.join('').slice(0, LIMIT);
  }

  // Tag name, inner text and outer HTML of an element.
  zelvo.describe = function (e) {
    if (isSmall(e)) return [text(e.tagName), text(e.innerText), text(e.outerHTML)];
    return [text(e.tagName), textStart(e), markupStart(e)];
  };
  // The same of the element at the point (in the view's coordinates); three
  // empty texts when no element lies there.
  zelvo.elementAt = function (x, y) {
    var e = document.elementFromPoint(x, y);
    return e ? zelvo.describe(e) : ['', '', ''];
  };
})(window.zelvo);
