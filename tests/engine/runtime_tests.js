// Tests of the editor's runtime (resources/engine/*.js), run inside a real
// design-mode document in the editor's script world. Each test returns ''
// when it passes and a description of the first difference otherwise.
window.runtimeTests = (function () {
  'use strict';
  var Z = window.zelvo;

  function expect(actual, expected, what) {
    if (actual !== expected)
      throw new Error(what + ': expected ' + JSON.stringify(expected) + ', got ' + JSON.stringify(actual));
  }
  function body() { return document.body.innerHTML; }
  function page(html) { Z.write('<html><head><title>t</title></head><body>' + html + '</body></html>', true); }
  function caretIn(node, offset) {
    var s = getSelection();
    s.removeAllRanges();
    var r = document.createRange();
    r.setStart(node, offset);
    s.addRange(r);
  }
  function select(node, from, to) {
    var s = getSelection();
    s.removeAllRanges();
    var r = document.createRange();
    r.setStart(node, from);
    r.setEnd(node, to);
    s.addRange(r);
  }
  function textOf(selector) { return document.querySelector(selector).firstChild; }

  var tests = {
    // Steps undo newest first, redo oldest first; a new change after an
    // undo drops what could have been redone.
    historyWalksStepsInOrder: function () {
      page('<p>one two</p>');
      select(textOf('p'), 0, 3);
      Z.exec('Bold');
      caretIn(textOf('p').nextSibling || document.querySelector('p'), 0);
      select(document.querySelector('p').lastChild, 1, 4);
      Z.paste('<i>2</i>');
      expect(body(), '<p><b>one</b> <i>2</i></p>', 'after two steps');
      expect(Z.history.undo(), true, 'first undo');
      expect(body(), '<p><b>one</b> two</p>', 'after one undo');
      expect(Z.history.undo(), true, 'second undo');
      expect(body(), '<p>one two</p>', 'after two undos');
      expect(Z.history.undo(), false, 'nothing left to undo');
      expect(Z.history.redo(), true, 'redo');
      expect(body(), '<p><b>one</b> two</p>', 'after redo');
      select(document.querySelector('b').firstChild, 0, 1);
      Z.paste('O');
      expect(Z.history.canRedo(), false, 'a new change drops the redo steps');
      expect(Z.history.undo() && Z.history.undo(), true, 'both steps undo');
      expect(body(), '<p>one two</p>', 'back to the start');
    },

    // Text, attribute (also namespaced) and structure changes all come back.
    everyKindOfChangeIsUndone: function () {
      page('<p id="a">text</p>');
      var p = document.querySelector('p');
      Z.history.begin('script');
      p.firstChild.data = 'changed';
      p.setAttribute('title', 'x');
      p.removeAttribute('id');
      p.setAttributeNS('urn:zelvo', 'z:mark', 'm');
      p.appendChild(document.createElement('span'));
      Z.history.end();
      Z.history.undo();
      expect(body(), '<p id="a">text</p>', 'undone');
      Z.history.redo();
      expect(p.getAttributeNS('urn:zelvo', 'mark'), 'm', 'namespaced attribute redone');
      expect(p.outerHTML, '<p title="x" z:mark="m">changed<span></span></p>', 'redone');
    },

    // The change count moves with every change of the content and stays
    // put for reading and for moving the caret.
    changeCountFollowsTheContent: function () {
      page('<p>abc</p>');
      var start = Z.history.changes();
      expect(Z.history.changes(), start, 'a reading changes nothing');
      void document.documentElement.outerHTML;
      caretIn(textOf('p'), 1);
      expect(Z.history.changes(), start, 'moving the caret changes nothing');
      Z.paste('x');
      var afterPaste = Z.history.changes();
      if (!(afterPaste > start)) throw new Error('an insertion moves the count on');
      Z.history.undo();
      if (!(Z.history.changes() > afterPaste)) throw new Error('an undo moves the count on');
      var beforeWrite = Z.history.changes();
      page('<p>abc</p>');
      if (!(Z.history.changes() > beforeWrite)) throw new Error('a write moves the count on, even to the same page');
      document.querySelector('p').setAttribute('class', 'c');
      if (!(Z.history.changes() > beforeWrite + 1)) throw new Error('a change not yet delivered is counted');
    },

    // Inserted markup is kept as written, and the caret ends after it.
    pasteKeepsMarkupAndPlacesTheCaret: function () {
      page('<p>ab</p>');
      caretIn(textOf('p'), 1);
      Z.paste('<marquee behavior="alternate">m</marquee><style>p{}</style><span style="color:red">s</span>');
      expect(body(), '<p>a<marquee behavior="alternate">m</marquee><style>p{}</style><span style="color:red">s</span>b</p>',
             'markup kept');
      Z.paste('|');
      expect(document.querySelector('p').textContent, 'amp{}s|b', 'caret after the insertion');
    },

    // A selection outside the body inserts at the end of the body.
    pasteOutsideTheBodyGoesToItsEnd: function () {
      page('<p>x</p>');
      caretIn(document.head, 0);
      expect(Z.paste('<hr>'), true, 'inserted');
      expect(body(), '<p>x</p><hr>', 'at the end of the body');
    },

    // A break at the very end of a block needs a second one to show a line.
    lineBreakHolder: function () {
      page('<p>abc</p><p>def<br></p>');
      caretIn(textOf('p'), 3);
      expect(Z.breakNeedsHolder(), true, 'end of a block');
      caretIn(textOf('p'), 1);
      expect(Z.breakNeedsHolder(), false, 'inside text');
      var second = document.querySelectorAll('p')[1];
      caretIn(second, 2);
      expect(Z.breakNeedsHolder(), false, 'after a break');
    },

    // Focusing keeps a caret that is in the body and brings one from outside.
    focusKeepsOrPlacesTheCaret: function () {
      page('<p>abc</p>');
      caretIn(textOf('p'), 2);
      Z.focus();
      expect(getSelection().anchorOffset, 2, 'caret kept');
      caretIn(document.head, 0);
      Z.focus();
      expect(getSelection().anchorNode, document.body, 'caret brought into the body');
      expect(getSelection().anchorOffset, 0, 'at its start');
    },

    // Behind thousands of empty elements the caret of a new page stands at
    // the first text shown (not in a script's), or before the first picture.
    caretSkipsEmptyElementsAtTheStart: function () {
      var empty = new Array(1500).join('<div></div>');
      page(empty + '<script>var hidden = 1;</script><p>shown</p>');
      expect(getSelection().anchorNode, textOf('p'), 'at the first text shown');
      expect(getSelection().anchorOffset, 0, 'at its start');
      page(empty + '<img src="x.png" width="10" height="10">z');
      var img = document.querySelector('img');
      expect(getSelection().anchorNode, img.parentNode, 'beside the picture');
      expect(getSelection().anchorNode.childNodes[getSelection().anchorOffset], img, 'before it');
    },

    // A large page is parsed apart and moved in; the document must come
    // out as the shown document's own parse makes it, mode included.
    pagesWrittenApartMatchTheShownParse: function () {
      var pages = [
        '<!DOCTYPE html><html lang="zh"><head><title>t</title></head><body class="b"><p>a<table><p>fostered<tr><td>c</table></body></html>',
        '<!-- first --><!DOCTYPE HTML PUBLIC "-//W3C//DTD HTML 4.01 Transitional//EN">\n<HTML><BODY><CENTER>q</CENTER></BODY></HTML><!-- after -->',
        '<!DOCTYPE html PUBLIC "-//W3C//DTD XHTML 1.0 Transitional//EN" "http://www.w3.org/TR/xhtml1/DTD/xhtml1-transitional.dtd"><p>limited',
        'no doctype <b>bold <i>both</b> italic</i><pre>\n\nkept</pre> &amp;&nbsp;&#x4E2D;&lt',
        '<html><head><noscript><div>in head</div></noscript><template><td>t</td></template></head><body><textarea>\nx</textarea></body></html>',
        '<html><frameset cols="50%,*"><frame src="a.htm"><frame src="b.htm"></frameset></html>'
      ];
      pages.forEach(function (text, i) {
        Z.write(text, true);
        Z.read();
        var shown = Z.readingPiece(0, 1e9), mode = document.compatMode;
        Z.startPieces();
        Z.addPiece(text, true);
        Z.writePieces(true);
        Z.read();
        expect(Z.readingPiece(0, 1e9), shown, 'page ' + i);
        expect(document.compatMode, mode, 'mode of page ' + i);
        expect(document.designMode, 'on', 'page ' + i + ' editable');
        // In pieces parsed as they come, cut inside tags and references.
        Z.startPieces();
        for (var at = 0; at < text.length; at += 7) Z.addPiece(text.slice(at, at + 7), true);
        Z.writePieces(true);
        Z.read();
        expect(Z.readingPiece(0, 1e9), shown, 'page ' + i + ' in pieces');
        expect(document.compatMode, mode, 'mode of page ' + i + ' in pieces');
        Z.readingDone();
      });
    },

    // The inspector takes only the start of an element holding much of the
    // page, as outerHTML and innerText would begin.
    largeElementsAreDescribedByTheirStart: function () {
      page('<p title="&quot;x&quot;">a &amp; b\u00a0&lt;c&gt;<!--note--><script>if (a < b) go();</script></p>' +
           new Array(3000).join('<p>第<b>段</b></p>'));
      var whole = document.body.outerHTML, d = Z.describe(document.body);
      expect(d[0], 'BODY', 'tag');
      expect(d[2].length > 1000 && d[2].length <= 4096, true, 'markup bounded (' + d[2].length + ')');
      expect(whole.slice(0, d[2].length), d[2], 'markup start');
      expect(d[1].slice(0, 11), 'a & b\u00a0<c>第段', 'text start');
      var p = document.querySelector('p');
      expect(JSON.stringify(Z.describe(p)), JSON.stringify(['P', p.innerText, p.outerHTML]), 'small element whole');
    },

    // A page sent in pieces is written as one text.
    piecesMakeOnePage: function () {
      Z.addPiece('<html><body><p>a');
      Z.addPiece('b</p>');
      Z.addPiece('</body></html>');
      Z.writePieces(true);
      expect(body(), '<p>ab</p>', 'joined');
      expect(Z.pieces.length, 0, 'pieces released');
      expect(document.designMode, 'on', 'still editable');
    }
  };

  return {
    names: function () { return Object.keys(tests); },
    run: function (name) {
      try { tests[name](); return ''; } catch (e) { return String(e.message || e); }
    }
  };
})();
true;
