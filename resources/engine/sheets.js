// The editor's runtime: style sheets of the editor's own.
//
// A sheet set here is adopted into the document beside the page's own style
// sheets: it changes how the design view shows the page without being part
// of the page. Adopted sheets are never serialised, so the page's text (what
// is saved and what the code view shows) stays as it is. Sheets are known by
// name; setting a name again replaces its sheet, an empty text removes it.
(function (zelvo) {
  'use strict';
  var sheets = zelvo.sheets = { byName: {}, names: [] };

  function isOurs(sheet) {
    for (var i = 0; i < sheets.names.length; i++)
      if (sheets.byName[sheets.names[i]] === sheet) return true;
    return false;
  }

  // The document adopts every named sheet, after any sheets it adopted otherwise.
  sheets.apply = function () {
    var others = Array.prototype.filter.call(document.adoptedStyleSheets || [],
                                             function (s) { return !isOurs(s); });
    var ours = sheets.names.map(function (n) { return sheets.byName[n]; });
    try { document.adoptedStyleSheets = others.concat(ours); } catch (e) { return false; }
    return true;
  };

  sheets.set = function (name, css) {
    var old = sheets.byName[name];
    if (!css) {
      if (old) {
        delete sheets.byName[name];
        sheets.names.splice(sheets.names.indexOf(name), 1);
        // The removed sheet must leave the document too.
        document.adoptedStyleSheets = Array.prototype.filter.call(
          document.adoptedStyleSheets, function (s) { return s !== old; });
      }
      return sheets.apply();
    }
    var sheet = old || new CSSStyleSheet();
    sheet.replaceSync(css);
    if (!old) { sheets.byName[name] = sheet; sheets.names.push(name); }
    return sheets.apply();
  };

  // On a large page the editor defers the layout of the page's blocks that
  // lie off screen: the engine lays out and paints each block only when it
  // comes near the view, and takes the given height for one it has never
  // shown (then the height it last had). It costs the page a little of its
  // look (each such block clips what overflows it, and floats do not reach
  // from one block into the next), so small pages go without.
  //
  // The blocks are the children of the body, or of the one element that
  // holds nearly all of the page however deep it lies: word processors and
  // many sites wrap the whole page in a single element, which would
  // otherwise be one block, on screen and laid out whole.
  //
  // The engine cannot place a caret in a block it has not laid out: a
  // selection that ends in one (an undo far away, a jump to the end) would
  // type in the wrong place. The blocks that hold the selection's ends are
  // therefore always laid out, and so are the last three, where Ctrl+End
  // puts the caret at once, before the engine would lay them out for being
  // on screen.
  var DEFERRED = 'deferred-layout', SHOWN = 'selection-blocks';
  var shownRule = '';
  var holderSelector = 'body', holderElement = null;
  var WRAPPER_CHILDREN = 8, NEARLY_ALL = 0.9, DEEPEST = 16;
  function elementCount(e) { return e.getElementsByTagName('*').length; }
  // The selector of the element whose children are the page's blocks, in a
  // document not shown yet.
  function holderOf(doc) {
    var selector = 'body', e = doc.body;
    if (!e) return selector;
    for (var depth = 0; depth < DEEPEST && e.children.length <= WRAPPER_CHILDREN; depth++) {
      var all = elementCount(e), best = null, bestCount = -1, bestAt = 0;
      for (var i = 0; i < e.children.length; i++) {
        var count = elementCount(e.children[i]) + 1;
        if (count > bestCount) { best = e.children[i]; bestCount = count; bestAt = i + 1; }
      }
      if (!best || bestCount < NEARLY_ALL * all) break;
      e = best;
      selector += ' > :nth-child(' + bestAt + ')';
    }
    return selector;
  }
  // Sets the deferred layout for the page in `parsed` (null: none). Called
  // while the shown document is still empty: changing a sheet adopted by a
  // large page makes the engine style all of it again.
  function deferredCss(holder) {
    return holder + ' > * { content-visibility: auto; contain-intrinsic-size: auto 40px; } ' +
      holder + ' > :nth-last-child(-n+3) { content-visibility: visible; }';
  }
  sheets.deferLayout = function (parsed) {
    holderSelector = parsed ? holderOf(parsed) : 'body';
    holderElement = null; // known once the page is in
    return sheets.set(DEFERRED, parsed ? deferredCss(holderSelector) : '');
  };
  // A wrapper is known by its place. Should an edit move it (a paragraph
  // typed before it), the rules follow it: left pointing at its old place,
  // they would leave all of its blocks to be laid out at once.
  function followHolder() {
    if (!sheets.byName[DEFERRED] || holderSelector === 'body') return;
    var now = document.querySelector(holderSelector);
    if (!holderElement) holderElement = now;
    if (!holderElement || now === holderElement) return;
    var steps = [], e = holderElement;
    for (; e && e !== document.body; e = e.parentElement) steps.unshift(' > :nth-child(' + position(e) + ')');
    holderSelector = e ? 'body' + steps.join('') : 'body';
    if (!e) holderElement = null;
    sheets.set(DEFERRED, deferredCss(holderSelector));
  }
  function topBlock(n) {
    var holder = document.querySelector(holderSelector);
    while (n && n.parentNode !== holder) n = n.parentNode;
    return n && n.nodeType === 1 ? n : null;
  }
  function position(e) {
    var i = 1;
    for (var c = e.previousElementSibling; c; c = c.previousElementSibling) i++;
    return i;
  }
  // A block on screen is laid out anyway. Changing the rule makes the
  // engine look at the style of the whole page again, so a selection on
  // screen leaves the rule as it is.
  function onScreen(b) {
    var r = b.getBoundingClientRect();
    return r.bottom >= 0 && r.top <= window.innerHeight;
  }
  function showSelectionBlocks() {
    followHolder();
    var rule = '';
    var s = document.getSelection();
    if (sheets.byName[DEFERRED] && s && document.body) {
      var seen = [];
      [s.anchorNode, s.focusNode].forEach(function (n) {
        var b = topBlock(n);
        if (b && seen.indexOf(b) < 0 && !onScreen(b)) seen.push(b);
      });
      if (!seen.length && (s.anchorNode || s.focusNode)) return;
      if (seen.length)
        rule = seen.map(function (b) { return holderSelector + ' > :nth-child(' + position(b) + ')'; }).join(', ') +
          ' { content-visibility: visible; }';
    }
    if (rule !== shownRule) {
      shownRule = rule;
      sheets.set(SHOWN, rule);
    }
  }
  // While a new page comes in, before its nodes: the rule is the old
  // page's, and changing it once the new page is in would make the engine
  // style it all again.
  sheets.forgetSelection = function () {
    shownRule = '';
    if (sheets.byName[SHOWN]) sheets.set(SHOWN, '');
  };
  // For every new document, once its page is in (the old page's rule went
  // before): writing a page removes the document's listeners.
  sheets.watchSelection = function () {
    document.removeEventListener('selectionchange', showSelectionBlocks);
    document.addEventListener('selectionchange', showSelectionBlocks);
    showSelectionBlocks();
  };

  // The element whose children are the page's blocks (the body, or the
  // element that holds nearly all of a large page).
  sheets.blocksHolder = function () {
    return document.querySelector(holderSelector) || document.body;
  };

  // The names adopted now, for checks.
  sheets.adopted = function () {
    return sheets.names.filter(function (n) {
      return Array.prototype.indexOf.call(document.adoptedStyleSheets, sheets.byName[n]) >= 0;
    });
  };
})(window.zelvo);
