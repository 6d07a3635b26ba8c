#pragma once
// Find and replace, as both views understand it: what is asked, what came
// of it, and how the find bar says so.
#include <QString>

namespace text {

struct FindOptions {
    bool caseSensitive = false;
    bool wholeWord = false;
    bool regularExpression = false; // the code view only
};

struct FindResult {
    int count = 0;    // matches in the whole page
    int current = 0;  // the one selected, from 1; 0 for none
    bool wrapped = false; // the search went round the end (or the start)
    bool invalid = false; // the regular expression cannot be read
};

// "第 3 处，共 12 处", "共 12 处", "找不到“…”"; the wrap and a bad regular
// expression are said too.
QString findStatusText(const QString &query, const FindResult &result, bool backwards = false);

} // namespace text
