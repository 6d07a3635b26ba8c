// The editor's runtime, part 4: style sheets of the editor's own.
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

  // The names adopted now, for checks.
  sheets.adopted = function () {
    return sheets.names.filter(function (n) {
      return Array.prototype.indexOf.call(document.adoptedStyleSheets, sheets.byName[n]) >= 0;
    });
  };
})(window.zelvo);
