// The editor's runtime: markup pasted from word processors and web pages,
// kept with its structure and rid of its clutter; and the page's relative
// addresses, for a page saved into another folder.
(function (zelvo) {
  'use strict';
  var history = zelvo.history;
  var paste = zelvo.pasting = {};

  // Office's own elements (o:p, w:..., v:..., st1:...) and what a pasted
  // page brings for itself alone.
  var DROPPED = /^(STYLE|META|LINK|TITLE|SCRIPT|XML|HEAD|BASE|NOSCRIPT|TEMPLATE)$/;
  var PREFIXED = /^[A-Z0-9]+:/;
  // Style declarations that only the word processor reads.
  var CLUTTER_STYLE = /^(mso-|tab-stops|layout-grid|text-autospace|page-break|font-family)/i;
  var KEPT_EMPTY = /^(IMG|BR|HR|TD|TH|TR|TABLE|TBODY|THEAD|TFOOT|COL|COLGROUP|INPUT|IFRAME|EMBED|OBJECT|P|LI|A)$/;

  function unwrap(e) {
    var parent = e.parentNode;
    while (e.firstChild) parent.insertBefore(e.firstChild, e);
    parent.removeChild(e);
  }
  function cleanStyle(e) {
    var style = e.getAttribute('style');
    if (style === null) return;
    var kept = style.split(';').filter(function (d) {
      var name = d.split(':')[0].trim();
      return name && !CLUTTER_STYLE.test(name);
    }).map(function (d) { return d.trim(); });
    if (kept.length) e.setAttribute('style', kept.join('; ')); else e.removeAttribute('style');
  }

  // A paragraph Word wrote for a list item: its marker stands in a span of
  // its own, and its style names the list.
  function listMarker(p) {
    var style = p.getAttribute('style') || '', cls = p.getAttribute('class') || '';
    if (!/mso-list\s*:/i.test(style) && !/MsoListParagraph/i.test(cls)) return null;
    var spans = p.querySelectorAll('span');
    for (var i = 0; i < spans.length; i++)
      if (/mso-list\s*:\s*Ignore/i.test(spans[i].getAttribute('style') || '')) return spans[i];
    return null;
  }
  function makeLists(root) {
    var paragraphs = Array.prototype.slice.call(root.querySelectorAll('p'));
    var list = null, last = null;
    paragraphs.forEach(function (p) {
      var marker = listMarker(p);
      if (!marker) { list = null; return; }
      var ordered = /^\s*[0-9a-zA-Z]+[.)]/.test(marker.textContent);
      if (!list || last.nextElementSibling !== p || list.nodeName !== (ordered ? 'OL' : 'UL')) {
        list = root.ownerDocument.createElement(ordered ? 'ol' : 'ul');
        p.parentNode.insertBefore(list, p);
      }
      marker.parentNode.removeChild(marker);
      var item = root.ownerDocument.createElement('li');
      while (p.firstChild) item.appendChild(p.firstChild);
      list.appendChild(item);
      p.parentNode.removeChild(p);
      last = list;
    });
  }

  function clean(root) {
    // Comments (conditional ones among them) and what only a page's head holds.
    var walker = root.ownerDocument.createTreeWalker(root, NodeFilter.SHOW_COMMENT);
    var comments = [];
    for (var c = walker.nextNode(); c; c = walker.nextNode()) comments.push(c);
    comments.forEach(function (n) { n.parentNode.removeChild(n); });
    makeLists(root);
    var all = Array.prototype.slice.call(root.querySelectorAll('*'));
    // Deepest first, so that unwrapping leaves the rest in place.
    for (var i = all.length - 1; i >= 0; i--) {
      var e = all[i], name = e.nodeName;
      if (!e.parentNode) continue;
      if (DROPPED.test(name)) { e.parentNode.removeChild(e); continue; }
      if (name === 'O:P') { e.parentNode.removeChild(e); continue; }
      if (PREFIXED.test(name)) { unwrap(e); continue; }
      var cls = e.getAttribute('class');
      if (cls !== null) {
        var keptClasses = cls.split(/\s+/).filter(function (k) { return k && !/^Mso/i.test(k); });
        if (keptClasses.length) e.setAttribute('class', keptClasses.join(' ')); else e.removeAttribute('class');
      }
      e.removeAttribute('lang');
      e.removeAttribute('xml:lang');
      cleanStyle(e);
      // A span or font that says nothing any more, or holds nothing.
      if ((name === 'SPAN' || name === 'FONT') && !e.attributes.length) { unwrap(e); continue; }
      if (!KEPT_EMPTY.test(name) && !e.firstChild && !e.attributes.length) e.parentNode.removeChild(e);
    }
  }

  // The pasted markup, cleaned, waits here while the editor writes its
  // pictures; the addresses the editor must look at come back.
  var pending = null;
  paste.clean = function (html) {
    var doc = new DOMParser().parseFromString(html, 'text/html');
    var root = doc.body;
    clean(root);
    pending = root;
    var pictures = [];
    var images = root.querySelectorAll('img');
    for (var i = 0; i < images.length; i++) pictures.push(images[i].getAttribute('src') || '');
    return pictures;
  };
  // Inserts the cleaned markup at the caret, each picture's address replaced
  // by the one given for it (in document order; an empty one stays as it
  // was), as one step of the history.
  paste.insert = function (addresses) {
    if (!pending) return false;
    var images = pending.querySelectorAll('img');
    for (var i = 0; i < images.length && i < addresses.length; i++)
      if (addresses[i]) images[i].setAttribute('src', addresses[i]);
    var html = pending.innerHTML;
    pending = null;
    return zelvo.paste(html);
  };

  // The caret at a point of the view (where something was dropped).
  paste.caretAt = function (x, y) {
    var r = document.caretRangeFromPoint(x, y);
    if (!r || !document.body || !document.body.contains(r.startContainer)) return false;
    var s = document.getSelection();
    s.removeAllRanges();
    s.addRange(r);
    return true;
  };

  // The page's addresses that may point at its own files: the attributes
  // that hold addresses, and url(...) in style attributes. Each is
  // [element index, attribute, the address, its place in the attribute].
  var ADDRESS_ATTRIBUTES = ['src', 'href', 'background', 'data', 'lowsrc', 'dynsrc', 'poster'];
  function urlsIn(style) {
    var found = [], re = /url\(\s*(['"]?)([^'")]+)\1\s*\)/gi, m;
    while ((m = re.exec(style)) !== null) found.push(m[2]);
    return found;
  }
  function eachAddress(visit) {
    var all = document.getElementsByTagName('*');
    for (var i = 0; i < all.length; i++) {
      var e = all[i];
      for (var k = 0; k < ADDRESS_ATTRIBUTES.length; k++) {
        var a = e.getAttribute(ADDRESS_ATTRIBUTES[k]);
        if (a !== null) visit(e, ADDRESS_ATTRIBUTES[k], a);
      }
      // A player's parameters name its file.
      if (e.nodeName === 'PARAM' && /^(movie|src|url|filename)$/i.test(e.getAttribute('name') || '')) {
        var v = e.getAttribute('value');
        if (v !== null) visit(e, 'value', v);
      }
      var style = e.getAttribute('style');
      if (style !== null) urlsIn(style).forEach(function (u) { visit(e, 'style', u); });
    }
  }
  // Every address once.
  paste.addresses = function () {
    var seen = {}, list = [];
    eachAddress(function (e, attribute, address) {
      if (!seen.hasOwnProperty(address)) { seen[address] = true; list.push(address); }
    });
    return list;
  };
  // Rewrites the addresses found in `from` to those in `to`, as one step of
  // the history; the number of places changed.
  paste.rewrite = function (from, to) {
    var map = {};
    for (var i = 0; i < from.length; i++) map[from[i]] = to[i];
    var changes = [];
    eachAddress(function (e, attribute, address) {
      if (map.hasOwnProperty(address)) changes.push([e, attribute, address]);
    });
    if (!changes.length) return 0;
    history.begin('addresses');
    changes.forEach(function (c) {
      var e = c[0], attribute = c[1], address = c[2];
      if (attribute === 'style') {
        var style = e.getAttribute('style');
        e.setAttribute('style', style.split(address).join(map[address]));
      } else {
        e.setAttribute(attribute, map[address]);
      }
    });
    history.end();
    return changes.length;
  };
})(window.zelvo);
