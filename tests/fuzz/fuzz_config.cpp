// The code editor's configuration files as found in the temporary-files
// folder: any bytes, read as stylers.xml and as langs.xml at once (one
// document may hold both roots), then the lexer entries built from them.
#include "KeepConverters.h"
#include "codeview/LexerConfig.h"
#include "codeview/XmlTree.h"
#include "codeview/Completion.h"

#include <cstdio>
#include <cstdlib>
#include <string>

using namespace codeview;

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    keepConvertersLoaded();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const std::string_view bytes(reinterpret_cast<const char *>(data), size);
    LexerConfig config;
    config.stylesTree.LoadBytes(bytes);
    config.langsTree.LoadBytes(bytes);
    config.Parse();
    if (config.lexers.size() != size_t(LexerConfig::kCapacity))
        abort();
    for (const LexerEntry &entry : config.lexers) {
        // The list is sorted once and for all: sorting again changes nothing.
        // (A list of nothing but spaces loses one each time, as a trailing
        // space makes no empty last word: not a list anyone can complete from.)
        std::string again = entry.completionList;
        LexerConfig::SortWords(again);
        if (again != entry.completionList && entry.completionList.find_first_not_of(' ') != std::string::npos) {
            if (getenv("FUZZ_DEBUG"))
                fprintf(stderr, "sorted once: [%s]\nsorted again: [%s]\n", entry.completionList.c_str(), again.c_str());
            abort();
        }
        (void)LongestWord(entry.completionList);
    }
    LexerEntry html;
    config.FindLexer("html", html);

    // Paths built from the bytes themselves reach any element.
    std::string path(bytes.substr(0, std::min<size_t>(bytes.size(), 64)));
    int count = 0;
    config.stylesTree.ChildCount(path, count);
    std::string value;
    config.stylesTree.Attribute(path, "name", value);
    (void)config.stylesTree.NodeText(path);

    std::string words(bytes);
    LexerConfig::SortWords(words);
    return 0;
}
