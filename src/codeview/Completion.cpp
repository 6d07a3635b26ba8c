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

    // Scan back for the nearest "<" or ">" a block at a time: memrchr is much
    // faster than a byte loop, and the blocks keep a long stretch without
    // either from being read twice from memory.
    constexpr size_t kBlock = 4096;
    size_t tagStart = 0;
    for (size_t end = size; end > 0;) {
        const size_t begin = end > kBlock ? end - kBlock : 0;
        const auto *gt = static_cast<const char *>(memrchr(data + begin, '>', end - begin));
        const size_t from = gt ? size_t(gt - data) + 1 : begin;
        const auto *lt = static_cast<const char *>(memrchr(data + from, '<', end - from));
        if (lt) {
            tagStart = size_t(lt - data) + 1;
            break;
        }
        if (gt)
            return 0; // the caret is outside any tag
        end = begin;
    }

    // An odd number of double quotation marks: inside an attribute value.
    size_t quotes = 0;
    for (const char *p = data + tagStart, *stop = data + size;;) {
        p = static_cast<const char *>(memchr(p, '"', size_t(stop - p)));
        if (!p)
            break;
        ++quotes;
        ++p;
    }
    if (quotes % 2 != 0)
        return 0;

    const size_t limit = maxWordLength < size ? maxWordLength + 1 : size;
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
