// The completion decision on arbitrary documents and word-break lists,
// against a plain byte-by-byte reading of its rule.
#include "codeview/Completion.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdlib>
#include <string>

using namespace codeview;

namespace {

size_t expectedLength(const std::string &text, const std::string &tokens, size_t maxWord)
{
    if (text.empty() || maxWord == 0)
        return 0;
    auto breaks = [&](char c) {
        if (c == ' ')
            return true;
        size_t start = 0;
        while (start <= tokens.size()) {
            size_t end = tokens.find(' ', start);
            if (end == std::string::npos)
                end = tokens.size();
            if (end - start == 1 && tokens[start] == c)
                return true;
            start = end + 1;
        }
        return false;
    };
    size_t tagStart = 0;
    for (size_t i = text.size(); i > 0; --i) {
        if (text[i - 1] == '<') {
            tagStart = i;
            break;
        }
        if (text[i - 1] == '>')
            return 0;
    }
    size_t quotes = 0;
    for (size_t i = tagStart; i < text.size(); ++i)
        quotes += text[i] == '"';
    if (quotes % 2)
        return 0;
    size_t length = 0;
    while (length < text.size() && !breaks(text[text.size() - 1 - length]))
        ++length;
    return length > maxWord ? 0 : length;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    const std::string tokens = in.ConsumeRandomLengthString(24);
    const std::string words = in.ConsumeRandomLengthString(64);
    const std::string text = in.ConsumeRemainingBytesAsString();

    const size_t longest = LongestWord(words);
    if (longest > words.size())
        abort();
    const WordBreakSet breaks(tokens);
    for (const size_t maxWord : {longest, size_t(0), size_t(1), text.size(), size_t(-1)}) {
        if (CompletionWordLength(text, breaks, maxWord) != expectedLength(text, tokens, maxWord))
            abort();
    }
    return 0;
}
