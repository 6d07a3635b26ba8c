// The editor's runtime in a design-mode document: the history.
//
// The runtime lives in the editor's isolated script world, where the page's
// own scripts (which never run in the editor) could not see it anyway. It is
// installed once per document as window.zelvo; the editor calls into it.
//
// The engine's own undo history knows nothing of changes made through DOM
// ranges (insertions), so the editor keeps one history of its own for
// typing, formatting and insertions, built from the document's mutation
// records. Every record of a step is undone in reverse order and redone in
// order.
window.zelvo = window.zelvo || {};
(function (zelvo) {
  'use strict';

  var history = zelvo.history = {
    undoSteps: [],
    redoSteps: [],
    current: null,   // the step under way, or null
    muted: false,    // true while undo or redo replays records
    observer: null,
    // Moves on with every change to the document's content: an unchanged
    // count means an unchanged serialisation.
    changeCount: 0
  };

  // Where the selection is, as nodes and offsets.
  function saveSelection() {
    var s = document.getSelection();
    if (!s || !s.rangeCount) return null;
    return { anchorNode: s.anchorNode, anchorOffset: s.anchorOffset,
             focusNode: s.focusNode, focusOffset: s.focusOffset };
  }
  function nodeLength(n) {
    return n.nodeType === 1 || n.nodeType === 9 || n.nodeType === 11
      ? n.childNodes.length : (n.data || '').length;
  }
  function restoreSelection(p) {
    if (!p || !p.anchorNode || !p.anchorNode.isConnected || !p.focusNode || !p.focusNode.isConnected) return;
    try {
      document.getSelection().setBaseAndExtent(
        p.anchorNode, Math.min(p.anchorOffset, nodeLength(p.anchorNode)),
        p.focusNode, Math.min(p.focusOffset, nodeLength(p.focusNode)));
    } catch (e) {}
  }
  function sameSelection(a, b) {
    return a && b && a.anchorNode === b.anchorNode && a.anchorOffset === b.anchorOffset &&
      a.focusNode === b.focusNode && a.focusOffset === b.focusOffset;
  }
  zelvo.saveSelection = saveSelection;
  zelvo.restoreSelection = restoreSelection;

  // A mutation record as the history keeps it (the engine's records are
  // live objects whose node lists must be copied).
  function keep(r) {
    // A namespaced attribute is put back under its prefix, which the record
    // does not carry: take it from the attribute while it is there.
    var qualified = r.attributeName;
    if (r.type === 'attributes' && r.attributeNamespace) {
      var node = r.target.getAttributeNodeNS(r.attributeNamespace, r.attributeName);
      if (node) qualified = node.name;
    }
    return { type: r.type, target: r.target, qualified: qualified,
             added: Array.prototype.slice.call(r.addedNodes || []),
             removed: Array.prototype.slice.call(r.removedNodes || []),
             previous: r.previousSibling, next: r.nextSibling,
             attribute: r.attributeName, namespace: r.attributeNamespace,
             oldValue: r.oldValue, newValue: undefined };
  }

  history.take = function (records) {
    if (!records.length) return;
    if (this.muted) return;
    this.changeCount++;
    if (!this.current) this.current = { kind: 'other', records: [], before: null, after: null, pushed: false };
    var step = this.current;
    for (var i = 0; i < records.length; i++) step.records.push(keep(records[i]));
    if (!step.pushed) { step.pushed = true; this.undoSteps.push(step); this.redoSteps = []; }
  };
  // Takes in the records the observer has not delivered yet.
  history.flush = function () { if (this.observer) this.take(this.observer.takeRecords()); };
  // Starts a new step; the selection now is where undo returns to.
  history.begin = function (kind) {
    this.flush();
    this.current = { kind: kind, records: [], before: saveSelection(), after: null, pushed: false };
    return this.current;
  };
  // Ends the step under way: its changes are in, and the caret now is where redo returns to.
  history.end = function () {
    this.flush();
    if (this.current) this.current.after = saveSelection();
  };

  function insertAt(parent, node, previous, next) {
    if (next && next.parentNode === parent) parent.insertBefore(node, next);
    else if (previous && previous.parentNode === parent) parent.insertBefore(node, previous.nextSibling);
    else if (next === null && previous !== null) parent.appendChild(node);
    else parent.insertBefore(node, parent.firstChild);
  }
  function revert(r) {
    var t = r.target, i;
    if (r.type === 'childList') {
      for (i = r.added.length - 1; i >= 0; i--) if (r.added[i].parentNode === t) t.removeChild(r.added[i]);
      for (i = 0; i < r.removed.length; i++) insertAt(t, r.removed[i], i ? r.removed[i - 1] : r.previous, r.next);
    } else if (r.type === 'attributes') {
      r.newValue = t.getAttributeNS(r.namespace, r.attribute);
      if (r.oldValue === null) t.removeAttributeNS(r.namespace, r.attribute);
      else if (r.namespace) t.setAttributeNS(r.namespace, r.qualified, r.oldValue);
      else t.setAttribute(r.attribute, r.oldValue);
    } else {
      r.newValue = t.data;
      t.data = r.oldValue;
    }
  }
  function reapply(r) {
    var t = r.target, i;
    if (r.type === 'childList') {
      for (i = 0; i < r.removed.length; i++) if (r.removed[i].parentNode === t) t.removeChild(r.removed[i]);
      for (i = 0; i < r.added.length; i++) insertAt(t, r.added[i], i ? r.added[i - 1] : r.previous, r.next);
    } else if (r.type === 'attributes') {
      if (r.newValue === null) t.removeAttributeNS(r.namespace, r.attribute);
      else if (r.namespace) t.setAttributeNS(r.namespace, r.qualified, r.newValue);
      else t.setAttribute(r.attribute, r.newValue);
    } else {
      t.data = r.newValue;
    }
  }
  // Replays records without recording them again; the page still changed.
  function replay(fn) {
    history.muted = true;
    try { fn(); } finally {
      if (history.observer) history.observer.takeRecords();
      history.muted = false;
      history.changeCount++;
    }
  }

  // Changes the document for the editor's own purposes: not a step of the
  // history and not a change of the page.
  history.quietly = function (fn) {
    this.flush();
    this.muted = true;
    try { fn(); } finally {
      if (this.observer) this.observer.takeRecords();
      this.muted = false;
    }
  };

  history.undo = function () {
    this.end();
    this.current = null;
    var step = this.undoSteps.pop();
    if (!step) return false;
    if (!step.after) step.after = saveSelection();
    replay(function () { for (var i = step.records.length - 1; i >= 0; i--) revert(step.records[i]); });
    this.redoSteps.push(step);
    restoreSelection(step.before);
    return true;
  };
  history.redo = function () {
    this.end();
    this.current = null;
    var step = this.redoSteps.pop();
    if (!step) return false;
    replay(function () { for (var i = 0; i < step.records.length; i++) reapply(step.records[i]); });
    this.undoSteps.push(step);
    restoreSelection(step.after);
    return true;
  };
  history.canUndo = function () { this.flush(); return this.undoSteps.length > 0; };
  history.canRedo = function () { return this.redoSteps.length > 0; };
  // The change count with every pending record taken in.
  history.changes = function () { this.flush(); return this.changeCount; };

  // Keys the user types go into one step while the caret keeps moving on
  // from where the previous key left it; anything else starts a new step.
  var TYPING = { insertText: 1, insertCompositionText: 1, insertReplacementText: 1 };
  zelvo.typedInputs = 0; // every input event, for waits on the engine's own paste
  function beforeInput(e) {
    var type = e.inputType;
    if (type === 'historyUndo' || type === 'historyRedo') {
      e.preventDefault();
      e.stopImmediatePropagation();
      if (type === 'historyUndo') history.undo(); else history.redo();
      return;
    }
    var kind = TYPING[type] ? 'typing' : type;
    if (kind === 'typing' && history.current && history.current.kind === 'typing' &&
        sameSelection(history.current.after, saveSelection())) return;
    history.begin(kind);
  }
  function input() {
    zelvo.typedInputs++;
    history.flush();
    if (history.current) history.current.after = saveSelection();
  }

  // Starts a new, empty history for the document as it is now.
  history.attach = function () {
    if (this.observer) this.observer.disconnect();
    this.undoSteps = []; this.redoSteps = []; this.current = null;
    this.observer = new MutationObserver(function (records) { history.take(records); });
    this.observer.observe(document, { childList: true, subtree: true, attributes: true,
                                      attributeOldValue: true, characterData: true,
                                      characterDataOldValue: true });
    document.removeEventListener('beforeinput', beforeInput, true);
    document.removeEventListener('input', input, true);
    document.addEventListener('beforeinput', beforeInput, true);
    document.addEventListener('input', input, true);
  };
  history.detach = function () {
    if (this.observer) { this.observer.disconnect(); this.observer = null; }
    this.undoSteps = []; this.redoSteps = []; this.current = null;
  };
})(window.zelvo);
