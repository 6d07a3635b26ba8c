// The editor's runtime: find and replace in the text the user sees.
//
// The page's visible text is taken apart from its markup once per change of
// the page: the text nodes of the body in document order, skipping scripts,
// styles and the like, joined into one string with a separator wherever a
// block ends (a match never runs from one paragraph into the next). A match
// may run across inline markup (half of it bold, a link inside a sentence);
// it never lies in a tag name, an attribute value or a comment, which are
// not text nodes. Replacing is DOM work through the editor's history.
(function (zelvo) {
  'use strict';
  var history = zelvo.history;
  var find = zelvo.find = {};

  var SKIPPED = /^(SCRIPT|STYLE|NOSCRIPT|TEMPLATE|TITLE|HEAD|IFRAME|OBJECT|SELECT|OPTION)$/;
  var BLOCKS = /^(P|DIV|H[1-6]|LI|TD|TH|TR|TABLE|TBODY|THEAD|TFOOT|CAPTION|UL|OL|DL|DT|DD|BLOCKQUOTE|PRE|ADDRESS|CENTER|FORM|FIELDSET|LEGEND|SECTION|ARTICLE|ASIDE|HEADER|FOOTER|NAV|MAIN|FIGURE|FIGCAPTION|HR|BR|BODY|TEXTAREA|MARQUEE)$/;
  var BREAK = '\u0000';

  // The visible text: one string, the text nodes it comes from and where
  // each starts in it. Made again when the page changed since. Text nodes
  // whose nearest blocks differ get a separator between them.
  var text = null, lower = null, nodes = [], starts = [], madeAt = -1;
  function build() {
    var count = history.changes();
    if (text !== null && madeAt === count && (!nodes.length || nodes[0].isConnected)) return;
    var parts = [], length = 0;
    nodes = [];
    starts = [];
    var body = document.body;
    // One walk without recursion; a count that moves on at every start and
    // end of a block tells when a block lies between two texts.
    var blockEdges = 0, edgesAtLastText = 0;
    var n = body ? body.firstChild : null;
    while (n) {
      var type = n.nodeType, descend = false;
      if (type === 3) {
        var data = n.data;
        if (data.length) {
          if (blockEdges !== edgesAtLastText && nodes.length) { parts.push(BREAK); length++; }
          edgesAtLastText = blockEdges;
          nodes.push(n);
          starts.push(length);
          parts.push(data);
          length += data.length;
        }
      } else if (type === 1) {
        var name = n.nodeName;
        if (!SKIPPED.test(name)) {
          if (BLOCKS.test(name)) blockEdges++;
          descend = n.firstChild !== null;
        }
      }
      if (descend) { n = n.firstChild; continue; }
      // On to the next node: the sibling, or that of the first ancestor
      // that has one, counting the blocks left on the way.
      while (n !== body && !n.nextSibling) {
        n = n.parentNode;
        if (n.nodeType === 1 && BLOCKS.test(n.nodeName)) blockEdges++;
      }
      if (n === body) break;
      if (n.nodeType === 1 && BLOCKS.test(n.nodeName)) blockEdges++;
      n = n.nextSibling;
    }
    text = parts.join('');
    lower = null;
    madeAt = count;
  }

  // The text node and offset of a place in the visible text.
  function place(index, atEnd) {
    var lo = 0, hi = starts.length - 1;
    while (lo < hi) {
      var mid = (lo + hi + 1) >> 1;
      if (starts[mid] < index || (!atEnd && starts[mid] === index)) lo = mid; else hi = mid - 1;
    }
    var node = nodes[lo];
    return { node: node, offset: Math.min(Math.max(index - starts[lo], 0), node.data.length) };
  }
  function rangeOf(m) {
    var a = place(m.start, false), b = place(m.end, true);
    var r = document.createRange();
    r.setStart(a.node, a.offset);
    r.setEnd(b.node, b.offset);
    return r;
  }

  // Letters and digits make words; Han characters stand alone, as the
  // language has no spaces between its words.
  var WORD = /[\p{L}\p{N}_]/u, HAN = /\p{Script=Han}/u;
  function wordChar(c) { return !!c && WORD.test(c) && !HAN.test(c); }
  function pattern(query, caseSensitive) {
    var escaped = query.replace(/[.*+?^${}()|[\]\\]/g, '\\$&').replace(/\s+/g, '\\s+');
    return new RegExp(escaped, 'g' + (caseSensitive ? '' : 'i') + 'u');
  }

  var matches = [], current = -1, query = '', options = {}, searchedAt = -1;
  function accept(start, end) {
    if (text.substring(start, end).indexOf(BREAK) >= 0) return;
    if (options.wholeWord &&
        ((wordChar(text.charAt(start - 1)) && wordChar(text.charAt(start))) ||
         (wordChar(text.charAt(end - 1)) && wordChar(text.charAt(end))))) return;
    matches.push({ start: start, end: end });
  }
  function search(q, opts) {
    build();
    searchedAt = madeAt;
    matches = [];
    query = q;
    options = opts || {};
    if (!q) return;
    // A query without white space is looked up as it is, in the text or in
    // its lower-case copy (where that keeps every character in place);
    // white space in the query matches any run of white space.
    if (!/\s/.test(q)) {
      var haystack = text, needle = q;
      if (!options.caseSensitive) {
        if (lower === null) lower = text.toLowerCase();
        needle = q.toLowerCase();
        haystack = lower.length === text.length && needle.length === q.length ? lower : null;
      }
      if (haystack !== null) {
        for (var at = haystack.indexOf(needle); at >= 0; at = haystack.indexOf(needle, at + needle.length))
          accept(at, at + needle.length);
        return;
      }
    }
    var re = pattern(q, options.caseSensitive), m;
    while ((m = re.exec(text)) !== null) {
      if (!m[0].length) { re.lastIndex++; continue; }
      accept(m.index, m.index + m[0].length);
    }
  }

  // The index of the visible text at a place of the page.
  function indexAt(container, offset) {
    if (!nodes.length) return 0;
    var probe = document.createRange();
    try { probe.setStart(container, offset); } catch (e) { return 0; }
    // The last text node that starts at or before the place.
    var lo = -1, hi = nodes.length - 1;
    while (lo < hi) {
      var mid = (lo + hi + 1) >> 1;
      if (probe.comparePoint(nodes[mid], 0) <= 0) lo = mid; else hi = mid - 1;
    }
    if (lo < 0) return 0;
    var node = nodes[lo];
    return starts[lo] + (container === node ? offset : node.data.length);
  }
  // The index at the selection's start (or end).
  function caretIndex(atEnd) {
    var s = document.getSelection();
    if (!s || !s.rangeCount) return 0;
    var r = s.getRangeAt(0);
    return atEnd ? indexAt(r.endContainer, r.endOffset) : indexAt(r.startContainer, r.startOffset);
  }
  function select(m) {
    var r = rangeOf(m);
    var s = document.getSelection();
    s.removeAllRanges();
    s.addRange(r);
    var rect = r.getBoundingClientRect();
    var dy = rect.top < 0 || rect.bottom > window.innerHeight ? rect.top - window.innerHeight / 3 : 0;
    var dx = rect.left < 0 || rect.right > window.innerWidth ? rect.left - window.innerWidth / 3 : 0;
    if (dx || dy) window.scrollBy(dx, dy);
  }

  function summary(wrapped) {
    return { count: matches.length, current: current + 1, wrapped: !!wrapped };
  }

  // Counts the matches without moving the selection (as the query is typed).
  find.count = function (q, opts) {
    search(q, opts);
    current = -1;
    return summary(false);
  };

  // The next (or previous) match from the selection, selected and brought
  // into view; wrapped tells that the search went round the end.
  find.next = function (q, opts, backwards) {
    search(q, opts);
    current = -1;
    if (!matches.length) return summary(false);
    var wrapped = false;
    if (backwards) {
      var before = caretIndex(false);
      for (var i = matches.length - 1; i >= 0; i--) if (matches[i].end <= before) { current = i; break; }
      if (current < 0) { current = matches.length - 1; wrapped = true; }
    } else {
      var after = caretIndex(true);
      for (var j = 0; j < matches.length; j++) if (matches[j].start >= after) { current = j; break; }
      if (current < 0) { current = 0; wrapped = true; }
    }
    select(matches[current]);
    return summary(wrapped);
  };

  // The match, put in place of by the new text in the text node where the
  // match begins, so that it keeps that formatting; whatever else of the
  // match there was (text in other nodes, elements wholly inside it) goes.
  function replaceMatch(m, replacement) {
    var a = place(m.start, false), b = place(m.end, true);
    if (a.node === b.node) {
      a.node.replaceData(a.offset, b.offset - a.offset, replacement);
      return { node: a.node, offset: a.offset + replacement.length };
    }
    var rest = document.createRange();
    rest.setStart(a.node, a.node.data.length);
    rest.setEnd(b.node, b.offset);
    rest.deleteContents();
    a.node.replaceData(a.offset, a.node.data.length - a.offset, replacement);
    return { node: a.node, offset: a.offset + replacement.length };
  }

  // Replaces the selected match, if the selection is one, and goes on to the next.
  find.replace = function (q, opts, replacement) {
    search(q, opts);
    var s = document.getSelection();
    if (s && s.rangeCount && !s.isCollapsed) {
      var start = caretIndex(false), end = caretIndex(true);
      for (var i = 0; i < matches.length; i++) {
        if (matches[i].start === start && matches[i].end === end) {
          history.begin('replace');
          var at = replaceMatch(matches[i], replacement);
          s.collapse(at.node, at.offset);
          history.end();
          break;
        }
      }
    }
    return find.next(q, opts, false);
  };

  // Every match replaced, as one step of the history; the text put in is
  // never searched again. The number replaced.
  find.replaceAll = function (q, opts, replacement) {
    search(q, opts);
    var done = matches.length;
    if (!done) return 0;
    history.begin('replace all');
    var at = null;
    for (var i = matches.length - 1; i >= 0; i--) {
      var put = replaceMatch(matches[i], replacement);
      if (!at) at = put;
    }
    if (at && at.node.isConnected) document.getSelection().collapse(at.node, at.offset);
    history.end();
    matches = [];
    current = -1;
    return done;
  };

  // Where the matches on screen are, in the view's coordinates, for the
  // editor to mark them over the page; the current one first.
  find.marks = function () {
    var out = { current: [], others: [] };
    // The page changed since: the matches are found again.
    build();
    if (query && searchedAt !== madeAt) { search(query, options); current = -1; }
    if (!matches.length) return out;
    // Only what is on screen is measured: the blocks of the page that lie
    // on screen bound the matches to look at. A block's own box is there
    // without laying out what it holds; a match in a block of a large page
    // that was never shown would be laid out to be measured.
    var height = window.innerHeight;
    var holder = zelvo.sheets && zelvo.sheets.blocksHolder ? zelvo.sheets.blocksHolder() : document.body;
    if (!holder) return out;
    var blocks = holder.children, count = blocks.length;
    var lo = 0, hi = count;
    while (lo < hi) {
      var mid = (lo + hi) >> 1;
      if (blocks[mid].getBoundingClientRect().bottom < 0) lo = mid + 1; else hi = mid;
    }
    var end = lo;
    while (end < count && blocks[end].getBoundingClientRect().top <= height) end++;
    var position = function (i) { return i < count ? Array.prototype.indexOf.call(holder.childNodes, blocks[i]) : holder.childNodes.length; };
    var first = count ? indexAt(holder, position(Math.max(lo - 1, 0))) : 0;
    var last = count ? indexAt(holder, position(Math.min(end + 1, count))) : text.length;
    lo = 0; hi = matches.length;
    while (lo < hi) {
      var middle = (lo + hi) >> 1;
      if (matches[middle].end < first) lo = middle + 1; else hi = middle;
    }
    for (var i = lo; i < matches.length && i < lo + 2000 && matches[i].start <= last; i++) {
      var rects = rangeOf(matches[i]).getClientRects();
      var list = i === current ? out.current : out.others;
      for (var k = 0; k < rects.length; k++) {
        var r = rects[k];
        if (r.bottom < 0 || r.top > height) continue;
        list.push([Math.round(r.left), Math.round(r.top), Math.ceil(r.width), Math.ceil(r.height)]);
      }
    }
    return out;
  };

  find.clear = function () { matches = []; current = -1; query = ''; return true; };
})(window.zelvo);
