#include "codeview/LexerConfig.h"

#include "codeview/CodeEditor.h"
#include "codeview/Completion.h"
#include "codeview/EditorConfigFiles.h"
#include "text/GbkText.h"
#include "text/Numbers.h"

#include <Qsci/qsciscintillabase.h>

#include <QDir>
#include <QStringList>
#include <algorithm>

namespace codeview {

// The component's own message numbers and constants.
using Sci = QsciScintillaBase;
using text::GbkToUtf8;
using text::Utf8ToGbk;
using text::ParseNumber;

namespace {

std::string childPath(const std::string &parent, int index)
{
    return parent + "/@" + std::to_string(index);
}

// Reads one attribute; a missing attribute reads as empty.
std::string attributeOf(const XmlTree &tree, const std::string &path, const char *name)
{
    std::string value;
    tree.Attribute(path, name, value);
    return value;
}

} // namespace

bool LexerConfig::Load(const QString &stylesFile, const QString &langsFile)
{
    QStringList faults;
    stylesPath = stylesFile;
    if (!stylesTree.LoadFile(stylesFile))
        faults << QStringLiteral("“%1”：%2。").arg(QDir::toNativeSeparators(stylesFile), stylesTree.problem());
    langsPath = langsFile;
    if (!langsTree.LoadFile(langsFile))
        faults << QStringLiteral("“%1”：%2。").arg(QDir::toNativeSeparators(langsFile), langsTree.problem());
    problem.clear();
    if (!faults.isEmpty())
        problem = QStringLiteral("代码视图的配置文件不能使用，源代码的颜色或标签补全将会缺失：\n%1\n"
                                 "请删除有问题的文件（若没有删除的权限，请找系统管理员），"
                                 "然后重新启动本程序，程序会重新写入默认的配置文件。")
                      .arg(faults.join(QLatin1Char('\n')));
    return Parse();
}

bool LexerConfig::Parse()
{
    lexers.assign(kCapacity, LexerEntry());
    for (int i = 1; i <= kCapacity; ++i) {
        LexerEntry &entry = lexers[size_t(i - 1)];
        const std::string lexerPath = childPath(stylesRoot, i);
        entry.name = GbkToUtf8(attributeOf(stylesTree, lexerPath, "name"));
        entry.position = i;

        int styleCount = 0;
        if (!stylesTree.ChildCount(lexerPath, styleCount))
            return false;

        // A LexerType without styles gets none: an all-zero style would paint
        // black on black at size 0.
        entry.styles.assign(size_t(styleCount), WordsStyleEntry());
        for (int j = 1; j <= styleCount; ++j) {
            WordsStyleEntry &style = entry.styles[size_t(j - 1)];
            const std::string stylePath = childPath(lexerPath, j);
            style.position = j;
            style.name = GbkToUtf8(attributeOf(stylesTree, stylePath, "name"));
            style.styleID = ParseNumber(attributeOf(stylesTree, stylePath, "styleID"));
            style.fgColor = ParseNumber(attributeOf(stylesTree, stylePath, "fgColor"));
            style.bgColor = ParseNumber(attributeOf(stylesTree, stylePath, "bgColor"));
            style.fontName = GbkToUtf8(attributeOf(stylesTree, stylePath, "fontName"));
            style.fontStyle = ParseNumber(attributeOf(stylesTree, stylePath, "fontStyle"));
            style.fontSize = ParseNumber(attributeOf(stylesTree, stylePath, "fontSize"));
        }

        // The i-th Language; a missing one gives no keyword texts.
        const std::string languagePath = childPath(langsRoot, i);
        int keywordCount = 0;
        if (!langsTree.ChildCount(languagePath, keywordCount))
            keywordCount = 0;
        entry.keywordTexts.clear();
        for (int j = 1; j <= keywordCount; ++j) {
            entry.keywordTexts.push_back(GbkToUtf8(langsTree.NodeText(childPath(languagePath, j))));
            // Several Keywords elements are joined with a space; within one,
            // every space counts (two in a row make an empty word).
            if (j > 1)
                entry.completionList += ' ';
            entry.completionList += entry.keywordTexts.back();
        }
        SortWords(entry.completionList);
        entry.wordBreaks = entry.name == "html" ? kHtmlWordBreaks : kOtherWordBreaks;
    }
    return true;
}

const LexerEntry *LexerConfig::lexer(std::string_view name) const
{
    for (const LexerEntry &entry : lexers)
        if (entry.name == name)
            return &entry;
    return nullptr;
}

bool LexerConfig::FindLexer(std::string_view name, LexerEntry &entry) const
{
    const LexerEntry *found = lexer(name);
    if (!found)
        return false;
    entry = *found;
    return true;
}

void LexerConfig::ApplyTo(CodeEditor &editor) const
{
    LexerEntry html;
    const bool haveHtml = FindLexer("html", html);
    editor.send(Sci::SCI_SETSTYLEBITS, 7);
    editor.send(Sci::SCI_SETLEXER, Sci::SCLEX_HTML);
    if (haveHtml)
        ApplyLexer(editor, html);
    LexerEntry javascript;
    if (FindLexer("javascript", javascript))
        ApplyLexer(editor, javascript);
}

void LexerConfig::ApplyLexer(CodeEditor &editor, const LexerEntry &entry) const
{
    for (const WordsStyleEntry &s : entry.styles) {
        const auto id = static_cast<unsigned long>(s.styleID);
        editor.send(Sci::SCI_STYLESETFORE, id, s.fgColor);
        editor.send(Sci::SCI_STYLESETBACK, id, s.bgColor);
        editor.sendText(Sci::SCI_STYLESETFONT, id, s.fontName.c_str());
        editor.send(Sci::SCI_STYLESETSIZE, id, s.fontSize);
        if ((s.fontStyle & 1) == 1)
            editor.send(Sci::SCI_STYLESETBOLD, id, 1);
        if ((s.fontStyle & 2) == 2)
            editor.send(Sci::SCI_STYLESETITALIC, id, 1);
        if ((s.fontStyle & 4) == 4)
            editor.send(Sci::SCI_STYLESETUNDERLINE, id, 1);
    }

    if (entry.name == "javascript") {
        if (!entry.keywordTexts.empty())
            editor.sendText(Sci::SCI_SETKEYWORDS, 1, entry.keywordTexts.front().c_str());
    } else {
        for (size_t k = 0; k < entry.keywordTexts.size(); ++k)
            editor.sendText(Sci::SCI_SETKEYWORDS, static_cast<unsigned long>(k), entry.keywordTexts[k].c_str());
    }
}

void LexerConfig::SortWords(std::string &text)
{
    if (text.empty())
        return;
    // Split at every single space; a trailing space gives no empty last word.
    std::vector<std::string> words;
    size_t start = 0;
    for (;;) {
        const size_t end = text.find(' ', start);
        if (end == std::string::npos) {
            if (start < text.size())
                words.emplace_back(text, start);
            break;
        }
        words.emplace_back(text, start, end - start);
        start = end + 1;
    }
    // Ascending by the words' GBK bytes, compared as unsigned values with a
    // proper prefix first (std::string's order). Equal words cannot be told
    // apart, so a stable sort gives what a selection sort would.
    std::vector<std::pair<std::string, size_t>> keys;
    keys.reserve(words.size());
    for (size_t i = 0; i < words.size(); ++i)
        keys.emplace_back(Utf8ToGbk(words[i]), i);
    std::stable_sort(keys.begin(), keys.end(),
                     [](const auto &a, const auto &b) { return a.first < b.first; });
    std::string joined;
    joined.reserve(text.size());
    for (size_t i = 0; i < keys.size(); ++i) {
        if (i)
            joined += ' ';
        joined += words[keys[i].second];
    }
    text.swap(joined);
}

void LexerConfig::ShowCompletion(CodeEditor &editor) const
{
    const LexerEntry *html = lexer("html");
    editor.setAutoCompletionSeparator(' ');
    if (!html || html->completionList.empty())
        return;
    const long caret = editor.currentPosition();
    if (caret <= 0)
        return;
    // Read the document in place rather than byte by byte through messages:
    // the range ends at the caret, where typing leaves the editor's gap, so
    // nothing is moved or copied.
    const char *text = editor.rangePointer(0, caret);
    if (!text)
        return;
    const size_t entered = CompletionWordLength(std::string_view(text, size_t(caret)),
                                                WordBreakSet(html->wordBreaks),
                                                LongestWord(html->completionList));
    if (entered == 0)
        return;
    // The list is already open for this word: the editor has narrowed it to
    // the typed character itself, and opening it again would only rebuild the
    // same list.
    if (editor.autoCompletionActive() && editor.autoCompletionWordStart() == caret - long(entered))
        return;
    editor.showAutoCompletion(long(entered), html->completionList);
}

QString ConfigureCodeEditor(CodeEditor &editor, LexerConfig &config)
{
    config.Load(EditorConfigPath(kStylersFileName), EditorConfigPath(kLangsFileName));
    config.ApplyTo(editor);

    // Line numbers
    const unsigned long lineNumber = Sci::STYLE_LINENUMBER;
    editor.sendText(Sci::SCI_STYLESETFONT, lineNumber, "宋体");
    editor.send(Sci::SCI_STYLESETBOLD, lineNumber, 1);
    editor.send(Sci::SCI_STYLESETSIZE, lineNumber, 8);
    editor.send(Sci::SCI_STYLESETFORE, lineNumber, 65280);
    editor.send(Sci::SCI_STYLESETBACK, lineNumber, 0xFF8800);

    editor.send(Sci::SCI_SETTABWIDTH, 8);

    // Margins: 0 line numbers, 2 folding (1 stays hidden)
    editor.send(Sci::SCI_SETMARGINTYPEN, 0, Sci::SC_MARGIN_NUMBER);
    editor.send(Sci::SCI_SETMARGINWIDTHN, 0, 25);
    editor.send(Sci::SCI_SETMARGINWIDTHN, 2, 13);

    editor.sendTexts(Sci::SCI_SETPROPERTY, "fold", "1");
    editor.sendTexts(Sci::SCI_SETPROPERTY, "fold.compact", "0");
    editor.sendTexts(Sci::SCI_SETPROPERTY, "fold.html", "1");
    editor.sendTexts(Sci::SCI_SETPROPERTY, "fold.comment", "1");
    editor.sendTexts(Sci::SCI_SETPROPERTY, "fold.preprocessor", "1");

    editor.send(Sci::SCI_SETFOLDFLAGS, Sci::SC_FOLDFLAG_LINEAFTER_CONTRACTED);
    editor.send(Sci::SCI_SETMARGINMASKN, 2, long(Sci::SC_MASK_FOLDERS));
    editor.send(Sci::SCI_SETFOLDMARGINCOLOUR, 1, 0xFFFFFF);
    editor.send(Sci::SCI_SETFOLDMARGINHICOLOUR, 1, 0xFFFFFF);
    editor.send(Sci::SCI_SETMARGINSENSITIVEN, 2, 1);

    // Box-tree folder markers: white on grey.
    static constexpr struct { int marker; int symbol; } kMarkers[] = {
        {31, 14}, // folder open: box minus
        {30, 12}, // folder: box plus
        {29, 9},  // folder sub: vertical line
        {28, 10}, // folder tail: lower corner
        {25, 13}, // folder end: box plus connected
        {26, 15}, // folder open mid: box minus connected
        {27, 11}, // folder mid tail: T corner
    };
    for (const auto &m : kMarkers) {
        editor.send(Sci::SCI_MARKERDEFINE, static_cast<unsigned long>(m.marker), m.symbol);
        editor.send(Sci::SCI_MARKERSETFORE, static_cast<unsigned long>(m.marker), 0xFFFFFF);
        editor.send(Sci::SCI_MARKERSETBACK, static_cast<unsigned long>(m.marker), 0x808080);
    }

    // The list is sorted by its GBK bytes, not in the order the editor would use.
    editor.send(Sci::SCI_AUTOCSETORDER, Sci::SC_ORDER_CUSTOM);
    editor.setCharacterAddedHandler([&config](CodeEditor &target) { config.ShowCompletion(target); });
    return config.problem;
}

} // namespace codeview
