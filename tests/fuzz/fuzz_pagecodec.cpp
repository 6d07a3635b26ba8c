// Page files as they come from disk: any bytes, decoded the way 文件 › 打开
// decodes them. A page that opens must save in an encoding that opens again
// to the same text: nothing the user sees may be lost by a save.
#include "KeepConverters.h"
#include "text/PageCodec.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>

using namespace text;

namespace {

// The text a save keeps: a character the encoding lacks becomes a numeric
// character reference, which reads back as a different text but the same
// page; only encodings that hold every character are compared exactly.
bool holdsEverything(const PageEncoding &e)
{
    return e.charset != PageCharset::Gbk && e.charset != PageCharset::Other;
}

// A lone surrogate (possible only in UTF-16 files) shows as U+FFFD and is
// saved as one.
QString asShown(QString text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate())
            ++i;
        else if (c.isSurrogate())
            text[i] = QChar(QChar::ReplacementCharacter);
    }
    return text;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *, char ***)
{
    keepConvertersLoaded();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const DecodedPage page = decodePage(bytes);
    if (!page.ok) {
        if (page.problem.isEmpty())
            abort(); // a refusal always says why
        return 0;
    }
    if (page.text.contains(QChar(0)))
        abort();

    const QString declared = declaredCharset(page.text);
    if (!declared.isEmpty())
        (void)encodingForLabel(declared);

    const PageEncoding saving = encodingForSaving(page.text, page.encoding);
    const QByteArray saved = encodePage(page.text, saving);
    const DecodedPage reopened = decodePage(saved);
    if (!reopened.ok)
        abort(); // a page the editor opened and saved no longer opens
    // With a byte-order mark the encoding cannot be guessed wrong: the text
    // must come back as it was.
    if (saving.byteOrderMark && holdsEverything(saving)
        && (reopened.encoding != saving || reopened.text != asShown(page.text))) {
        if (getenv("FUZZ_DEBUG"))
            fprintf(stderr, "opened %s as %s\nsaved as %s\nreopened %s as %s\n", qPrintable(page.text.toUtf8().toHex(' ')),
                    qPrintable(page.encoding.displayName()), qPrintable(saving.displayName()),
                    qPrintable(reopened.text.toUtf8().toHex(' ')), qPrintable(reopened.encoding.displayName()));
        abort();
    }
    return 0;
}
