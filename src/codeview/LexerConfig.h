#pragma once
// The code editor's lexer configuration: the styles of stylers.xml and the
// keyword lists of langs.xml, applied to the editor at start-up, and the
// tag-name completion served from the html keyword list.
#include "codeview/XmlTree.h"

#include <QString>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace codeview {

class CodeEditor;

// One WordsStyle element. Texts are UTF-8.
struct WordsStyleEntry
{
    int32_t position = 0; // 1-based position in its LexerType
    std::string name;
    int32_t styleID = 0;
    int32_t fgColor = 0;  // 0x00BBGGRR
    int32_t bgColor = 0;  // 0x00BBGGRR
    std::string fontName;
    int32_t fontStyle = 0; // 1 bold, 2 italic, 4 underline
    int32_t fontSize = 0;  // points
};

// One lexer: a LexerType of stylers.xml paired by position with a Language of
// langs.xml. A fresh entry has one all-zero style and one empty keyword text.
struct LexerEntry
{
    std::string name;
    int32_t position = 0;
    std::vector<WordsStyleEntry> styles = std::vector<WordsStyleEntry>(1);
    std::vector<std::string> keywordTexts = std::vector<std::string>(1);
    std::string completionList; // keyword texts joined, sorted
    std::string wordBreaks;     // space-separated tokens ending a word
};

class LexerConfig
{
public:
    // A sixth LexerType is never read.
    static constexpr int kCapacity = 5;
    static constexpr char kHtmlWordBreaks[] = "< / \"";
    static constexpr char kOtherWordBreaks[] = "; ( ) [ ] { } = == > < !";

    XmlTree stylesTree;
    XmlTree langsTree;
    std::string stylesRoot = "ZelvoEditor/LexerStyles";
    QString stylesPath;
    std::string langsRoot = "ZelvoEditor/Languages";
    QString langsPath;
    std::vector<LexerEntry> lexers;
    // What kept Load from reading a file, in Chinese for the user; empty when
    // both files were read.
    QString problem;

    LexerConfig() = default;
    LexerConfig(const LexerConfig &) = delete;
    LexerConfig &operator=(const LexerConfig &) = delete;

    // Loads both files (a file that cannot be read or parsed leaves its tree
    // empty, and problem says why) and parses them. The result is Parse's.
    bool Load(const QString &stylesFile, const QString &langsFile);
    // Fills lexers from the two trees: up to five entries, stopping at the
    // first LexerType position that does not exist (false then).
    bool Parse();
    // Sets the HTML lexer and applies the "html" and "javascript" entries;
    // an entry that does not exist is not applied.
    void ApplyTo(CodeEditor &editor) const;
    // Copies the first entry of that name into entry; false (entry untouched)
    // when there is none.
    bool FindLexer(std::string_view name, LexerEntry &entry) const;
    // Sends one entry's styles and keyword lists.
    void ApplyLexer(CodeEditor &editor, const LexerEntry &entry) const;
    // Sorts a space-separated word list (UTF-8) in ascending order of the
    // words' GBK bytes.
    static void SortWords(std::string &text);
    // The character-added handler: opens the completion list when the caret
    // ends a word inside a tag.
    void ShowCompletion(CodeEditor &editor) const;

    // The first entry of that name, or nullptr; no copy.
    const LexerEntry *lexer(std::string_view name) const;
};

// Start-up configuration of the code editor: loads stylers.xml and langs.xml
// from the temporary-files directory, applies them, sets the line-number
// margin, tab width and folding, and binds completion to typed characters.
// The config must outlive the editor's use. Returns what the user should be
// told about the files (config.problem), or an empty text.
QString ConfigureCodeEditor(CodeEditor &editor, LexerConfig &config);

} // namespace codeview
