// The editor's runtime: writing the page, inserting fragments and
// running the editing commands, each as one step of the history.
(function (zelvo) {
  'use strict';
  var history = zelvo.history;

  // A large page is parsed apart from the shown document, in a document of
  // its own, and then moved into the shown one whole. Parsed in the shown
  // document, the engine styles and lays out what it has so far every
  // little while, many times the cost of parsing it apart.
  // The same parser with scripting off (as the design view has it) builds
  // the same tree. The page arrives in pieces, each parsed as it comes, so
  // that its text is never held whole here.
  var apart = null;
  function parseApart(piece) {
    if (!apart) {
      apart = document.implementation.createHTMLDocument('');
      apart.open();
    }
    apart.write(piece);
  }
  function markupOf(doc) {
    var parts = [];
    for (var n = doc.firstChild; n; n = n.nextSibling) parts.push(nodeMarkup(n));
    return parts.join('');
  }
  // The parsed page into the shown document, which takes its mode from the
  // same doctype; false, with nothing moved, should the mode come out
  // different.
  function moveIn(parsed, editable, defer) {
    var doctype = parsed.doctype ? nodeMarkup(parsed.doctype) : '';
    document.open();
    document.write(doctype);
    document.close();
    if (document.compatMode !== parsed.compatMode) return false;
    // Editable and with the editor's sheets before the page comes in: each
    // of them set afterwards would make the engine style the page again.
    if (editable) document.designMode = 'on';
    sheetsFor(defer ? parsed : null);
    while (document.firstChild) document.removeChild(document.firstChild);
    var nodes = Array.prototype.slice.call(parsed.childNodes);
    for (var i = 0; i < nodes.length; i++) document.appendChild(document.adoptNode(nodes[i]));
    // Laid out before anything else asks: a selection set in a page of
    // megabytes that was never laid out kept the engine busy for minutes.
    document.documentElement.getBoundingClientRect();
    return true;
  }

  // The editor's own style sheets stay with the view, whatever page comes;
  // the old page's selection rule goes, and a large page's layout is
  // deferred.
  function sheetsFor(parsed) {
    if (!zelvo.sheets) return;
    zelvo.sheets.forgetSelection();
    zelvo.sheets.deferLayout(parsed);
    zelvo.sheets.apply();
  }

  // Replaces the whole document with the page, given as its text or parsed
  // apart (`defer`: with the layout of what lies off screen deferred); a
  // new, empty history starts.
  function writePage(text, parsed, editable, defer) {
    history.detach();
    if (!(parsed && moveIn(parsed, editable, defer))) {
      document.open();
      document.write(parsed ? markupOf(parsed) : text);
      document.close();
      if (editable) document.designMode = 'on';
      sheetsFor(defer ? parsed : null);
    }
    history.attach();
    watchTypingAfterObjects();
    if (zelvo.placeholders) zelvo.placeholders.watch();
    history.changeCount++;
    zelvo.caretToStart();
    if (zelvo.sheets) zelvo.sheets.watchSelection();
    return true;
  }
  zelvo.write = function (text, editable) { return writePage(text, null, editable); };
  // Large pages arrive in pieces; the last call writes them as one page.
  zelvo.pieces = [];
  zelvo.startPieces = function () { zelvo.pieces = []; apart = null; return true; };
  zelvo.addPiece = function (piece, toParse) {
    if (toParse) parseApart(piece); else zelvo.pieces.push(piece);
    return true;
  };
  zelvo.writePieces = function (editable, defer) {
    var parsed = apart;
    apart = null;
    if (parsed) parsed.close();
    var text = zelvo.pieces.join('');
    zelvo.pieces = [];
    return writePage(text, parsed, editable, defer);
  };

  // A large fragment arrives the same way and goes in as one insertion.
  zelvo.pastePieces = function () {
    var html = zelvo.pieces.join('');
    zelvo.pieces = [];
    return zelvo.paste(html);
  };

  // The caret of a new page stands at the start of the body, where the
  // engine finds the first place a caret can stand by stepping over what is
  // in front of it, each step looking at all of the node's ancestors. In
  // front of thousands of empty, deeply nested elements that took seconds,
  // and again at every key typed there. When the page's first text or
  // picture lies that deep, the caret is put at it directly.
  var NEAR_START = 1000;
  var ATOMIC = /^(IMG|BR|HR|INPUT|TEXTAREA|SELECT|BUTTON|IFRAME|OBJECT|EMBED|VIDEO|AUDIO|CANVAS|SVG|METER|PROGRESS)$/i;
  function shown(e) { return e && e.getClientRects().length > 0; }
  function firstCaretPlace(body) {
    var walker = document.createTreeWalker(body, NodeFilter.SHOW_ELEMENT | NodeFilter.SHOW_TEXT);
    var steps = 0;
    for (var n = walker.nextNode(); n; n = walker.nextNode()) {
      ++steps;
      if (n.nodeType === 3) {
        if (/\S/.test(n.data) && shown(n.parentElement)) return { steps: steps, node: n, offset: 0 };
      } else if (ATOMIC.test(n.nodeName) && shown(n)) {
        return { steps: steps, node: n.parentNode, offset: Array.prototype.indexOf.call(n.parentNode.childNodes, n) };
      }
    }
    return null;
  }
  zelvo.caretToStart = function () {
    var body = document.body, s = document.getSelection();
    if (!body || !s) return;
    var place = firstCaretPlace(body);
    try {
      if (place && place.steps > NEAR_START) s.collapse(place.node, place.offset);
      else s.collapse(body, 0);
    } catch (e) {}
  };

  // Typing goes into the page: the editable body takes the focus (the
  // engine takes no keys before it has a focused element, whatever the
  // window's focus), the caret stays where it was, and a caret outside the
  // body is put at its start.
  zelvo.focus = function () {
    window.focus();
    var body = document.body, s = document.getSelection();
    if (!body || !s) return false;
    var inside = s.rangeCount > 0 && body.contains(s.getRangeAt(0).commonAncestorContainer);
    var caret = inside ? zelvo.saveSelection() : null;
    body.focus();
    if (caret) zelvo.restoreSelection(caret); else zelvo.caretToStart();
    return document.hasFocus();
  };

  // The parser drops a newline that directly follows the start tag of these
  // elements, and the engine's serialisation does not write one back: a
  // block that starts with a blank line would lose a line at every save.
  // Before the page is serialised such a newline is doubled, and afterwards
  // undone, without either counting as a change.
  var LEADING_NEWLINE = 'pre,textarea,listing';
  var doubled = [];
  zelvo.keepLeadingNewlines = function () {
    doubled = [];
    history.quietly(function () {
      var blocks = document.querySelectorAll(LEADING_NEWLINE);
      for (var i = 0; i < blocks.length; i++) {
        var first = blocks[i].firstChild;
        if (first && first.nodeType === 3 && first.data.charAt(0) === '\n') {
          first.data = '\n' + first.data;
          doubled.push(first);
        }
      }
    });
    return doubled.length;
  };
  zelvo.restoreLeadingNewlines = function () {
    history.quietly(function () {
      for (var i = 0; i < doubled.length; i++)
        if (doubled[i].data.charAt(0) === '\n') doubled[i].data = doubled[i].data.slice(1);
    });
    doubled = [];
    return true;
  };

  // The page as text, as the engine serialises each node: the doctype, the
  // comments around the root and the root element, with the newline the
  // parser takes from the start of pre, textarea and listing written twice.
  // The text stays here until the editor has taken it in pieces: one answer
  // of many megabytes does not cross to the editor.
  function nodeMarkup(n) {
    switch (n.nodeType) {
    case 1: return n.outerHTML;
    case 3: return n.data;
    case 7: return '<?' + n.target + ' ' + n.data + '>';
    case 8: return '<!--' + n.data + '-->';
    case 10:
      var t = '<!DOCTYPE ' + n.name;
      if (n.publicId) {
        t += ' PUBLIC "' + n.publicId + '"';
        if (n.systemId) t += ' "' + n.systemId + '"';
      } else if (n.systemId) {
        t += ' SYSTEM "' + n.systemId + '"';
      }
      return t + '>';
    }
    return '';
  }
  var reading = '';
  zelvo.read = function () {
    var parts = [];
    zelvo.keepLeadingNewlines();
    try {
      for (var n = document.firstChild; n; n = n.nextSibling) parts.push(nodeMarkup(n));
    } finally {
      zelvo.restoreLeadingNewlines();
    }
    reading = parts.join('');
    return reading.length;
  };
  // Never ends between the two halves of a surrogate pair.
  zelvo.readingPiece = function (from, count) {
    var end = Math.min(from + count, reading.length);
    if (end < reading.length && end > from + 1) {
      var c = reading.charCodeAt(end - 1);
      if (c >= 0xD800 && c <= 0xDBFF) end--;
    }
    return reading.slice(from, end);
  };
  zelvo.readingDone = function () { reading = ''; return true; };

  // The place an insertion goes: the selection, kept inside the body.
  function insertionRange() {
    var s = document.getSelection();
    if (!s || !s.rangeCount) return null;
    // A copy: changing the selection's own range while inserting makes the
    // engine lay out the whole page at every step.
    var r = s.getRangeAt(0).cloneRange();
    var body = document.body;
    if (body && !body.contains(r.commonAncestorContainer)) {
      r = document.createRange();
      r.selectNodeContents(body);
      r.collapse(false);
    }
    return r;
  }

  // Inserts the markup as given at the caret or over the selection; the
  // caret ends right after it. The engine's own insertHTML would rewrite it.
  zelvo.paste = function (html) {
    var r = insertionRange();
    if (!r) return false;
    history.begin('paste');
    r.deleteContents();
    var fragment = r.createContextualFragment(html);
    var last = fragment.lastChild;
    if (last) {
      r.insertNode(fragment);
      var after = document.createRange();
      after.setStartAfter(last);
      after.collapse(true);
      var s = document.getSelection();
      s.removeAllRanges();
      s.addRange(after);
    }
    // Conditional comments after a drawing (WordArt's) belong to it.
    var content = last;
    while (content && (content.nodeType === 8 || (content.nodeType === 3 && !/\S/.test(content.data))))
      content = content.previousSibling;
    objectBeforeCaret = content && endsInObject(content) ? last : null;
    objectStart = objectBeforeCaret ? content : null;
    history.end();
    return true;
  };

  // After an insertion that ends in an object without text of its own (a
  // picture, a player, a frame, a table, WordArt), what is typed next goes
  // right after it. Left to itself the engine takes the caret into the
  // object's last inline element: typed text landed inside WordArt's shape.
  var OBJECT_ELEMENTS = 'img,svg,embed,object,iframe,table,script,bgsound,video,audio,canvas,hr,input,select,textarea,button,marquee';
  function isVml(n) { return n.nodeType === 1 && /^[vo]:/i.test(n.nodeName); }
  function endsInObject(n) {
    if (n.nodeType !== 1) return false;
    if (isVml(n) || n.matches(OBJECT_ELEMENTS)) return true;
    if (!/^[\s\u00a0]*$/.test(n.textContent)) return false;
    if (n.querySelector(OBJECT_ELEMENTS)) return true;
    var all = n.getElementsByTagName('*');
    for (var i = 0; i < all.length; i++) if (isVml(all[i])) return true;
    return false;
  }
  // The object an insertion just ended in, until the user moves the caret.
  var objectBeforeCaret = null, objectStart = null;
  // True while the caret stands where the insertion left it, right after
  // the object: as it was put there, or where the engine moved it into the
  // object when the page took the focus back from the dialog.
  function caretRightAfterObject() {
    var n = objectBeforeCaret, s = document.getSelection();
    if (!n || !n.parentNode || !s || s.rangeCount !== 1 || !s.isCollapsed) return false;
    for (var o = objectStart || n; o; o = o === n ? null : o.nextSibling)
      if (o.contains(s.anchorNode)) return true;
    return s.anchorNode === n.parentNode && s.anchorOffset > 0 &&
      n.parentNode.childNodes[s.anchorOffset - 1] === n;
  }
  var MOVING_KEYS = /^(Arrow|Page|Home$|End$|Tab$|Escape$)/;
  function caretMoved(e) {
    if (e.type === 'mousedown' || MOVING_KEYS.test(e.key)) objectBeforeCaret = null;
  }
  // A text node of its own right after the object, with the caret at its end.
  function textAfterObject(data) {
    var text = document.createTextNode(data);
    objectBeforeCaret.parentNode.insertBefore(text, objectBeforeCaret.nextSibling);
    objectBeforeCaret = null;
    document.getSelection().collapse(text, data.length);
    return text;
  }
  function typeAfterObject(e) {
    if (e.inputType !== 'insertText' || !e.data || !caretRightAfterObject()) return;
    e.preventDefault();
    // A space alone at the end of a line would not show, and the caret
    // with it: as the engine does, it goes in as a non-breaking space.
    textAfterObject(e.data.replace(/ /g, '\u00a0'));
    history.end(); // the history's own listener began the step
  }
  // A composition cannot be redirected once it runs: it starts in a text
  // node after the object, held open by a zero-width space that goes again
  // when the composition ends.
  var holder = null;
  function compositionAfterObject() {
    if (!caretRightAfterObject()) return;
    history.begin('typing');
    holder = textAfterObject('\u200b');
  }
  function compositionEnded() {
    var text = holder;
    holder = null;
    if (!text || !text.parentNode) return;
    var at = text.data.indexOf('\u200b');
    if (at < 0) return;
    var s = document.getSelection();
    var caret = s.anchorNode === text ? s.anchorOffset : -1;
    if (text.data.length === 1) {
      var parent = text.parentNode, index = Array.prototype.indexOf.call(parent.childNodes, text);
      parent.removeChild(text);
      s.collapse(parent, index);
    } else {
      text.deleteData(at, 1);
      if (caret >= 0) s.collapse(text, caret > at ? caret - 1 : caret);
    }
    history.end();
  }
  // Writing a page removes the document's listeners: each page gets them anew.
  function watchTypingAfterObjects() {
    objectBeforeCaret = null;
    holder = null;
    document.removeEventListener('beforeinput', typeAfterObject, true);
    document.addEventListener('beforeinput', typeAfterObject, true);
    document.removeEventListener('compositionstart', compositionAfterObject, true);
    document.addEventListener('compositionstart', compositionAfterObject, true);
    document.removeEventListener('compositionend', compositionEnded, true);
    document.addEventListener('compositionend', compositionEnded, true);
    document.removeEventListener('mousedown', caretMoved, true);
    document.addEventListener('mousedown', caretMoved, true);
    document.removeEventListener('keydown', caretMoved, true);
    document.addEventListener('keydown', caretMoved, true);
  }

  var BLOCKS = /^(P|DIV|H[1-6]|LI|TD|TH|BLOCKQUOTE|PRE|ADDRESS|CENTER|DD|DT|CAPTION|BODY|FORM|FIELDSET|TABLE|TR|UL|OL|DL)$/;
  // The blocks the selection touches: every block ancestor of each node in
  // the range, up to the body.
  function touchedBlocks(r) {
    var found = [], seen = new Set();
    function add(n) {
      if (!seen.has(n)) { seen.add(n); found.push(n); }
    }
    function addChain(n) {
      for (; n && n !== document.documentElement; n = n.parentNode) {
        if (n.nodeType === 1 && BLOCKS.test(n.tagName)) add(n);
        if (n === document.body) break;
      }
    }
    addChain(r.startContainer);
    addChain(r.endContainer);
    var root = r.commonAncestorContainer;
    if (root.nodeType === 1) {
      var walker = document.createTreeWalker(root, NodeFilter.SHOW_ELEMENT);
      for (var n = walker.nextNode(); n; n = walker.nextNode())
        if (BLOCKS.test(n.tagName) && r.intersectsNode(n)) add(n);
    }
    return found;
  }
  // No alignment: the blocks of the selection lose theirs.
  function justifyNone() {
    var s = document.getSelection();
    if (!s || !s.rangeCount) return false;
    touchedBlocks(s.getRangeAt(0)).forEach(function (block) {
      if (block.hasAttribute('align')) block.removeAttribute('align');
      if (block.style && block.style.textAlign) {
        block.style.removeProperty('text-align');
        if (!block.getAttribute('style')) block.removeAttribute('style');
      }
    });
    return true;
  }

  // An editing command on the selection, as one step of the history.
  zelvo.exec = function (name, value) {
    history.begin('command:' + name);
    var ok;
    try {
      ok = name === 'JustifyNone' ? justifyNone() : document.execCommand(name, false, value);
    } catch (e) { ok = false; }
    history.end();
    return !!ok;
  };
  // The clipboard commands and select-all; the engine may refuse the
  // clipboard ones to scripts, and the editor then runs its own action.
  zelvo.rangeCommand = function (name) {
    history.begin('command:' + name);
    var ok;
    try { ok = document.execCommand(name, false, null); } catch (e) { ok = false; }
    history.end();
    return !!ok;
  };
})(window.zelvo);
