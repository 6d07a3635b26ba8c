// The editor's runtime: what the design view shows in place of content the
// engine does not draw there. A player (embed, object) would leave a blank
// gap, a background sound and a script nothing at all: the user could
// neither see nor select what was inserted. Each is shown as a framed
// placeholder with an icon and its file name, at the element's size, or as
// a small marker where it has none; a click selects it whole, and it is
// deleted as one object.
//
// All of it is a sheet of the editor's own: never part of the page's text,
// never a step of the history. The file names are rules of that sheet, kept
// up to date as such elements come and go.
(function (zelvo) {
  'use strict';
  var sheets = zelvo.sheets;
  var placeholders = zelvo.placeholders = { on: false };
  var SHEET = 'placeholders';
  var SHOWN = 'embed,object,bgsound,script';

  function svgUrl(body, width, height) {
    var size = width ? " width='" + width + "' height='" + height + "'" : '';
    return 'url("data:image/svg+xml,' +
      encodeURIComponent("<svg xmlns='http://www.w3.org/2000/svg'" + size + '>' + body + '</svg>') + '")';
  }
  var FILM = "<rect x='1.5' y='4.5' width='20' height='14' rx='1.5' fill='#33465e'/>" +
    "<path d='M9 8 L15.5 11.5 L9 15 Z' fill='#fff'/>";
  var NOTE = "<path d='M7 4 v9.5 a2.5 2.5 0 1 1 -1.6 -2.3 V2 l9 -1.5 v10 a2.5 2.5 0 1 1 -1.6 -2.3 V3.5 z' " +
    "fill='#33465e'/>";
  function xml(text) {
    return text.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;')
      .replace(/'/g, '&apos;').replace(/"/g, '&quot;');
  }
  function cssString(text) {
    return '"' + text.replace(/\\/g, '\\\\').replace(/"/g, '\\"').replace(/[\n\r\f]/g, ' ') + '"';
  }
  // The icon in the middle, the file name below it.
  function playerPicture(name) {
    return svgUrl("<svg x='50%' y='50%' overflow='visible'><g transform='translate(-11.5,-24)'>" + FILM +
                  "</g></svg><text x='50%' y='50%' dy='16' text-anchor='middle' font-family='sans-serif' " +
                  "font-size='12' fill='#33465e'>" + xml(name) + '</text>');
  }

  var FRAME = 'outline: 1px dashed #7a8aa0 !important; outline-offset: -1px; ' +
    '-webkit-user-modify: read-only !important; user-select: all;';
  var STATIC =
    'embed, object { background: #eef2f7 ' + svgUrl(FILM, 23, 23) + ' no-repeat center; ' + FRAME + ' }\n' +
    'embed:not([width]):not([height]), object:not([width]):not([height]) { width: 23px; height: 23px; }\n' +
    'bgsound { display: inline-block !important; height: 18px; padding: 0 4px 0 19px; vertical-align: middle; ' +
    'background: #eef2f7 ' + svgUrl(NOTE, 16, 16) + ' no-repeat 2px center; ' + FRAME + ' }\n' +
    'bgsound::before { font: 12px/18px sans-serif; color: #33465e; }\n' +
    'body script { display: inline-block !important; width: 20px; height: 14px; vertical-align: middle; ' +
    'font-size: 0 !important; white-space: nowrap; overflow: hidden; ' +
    'background: #fff8d8 ' + svgUrl("<text x='10' y='11' text-anchor='middle' font-family='sans-serif' " +
                                    "font-size='10' font-weight='bold' fill='#7a5a00'>JS</text>", 20, 14) +
    ' no-repeat; ' + FRAME + ' }\n';

  // The last part of an address, as the user named the file.
  function fileName(address) {
    var path = address.split(/[?#]/)[0].replace(/[\\/]+$/, '');
    var name = path.slice(Math.max(path.lastIndexOf('/'), path.lastIndexOf('\\')) + 1);
    try { name = decodeURIComponent(name); } catch (e) {}
    return name;
  }
  function addressOf(e) {
    return e.getAttribute(e.nodeName === 'OBJECT' ? 'data' : 'src');
  }

  var shownCss = null;
  function refresh() {
    var rules = [], seen = {};
    var all = document.querySelectorAll('embed[src],object[data],bgsound[src]');
    for (var i = 0; i < all.length; i++) {
      var e = all[i], tag = e.nodeName.toLowerCase(), attribute = tag === 'object' ? 'data' : 'src';
      var address = addressOf(e), key = tag + ' ' + address;
      if (seen[key]) continue;
      seen[key] = true;
      var name = fileName(address);
      if (!name) continue;
      var selector = tag + '[' + attribute + '=' + cssString(address) + ']';
      if (tag === 'bgsound')
        rules.push(selector + '::before { content: ' + cssString(name) + '; }');
      else
        rules.push(selector + '[width][height] { background-image: ' + playerPicture(name) + '; }');
    }
    var css = STATIC + rules.join('\n');
    if (css !== shownCss) {
      shownCss = css;
      sheets.set(SHEET, css);
    }
  }

  function concerns(n) {
    return n.nodeType === 1 && (n.matches(SHOWN) || n.querySelector(SHOWN) !== null);
  }
  function changed(records) {
    for (var i = 0; i < records.length; i++) {
      var r = records[i];
      if (r.type === 'attributes') {
        if (concerns(r.target)) return refresh();
        continue;
      }
      for (var j = 0; j < r.addedNodes.length; j++) if (concerns(r.addedNodes[j])) return refresh();
      for (var k = 0; k < r.removedNodes.length; k++) if (concerns(r.removedNodes[k])) return refresh();
    }
  }

  // A click on a placeholder selects the element whole, so that it can be
  // deleted, cut or copied as one object.
  function selectWhole(e) {
    if (e.button !== 0 || !e.target || e.target.nodeType !== 1) return;
    var target = e.target.closest(SHOWN);
    if (!target || !document.body || !document.body.contains(target)) return;
    e.preventDefault();
    var r = document.createRange();
    r.selectNode(target);
    var s = document.getSelection();
    s.removeAllRanges();
    s.addRange(r);
  }

  var observer = null;
  // For every new document, once its page is in: writing a page removes
  // the document's listeners.
  placeholders.watch = function () {
    if (observer) observer.disconnect();
    observer = null;
    document.removeEventListener('mousedown', selectWhole, true);
    if (!placeholders.on) return true;
    observer = new MutationObserver(changed);
    observer.observe(document, { childList: true, subtree: true, attributes: true,
                                 attributeFilter: ['src', 'data', 'width', 'height'] });
    document.addEventListener('mousedown', selectWhole, true);
    refresh();
    return true;
  };
  placeholders.show = function (on) {
    placeholders.on = !!on;
    if (!on) {
      shownCss = null;
      sheets.set(SHEET, '');
    }
    return placeholders.watch();
  };
})(window.zelvo);
