#pragma once
// The decision behind tag-name completion, on plain bytes: given the text
// before the caret, how many bytes of a word have been typed (0: no list).
#include <array>
#include <cstddef>
#include <string_view>

namespace codeview {

// The bytes that end a word when scanning back from the caret: the space and
// every one-byte token of a space-separated token list ("< / \"" for HTML).
// Longer tokens can never equal a single byte and are ignored.
class WordBreakSet
{
public:
    explicit WordBreakSet(std::string_view tokens);
    bool breaksAt(unsigned char byte) const { return table_[byte]; }

private:
    std::array<bool, 256> table_{};
};

// Length in bytes of the word that ends at the caret, or 0 when no list opens:
//  - scanning back, a ">" met before any "<" means the caret is outside a tag;
//  - an odd number of double quotation marks between the "<" (or the start of
//    the text) and the caret means the caret is inside an attribute value;
//  - otherwise the word runs back to the nearest space or break byte (a
//    newline or tab does not end it).
// A word longer than maxWordLength cannot match any item of the list and also
// gives 0, which keeps the scan short in text without breaks.
size_t CompletionWordLength(std::string_view textBeforeCaret, const WordBreakSet &breaks,
                            size_t maxWordLength);

// Length of the longest word of a space-separated list.
size_t LongestWord(std::string_view words);

} // namespace codeview
