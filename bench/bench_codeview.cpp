// Figures for the code view: the completion handler run on every typed
// character, in documents of 10 KB, 1 MB and 10 MB, and the start-up
// configuration. Prints timings; asserts nothing.
#include "codeview/CodeEditor.h"
#include "codeview/Completion.h"
#include "codeview/EditorConfigFiles.h"
#include "codeview/LexerConfig.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <vector>

using namespace codeview;
using Clock = std::chrono::steady_clock;

namespace {

struct Figures
{
    double median = 0, worst = 0; // microseconds
};

Figures measure(int runs, const std::function<void()> &work)
{
    std::vector<double> times;
    times.reserve(size_t(runs));
    for (int i = 0; i < runs; ++i) {
        const auto start = Clock::now();
        work();
        times.push_back(std::chrono::duration<double, std::micro>(Clock::now() - start).count());
    }
    std::sort(times.begin(), times.end());
    return {times[times.size() / 2], times.back()};
}

void print(const char *what, size_t bytes, const Figures &f)
{
    std::printf("  %-52s %9zu B  median %10.1f us  max %10.1f us\n", what, bytes, f.median, f.worst);
}

// Typical page source: many short tags, attribute values, Chinese text.
QByteArray htmlDocument(size_t size)
{
    const QByteArray row = QStringLiteral("<tr><td class=\"cell\" width=\"50\">单元格 text</td></tr>\r\n").toUtf8();
    QByteArray doc = "<html><body><table>\r\n";
    while (size_t(doc.size()) < size)
        doc += row;
    doc.truncate(qsizetype(size));
    return doc;
}

// Plain words: no "<" or ">" anywhere, so the tag scan runs to the start.
QByteArray plainDocument(size_t size)
{
    QByteArray doc;
    const QByteArray words = "lorem ipsum dolor sit amet consectetur\r\n";
    while (size_t(doc.size()) < size)
        doc += words;
    doc.truncate(qsizetype(size));
    return doc;
}

void setText(CodeEditor &editor, const QByteArray &utf8)
{
    editor.loadText(QString());
    editor.sendText(2001 /*SCI_ADDTEXT*/, static_cast<unsigned long>(utf8.size()), utf8.constData());
    editor.setCurrentPosition(long(utf8.size()));
}

// The handler as the editor runs it after a character arrives.
Figures handler(CodeEditor &editor, const LexerConfig &config, int runs)
{
    return measure(runs, [&] {
        config.ShowCompletion(editor);
        editor.send(2101 /*SCI_AUTOCCANCEL*/);
    });
}

// The decision alone, on the editor's buffer read in place.
Figures decision(CodeEditor &editor, const LexerConfig &config, int runs)
{
    const LexerEntry *html = config.lexer("html");
    const WordBreakSet breaks(html->wordBreaks);
    const size_t longest = LongestWord(html->completionList);
    size_t sink = 0;
    Figures f = measure(runs, [&] {
        const long caret = editor.currentPosition();
        const char *text = editor.rangePointer(0, caret);
        sink += CompletionWordLength(std::string_view(text, size_t(caret)), breaks, longest);
    });
    if (sink == size_t(-1))
        std::printf("?");
    return f;
}

// Typing characters: the editor inserts each, then runs the handler.
Figures keystrokes(CodeEditor &editor, const QByteArray &before, int runs)
{
    setText(editor, before);
    const QByteArray typed = "table";
    int n = 0;
    return measure(runs, [&] {
        if (n > 0 && n % typed.size() == 0) {
            editor.send(2101 /*SCI_AUTOCCANCEL*/);
            QTest::keyClick(&editor, ' ');
        }
        QTest::keyClick(&editor, typed[n++ % typed.size()]);
    });
}

// For comparison: the tag scan done with one message per byte.
Figures perByteScan(CodeEditor &editor, int runs)
{
    return measure(runs, [&] {
        const long last = editor.currentPosition() - 1;
        for (long k = last; k >= 0; --k) {
            const QByteArray c(1, char(editor.send(2007 /*SCI_GETCHARAT*/, static_cast<unsigned long>(k)) & 0xFF));
            if (c == ">" || c == "<")
                break;
        }
    });
}

} // namespace

int main(int argc, char **argv)
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir tmp;
    qputenv("TMPDIR", QFile::encodeName(tmp.path()));

    std::printf("Code view benchmark\n\nStart-up\n");
    print("WriteEditorConfigFiles (files missing)", 0, measure(20, [&] {
        QFile::remove(EditorConfigPath(kLangsFileName));
        QFile::remove(EditorConfigPath(kStylersFileName));
        WriteEditorConfigFiles();
    }));
    print("WriteEditorConfigFiles (files present)", 0, measure(20, [] { WriteEditorConfigFiles(); }));
    {
        std::vector<std::unique_ptr<CodeEditor>> editors;
        std::vector<std::unique_ptr<LexerConfig>> configs;
        print("ConfigureCodeEditor", 0, measure(20, [&] {
            editors.push_back(std::make_unique<CodeEditor>());
            configs.push_back(std::make_unique<LexerConfig>());
            ConfigureCodeEditor(*editors.back(), *configs.back());
        }));
        print("CodeEditor construction + ConfigureCodeEditor", 0, measure(20, [&] {
            editors.push_back(std::make_unique<CodeEditor>());
            configs.push_back(std::make_unique<LexerConfig>());
            ConfigureCodeEditor(*editors.back(), *configs.back());
        }));
    }

    LexerConfig config;
    CodeEditor editor;
    editor.resize(800, 600);
    ConfigureCodeEditor(editor, config);

    for (size_t size : {size_t(10) * 1024, size_t(1024) * 1024, size_t(10) * 1024 * 1024}) {
        const int runs = size > 2 * 1024 * 1024 ? 30 : 200;
        std::printf("\nDocument of %zu bytes\n", size);
        const QByteArray html = htmlDocument(size) + "\r\n";

        setText(editor, html + "<t");
        print("decision: caret after \"<t\"", size, decision(editor, config, runs));
        print("handler: caret after \"<t\" (opens the list)", size, handler(editor, config, runs));
        setText(editor, html + "<td>tex");
        print("handler: text after \">\" (no list)", size, handler(editor, config, runs));
        setText(editor, html + "<a href=\"ab");
        print("handler: inside an attribute value (no list)", size, handler(editor, config, runs));

        setText(editor, plainDocument(size));
        print("worst decision: no \"<\" or \">\" before the caret", size, decision(editor, config, runs));
        print("worst handler: same (opens the list)", size, handler(editor, config, runs));
        setText(editor, QByteArray(qsizetype(size), 'a'));
        print("worst decision: one word, no break at all", size, decision(editor, config, runs));
        print("worst handler: same (no list)", size, handler(editor, config, runs));
        if (size <= 1024 * 1024) {
            setText(editor, plainDocument(size));
            print("reference: tag scan with one message per byte", size, perByteScan(editor, 5));
        }

        print("keystrokes: typing \"table\" after \"<\"", size, keystrokes(editor, html + "<", runs));
        editor.setCharacterAddedHandler(nullptr);
        print("keystrokes: same, completion switched off", size, keystrokes(editor, html + "<", runs));
        editor.setCharacterAddedHandler([&config](CodeEditor &e) { config.ShowCompletion(e); });
    }
    return 0;
}
