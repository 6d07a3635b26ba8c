#include "codeview/Completion.h"

#include <algorithm>
#include <cstring>

namespace codeview {

WordBreakSet::WordBreakSet(std::string_view tokens)
{
    table_[static_cast<unsigned char>(' ')] = true;
    size_t start = 0;
    while (start <= tokens.size()) {
        size_t end = tokens.find(' ', start);
        if (end == std::string_view::npos)
            end = tokens.size();
        if (end - start == 1)
            table_[static_cast<unsigned char>(tokens[start])] = true;
        start = end + 1;
    }
}

size_t CompletionWordLength(std::string_view text, const WordBreakSet &breaks, size_t maxWordLength)
{
    if (text.empty() || maxWordLength == 0)
        return 0;
    const char *data = text.data();
    const size_t size = text.size();

    // The nearest ">" and, after it, the nearest "<". memrchr is much faster
    // than a byte loop over a long stretch without either.
    const void *gt = memrchr(data, '>', size);
    const size_t afterGt = gt ? size_t(static_cast<const char *>(gt) - data) + 1 : 0;
    const void *lt = memrchr(data + afterGt, '<', size - afterGt);
    if (gt && !lt)
        return 0; // the caret is outside any tag
    const size_t tagStart = lt ? size_t(static_cast<const char *>(lt) - data) + 1 : 0;
    const auto quotes = std::count(data + tagStart, data + size, '"');
    if (quotes % 2 != 0)
        return 0; // inside a quoted attribute value

    const size_t limit = std::min(size, maxWordLength + 1);
    size_t length = 0;
    while (length < limit && !breaks.breaksAt(static_cast<unsigned char>(data[size - 1 - length])))
        ++length;
    if (length > maxWordLength)
        return 0;
    return length;
}

size_t LongestWord(std::string_view words)
{
    size_t longest = 0;
    size_t start = 0;
    while (start <= words.size()) {
        size_t end = words.find(' ', start);
        if (end == std::string_view::npos)
            end = words.size();
        longest = std::max(longest, end - start);
        start = end + 1;
    }
    return longest;
}

} // namespace codeview
