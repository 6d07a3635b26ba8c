#pragma once
// Page text and file bytes. A page is held as a QString; its file keeps the
// encoding it came in: a byte-order mark, else the charset its <meta>
// declares, else UTF-8 when the bytes are valid UTF-8, else what an encoding
// detector finds (GB18030, Big5 as code page 950, Windows-1252 ...).
// A page that calls itself GBK or GB2312 is written as strict GBK, with every
// character GBK lacks as a numeric character reference; a GB18030 page keeps
// GB18030's four-byte sequences.
#include <QByteArray>
#include <QString>
#include <QStringView>
#include <optional>

namespace text {

enum class PageCharset {
    Gbk,      // GBK: read as GB18030 (its superset), written as strict GBK
    Gb18030,  // GB18030, four-byte sequences included
    Utf8,
    Utf16LE,
    Utf16BE,
    Utf32LE,
    Utf32BE,
    Other,    // a charset a page declares, converted by iconv under iconvName
};

struct PageEncoding {
    PageCharset charset = PageCharset::Gbk;
    bool byteOrderMark = false;
    QByteArray iconvName; // only for Other

    // A short name for messages: "GBK", "UTF-8（带 BOM）", "BIG5".
    QString displayName() const;
    bool operator==(const PageEncoding &o) const
    {
        return charset == o.charset && byteOrderMark == o.byteOrderMark && iconvName == o.iconvName;
    }
    bool operator!=(const PageEncoding &o) const { return !(*this == o); }
};

// The encoding of new pages: GBK without a byte-order mark.
PageEncoding gbkEncoding();

// The charset a <meta> in the page's head declares, lower-cased, or an empty
// text. Comments are skipped; only the first 64 K characters are looked at.
QString declaredCharset(QStringView text);
// The encoding a charset label stands for, or nothing when it is unknown.
// UTF-16 labels count as UTF-8: a page without a byte-order mark that calls
// itself UTF-16 is read as browsers read it.
std::optional<PageEncoding> encodingForLabel(const QString &label);

struct DecodedPage {
    bool ok = false;
    QString text;
    PageEncoding encoding;
    QString problem; // why the bytes were refused, in Chinese (without the file name)
    // Set when the encoding is a guess among several that fit the bytes: the
    // encoding's name, for telling the user what was chosen.
    QString guessedEncoding;
};
// Finds the encoding of a page file's bytes and decodes them. Refuses bytes
// with a zero byte unless they are UTF-16 or UTF-32 with a byte-order mark,
// a text holding the character U+0000, and bytes that no candidate encoding
// decodes without loss.
// The candidates past the byte-order mark, the declaration and UTF-8 are the
// detector's answer, then GB18030, then Windows-1252, in that order.
DecodedPage decodePage(const QByteArray &bytes);

// The bytes of a page in an encoding, byte-order mark included. Characters
// the encoding cannot hold (only possible for Other) are written as numeric
// character references; a lone surrogate becomes U+FFFD.
QByteArray encodePage(const QString &text, const PageEncoding &encoding);

// The encoding a page is written in: its own, unless the text now declares a
// different charset in its <meta> (and the file has no byte-order mark, which
// would outweigh the declaration), so that the file always reads back as it
// says.
PageEncoding encodingForSaving(const QString &text, const PageEncoding &current);

} // namespace text
