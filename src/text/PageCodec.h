#pragma once
// Page text and file bytes. A page is held as a QString; its file keeps the
// encoding it came in: a byte-order mark, else the charset its <meta>
// declares (when the bytes are in it), else UTF-8 when the bytes are valid
// UTF-8, else what an encoding detector finds (GB18030, Big5 as code page
// 950, Windows-1252 ...). Only the encodings browsers read, under the labels
// of the WHATWG Encoding Standard, are ever read or written.
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
    PageEncoding() = default;
    PageEncoding(PageCharset c, bool bom = false, QByteArray name = {})
        : charset(c), byteOrderMark(bom), iconvName(std::move(name))
    {
    }

    PageCharset charset = PageCharset::Gbk;
    bool byteOrderMark = false;
    QByteArray iconvName; // only for Other
    // The charset label the page's text declared when it was read or last
    // saved, lower-cased; empty for none. Not part of the encoding: it tells
    // a declaration the user changed since from the one the page came with.
    QString declared;

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
// The encoding a charset label stands for, or nothing when the label is not
// one of the WHATWG Encoding Standard's (browsers ignore any other): the
// standard's mappings apply, gb2312 is GBK, latin1 and ascii Windows-1252.
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
    // The charset the page declares (lower-cased, empty for none), and
    // whether it is a label browsers know; an unknown one counts as none.
    QString declared;
    bool declarationKnown = false;
    // A page declaring UTF-8 whose bytes are UTF-8 but for a few stray ones
    // (a Windows-1252 apostrophe pasted from a word processor): how many
    // were read as the Windows-1252 characters they most likely were, and
    // the line the first stands on (from 1).
    int repairedBytes = 0;
    int firstRepairedLine = 0;
    // The page declares an encoding its bytes are not in, and was read in
    // the one they are in.
    bool readAgainstDeclaration() const;
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

// The encoding a page is written in: the one it was read in, unless its text
// now declares another charset than it declared then (and the file has no
// byte-order mark, which would outweigh the declaration): a declaration the
// user changed is followed, one the page came with is not, so a page whose
// bytes never matched its declaration keeps its bytes. The result carries
// the declaration it was written with.
PageEncoding encodingForSaving(const QString &text, const PageEncoding &current);

} // namespace text
