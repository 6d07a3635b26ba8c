#include "engine/EditorScript.h"

namespace engine {

namespace {

// Written as plain ES2017; runs in the application's isolated world, where
// the page's own scripts (disabled) cannot see or disturb it.
const char *const kRuntime = R"JS(
if (!window.__zelvo || window.__zelvo.doc !== document) {
window.__zelvo = (function () {
  'use strict';
  var Z = {
    doc: document, obs: null, undo: [], redo: [], cur: null, muted: false,
    inputs: 0, onBefore: null, onInput: null
  };

  function saveSel() {
    var s = document.getSelection();
    if (!s || !s.rangeCount) return null;
    return { an: s.anchorNode, ao: s.anchorOffset, fn: s.focusNode, fo: s.focusOffset };
  }
  function restoreSel(p) {
    if (!p || !p.an || !p.an.isConnected || !p.fn || !p.fn.isConnected) return;
    var s = document.getSelection();
    try { s.setBaseAndExtent(p.an, Math.min(p.ao, len(p.an)), p.fn, Math.min(p.fo, len(p.fn))); } catch (e) {}
  }
  function len(n) { return n.nodeType === 1 || n.nodeType === 9 || n.nodeType === 11 ? n.childNodes.length : (n.data || '').length; }
  function sameSel(a, b) { return a && b && a.an === b.an && a.ao === b.ao && a.fn === b.fn && a.fo === b.fo; }

  function pack(r) {
    return { type: r.type, target: r.target,
             added: Array.prototype.slice.call(r.addedNodes || []),
             removed: Array.prototype.slice.call(r.removedNodes || []),
             prev: r.previousSibling, next: r.nextSibling,
             name: r.attributeName, ns: r.attributeNamespace, old: r.oldValue, now: undefined };
  }
  Z.take = function (records) {
    if (this.muted || !records.length) return;
    if (!this.cur) this.cur = { kind: 'other', recs: [], before: null, after: null, pushed: false };
    var g = this.cur;
    for (var i = 0; i < records.length; i++) g.recs.push(pack(records[i]));
    if (!g.pushed) { g.pushed = true; this.undo.push(g); this.redo = []; }
  };
  Z.flush = function () { if (this.obs) this.take(this.obs.takeRecords()); };
  // Starts a new step of the history; the selection now is where undo returns to.
  Z.begin = function (kind) {
    this.flush();
    this.cur = { kind: kind, recs: [], before: saveSel(), after: null, pushed: false };
    return this.cur;
  };
  // Ends the step under way: what it changed is in, the caret is where redo returns to.
  Z.end = function () {
    this.flush();
    if (this.cur) this.cur.after = saveSel();
  };

  function insertAt(parent, node, prev, next) {
    if (next && next.parentNode === parent) parent.insertBefore(node, next);
    else if (prev && prev.parentNode === parent) parent.insertBefore(node, prev.nextSibling);
    else if (next === null && prev !== null) parent.appendChild(node);
    else parent.insertBefore(node, parent.firstChild);
  }
  function revert(r) {
    var t = r.target, i;
    if (r.type === 'childList') {
      for (i = r.added.length - 1; i >= 0; i--) if (r.added[i].parentNode === t) t.removeChild(r.added[i]);
      for (i = 0; i < r.removed.length; i++) insertAt(t, r.removed[i], i ? r.removed[i - 1] : r.prev, r.next);
    } else if (r.type === 'attributes') {
      r.now = t.getAttributeNS(r.ns, r.name);
      if (r.old === null) t.removeAttributeNS(r.ns, r.name);
      else if (r.ns) t.setAttributeNS(r.ns, r.name, r.old);
      else t.setAttribute(r.name, r.old);
    } else {
      r.now = t.data; t.data = r.old;
    }
  }
  function reapply(r) {
    var t = r.target, i;
    if (r.type === 'childList') {
      for (i = 0; i < r.removed.length; i++) if (r.removed[i].parentNode === t) t.removeChild(r.removed[i]);
      for (i = 0; i < r.added.length; i++) insertAt(t, r.added[i], i ? r.added[i - 1] : r.prev, r.next);
    } else if (r.type === 'attributes') {
      if (r.now === null) t.removeAttributeNS(r.ns, r.name);
      else if (r.ns) t.setAttributeNS(r.ns, r.name, r.now);
      else t.setAttribute(r.name, r.now);
    } else {
      t.data = r.now;
    }
  }
  function quietly(fn) {
    Z.muted = true;
    try { fn(); } finally { if (Z.obs) Z.obs.takeRecords(); Z.muted = false; }
  }
  Z.doUndo = function () {
    this.end();
    this.cur = null;
    var g = this.undo.pop();
    if (!g) return false;
    if (!g.after) g.after = saveSel();
    quietly(function () { for (var i = g.recs.length - 1; i >= 0; i--) revert(g.recs[i]); });
    this.redo.push(g);
    restoreSel(g.before);
    return true;
  };
  Z.doRedo = function () {
    this.end();
    this.cur = null;
    var g = this.redo.pop();
    if (!g) return false;
    quietly(function () { for (var i = 0; i < g.recs.length; i++) reapply(g.recs[i]); });
    this.undo.push(g);
    restoreSel(g.after);
    return true;
  };

  var TYPING = { insertText: 1, insertCompositionText: 1, insertReplacementText: 1 };
  // Keys the user types go into one step while the caret keeps moving on
  // from where the previous key left it; anything else starts a new step.
  Z.onBefore = function (e) {
    var t = e.inputType;
    if (t === 'historyUndo' || t === 'historyRedo') {
      e.preventDefault();
      e.stopImmediatePropagation();
      if (t === 'historyUndo') Z.doUndo(); else Z.doRedo();
      return;
    }
    var kind = TYPING[t] ? 'typing' : t;
    if (kind === 'typing' && Z.cur && Z.cur.kind === 'typing' && sameSel(Z.cur.after, saveSel())) return;
    Z.begin(kind);
  };
  Z.onInput = function () {
    Z.inputs++;
    Z.flush();
    if (Z.cur) Z.cur.after = saveSel();
  };

  // Called after every write of the document: a new, empty history.
  Z.attach = function () {
    if (this.obs) this.obs.disconnect();
    this.undo = []; this.redo = []; this.cur = null;
    this.obs = new MutationObserver(function (recs) { Z.take(recs); });
    this.obs.observe(document, { childList: true, subtree: true, attributes: true,
                                 attributeOldValue: true, characterData: true,
                                 characterDataOldValue: true });
    document.removeEventListener('beforeinput', this.onBefore, true);
    document.removeEventListener('input', this.onInput, true);
    document.addEventListener('beforeinput', this.onBefore, true);
    document.addEventListener('input', this.onInput, true);
  };
  Z.detach = function () {
    if (this.obs) { this.obs.disconnect(); this.obs = null; }
    this.undo = []; this.redo = []; this.cur = null;
  };

  Z.write = function (text, edit) {
    this.detach();
    document.open();
    document.write(text);
    document.close();
    if (edit) document.designMode = 'on';
    this.attach();
    this.caretToStart();
    return true;
  };
  Z.caretToStart = function () {
    var b = document.body;
    var s = document.getSelection();
    if (!b || !s) return;
    try { s.collapse(b, 0); } catch (e) {}
  };

  // The place an insertion goes: the selection, kept inside the body.
  function insertionRange() {
    var s = document.getSelection();
    if (!s || !s.rangeCount) return null;
    // A copy: changing the selection's own range while inserting makes the
    // engine lay out the whole page at every step.
    var r = s.getRangeAt(0).cloneRange();
    var b = document.body;
    if (b && !b.contains(r.commonAncestorContainer)) {
      r = document.createRange();
      r.selectNodeContents(b);
      r.collapse(false);
    }
    return r;
  }
  Z.paste = function (html) {
    var r = insertionRange();
    if (!r) return false;
    this.begin('paste');
    r.deleteContents();
    var frag = r.createContextualFragment(html);
    var last = frag.lastChild;
    if (last) {
      r.insertNode(frag);
      var after = document.createRange();
      after.setStartAfter(last);
      after.collapse(true);
      var s = document.getSelection();
      s.removeAllRanges();
      s.addRange(after);
    }
    this.end();
    return true;
  };

  var BLOCKS = /^(P|DIV|H[1-6]|LI|TD|TH|BLOCKQUOTE|PRE|ADDRESS|CENTER|DD|DT|CAPTION|BODY|FORM|FIELDSET|TABLE|TR|UL|OL|DL)$/;
  // The blocks the selection touches: every block ancestor of each node in
  // the range, up to the body.
  function touchedBlocks(r) {
    var found = [];
    function addChain(n) {
      for (; n && n !== document.documentElement; n = n.parentNode) {
        if (n.nodeType === 1 && BLOCKS.test(n.tagName) && found.indexOf(n) < 0) found.push(n);
        if (n === document.body) break;
      }
    }
    addChain(r.startContainer);
    addChain(r.endContainer);
    var root = r.commonAncestorContainer;
    if (root.nodeType === 1) {
      var w = document.createTreeWalker(root, NodeFilter.SHOW_ELEMENT);
      for (var n = w.nextNode(); n; n = w.nextNode())
        if (BLOCKS.test(n.tagName) && r.intersectsNode(n) && found.indexOf(n) < 0) found.push(n);
    }
    return found;
  }
  function justifyNone() {
    var s = document.getSelection();
    if (!s || !s.rangeCount) return false;
    var blocks = touchedBlocks(s.getRangeAt(0));
    blocks.forEach(function (b) {
      if (b.hasAttribute('align')) b.removeAttribute('align');
      if (b.style && b.style.textAlign) {
        b.style.removeProperty('text-align');
        if (!b.getAttribute('style')) b.removeAttribute('style');
      }
    });
    return true;
  }
  Z.exec = function (name, value) {
    this.begin('command:' + name);
    var ok;
    try {
      if (name.toLowerCase() === 'justifynone') ok = justifyNone();
      else ok = document.execCommand(name, false, value);
    } catch (e) { ok = false; }
    this.end();
    return !!ok;
  };
  Z.rangeCommand = function (name) {
    this.begin('command:' + name);
    var ok;
    try { ok = document.execCommand(name, false, null); } catch (e) { ok = false; }
    this.end();
    return !!ok;
  };
  return Z;
})();
}
)JS";

} // namespace

const QString &editorRuntimeScript()
{
    static const QString script = QString::fromUtf8(kRuntime);
    return script;
}

} // namespace engine
