#include "text/PageCodec.h"

#include "text/Iconv.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <QStringEncoder>
#include <QtEndian>

#include <uchardet.h>

#include <charconv>
#include <cstring>
#include <memory>

namespace text {

namespace {

// iconv's name for the QString's own UTF-16 layout.
#if Q_BYTE_ORDER == Q_LITTLE_ENDIAN
constexpr const char *kNativeUtf16 = "UTF-16LE";
#else
constexpr const char *kNativeUtf16 = "UTF-16BE";
#endif

constexpr qsizetype kDeclarationScan = 64 * 1024;

bool iconvKnows(const QByteArray &name)
{
    return Iconv(kNativeUtf16, name.constData()).isValid();
}

// Strict decoding through iconv; badOffset receives the first undecodable
// byte. The one exception: in GB18030 a lone 0x80 is the euro sign, as GBK
// writers of code page 936 put it and browsers read it.
std::optional<QString> iconvDecode(const QByteArray &name, const QByteArray &bytes, qsizetype *badOffset)
{
    Iconv conv(kNativeUtf16, name.constData());
    const bool gb18030 = name == "GB18030";
    static const char16_t euro = 0x20AC;
    const auto out = conv.convert(bytes, bytes.size() * 2 + 64,
                                  [gb18030](QByteArrayView rest) {
                                      if (gb18030 && !rest.isEmpty() && uchar(rest.front()) == 0x80)
                                          return Recovery{1, QByteArrayView(reinterpret_cast<const char *>(&euro), 2)};
                                      return Recovery{};
                                  },
                                  badOffset);
    if (!out)
        return std::nullopt;
    return QString(reinterpret_cast<const QChar *>(out->constData()), out->size() / 2);
}

std::optional<QString> decodeUtf16(QByteArrayView bytes, bool bigEndian)
{
    if (bytes.size() % 2)
        return std::nullopt;
    QString text(bytes.size() / 2, Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    for (qsizetype i = 0; i < text.size(); ++i)
        out[i] = bigEndian ? qFromBigEndian<quint16>(in + 2 * i) : qFromLittleEndian<quint16>(in + 2 * i);
    return text;
}

// UTF-32 by hand as well: Qt's decoder reports no error for a cut-off last
// character (it gives U+FFFD), a surrogate or a value past U+10FFFF (it gives
// stray surrogates), so such a file would open as something else and a save
// would write that. Nothing, then, for bytes that are not UTF-32.
std::optional<QString> decodeUtf32(QByteArrayView bytes, bool bigEndian)
{
    if (bytes.size() % 4)
        return std::nullopt;
    QString text;
    text.reserve(bytes.size() / 4);
    const uchar *in = reinterpret_cast<const uchar *>(bytes.data());
    for (qsizetype i = 0; i < bytes.size(); i += 4) {
        const char32_t c = bigEndian ? qFromBigEndian<quint32>(in + i) : qFromLittleEndian<quint32>(in + i);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            return std::nullopt;
        if (QChar::requiresSurrogates(c)) {
            text.append(QChar(QChar::highSurrogate(c)));
            text.append(QChar(QChar::lowSurrogate(c)));
        } else {
            text.append(QChar(char16_t(c)));
        }
    }
    return text;
}

// Offset of the first byte of an invalid UTF-8 sequence, or -1.
qsizetype firstInvalidUtf8(QByteArrayView bytes)
{
    const uchar *p = reinterpret_cast<const uchar *>(bytes.data());
    const qsizetype n = bytes.size();
    for (qsizetype i = 0; i < n;) {
        const uchar c = p[i];
        if (c < 0x80) {
            ++i;
            continue;
        }
        int extra;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) { extra = 1; cp = c & 0x1F; }
        else if (c >= 0xE0 && c <= 0xEF) { extra = 2; cp = c & 0x0F; }
        else if (c >= 0xF0 && c <= 0xF4) { extra = 3; cp = c & 0x07; }
        else return i;
        for (int k = 1; k <= extra; ++k) {
            if (i + k >= n || (p[i + k] & 0xC0) != 0x80)
                return i;
            cp = (cp << 6) | (p[i + k] & 0x3F);
        }
        if ((extra == 2 && (cp < 0x800 || (cp >= 0xD800 && cp <= 0xDFFF))) ||
            (extra == 3 && (cp < 0x10000 || cp > 0x10FFFF)))
            return i;
        i += extra + 1;
    }
    return -1;
}

// Windows-1252 for 0x80 to 0x9F; above that it is Latin-1, and the five
// bytes it leaves undefined read as the C1 controls, as browsers read them.
char16_t windows1252(uchar byte)
{
    static const char16_t high[32] = {0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
                                      0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};
    return byte >= 0x80 && byte < 0xA0 ? high[byte - 0x80] : char16_t(byte);
}

// The bytes as UTF-8 in which a few invalid bytes stand alone between valid
// text, each read as the Windows-1252 character it most likely was (a curly
// apostrophe pasted from a word processor). Nothing when invalid bytes come
// in runs, as text in another encoding makes them, or when they outnumber
// the valid characters beyond ASCII (past three in an ASCII page).
std::optional<QString> utf8WithStrayBytes(QByteArrayView bytes, int *strays, qsizetype *firstStray)
{
    QString text;
    text.reserve(bytes.size());
    int invalid = 0, multiByte = 0;
    qsizetype first = -1, previousInvalid = -2, runStart = 0;
    for (qsizetype i = 0; i < bytes.size();) {
        const qsizetype bad = firstInvalidUtf8(bytes.sliced(i));
        if (bad < 0)
            break;
        const qsizetype at = i + bad;
        if (at == previousInvalid + 1)
            return std::nullopt;
        text += QString::fromUtf8(bytes.sliced(runStart, at - runStart));
        text += QChar(windows1252(uchar(bytes[at])));
        if (first < 0)
            first = at;
        ++invalid;
        previousInvalid = at;
        i = runStart = at + 1;
    }
    if (invalid == 0)
        return std::nullopt;
    text += QString::fromUtf8(bytes.sliced(runStart));
    for (char c : bytes)
        multiByte += (uchar(c) & 0xC0) == 0xC0 ? 1 : 0; // lead bytes, strays included
    multiByte -= invalid;
    if (invalid > std::max(3, multiByte))
        return std::nullopt;
    *strays = invalid;
    *firstStray = first;
    return text;
}

bool isAscii(QByteArrayView bytes)
{
    for (char c : bytes)
        if (uchar(c) >= 0x80)
            return false;
    return true;
}

QString withoutLoneSurrogates(const QString &text)
{
    const qsizetype n = text.size();
    const QChar *d = text.constData();
    qsizetype i = 0;
    for (; i < n; ++i) {
        if (d[i].isHighSurrogate() && i + 1 < n && d[i + 1].isLowSurrogate())
            ++i;
        else if (d[i].isSurrogate())
            break;
    }
    if (i == n)
        return text;
    QString fixed = text;
    for (; i < n; ++i) {
        if (fixed[i].isHighSurrogate() && i + 1 < n && fixed[i + 1].isLowSurrogate())
            ++i;
        else if (fixed[i].isSurrogate())
            fixed[i] = QChar(QChar::ReplacementCharacter);
    }
    return fixed;
}

// Encodes through iconv; characters the target cannot hold become numeric
// character references.
QByteArray iconvEncode(const char *name, const QString &text)
{
    Iconv conv(name, kNativeUtf16);
    if (!conv.isValid())
        return text.toUtf8(); // cannot happen for an encoding that decoded the page
    char reference[16];
    auto writeReference = [&reference](QByteArrayView rest) {
        // The character at the start of rest has no place in the target encoding.
        const char16_t *unit = reinterpret_cast<const char16_t *>(rest.data());
        char32_t cp = unit[0];
        qsizetype consumed = 2;
        if (QChar::isHighSurrogate(unit[0]) && rest.size() >= 4 && QChar::isLowSurrogate(unit[1])) {
            cp = QChar::surrogateToUcs4(unit[0], unit[1]);
            consumed = 4;
        }
        char *end = reference;
        *end++ = '&';
        *end++ = '#';
        end = std::to_chars(end, reference + sizeof reference, quint32(cp)).ptr;
        *end++ = ';';
        return Recovery{consumed, QByteArrayView(reference, end - reference)};
    };
    const QByteArrayView in(reinterpret_cast<const char *>(text.constData()), text.size() * 2);
    return conv.convert(in, in.size() + 64, writeReference).value_or(QByteArray()); // never stops
}

QByteArray qtEncode(QStringConverter::Encoding encoding, const QString &text)
{
    QStringEncoder encoder(encoding, QStringConverter::Flag::Stateless);
    return encoder.encode(text);
}

// The names iconv reads and writes an encoding under. GBK pages are read as
// GB18030, which holds everything GBK does, byte for byte.
const char *decoderNameFor(const PageEncoding &e)
{
    return e.charset == PageCharset::Gbk || e.charset == PageCharset::Gb18030 ? "GB18030"
                                                                              : e.iconvName.constData();
}
const char *encoderNameFor(const PageEncoding &e)
{
    switch (e.charset) {
    case PageCharset::Gbk: return "GBK";
    case PageCharset::Gb18030: return "GB18030";
    default: return e.iconvName.constData();
    }
}

// What the detector makes of the bytes, as an encoding this program reads
// them in; nothing when it has no answer.
std::optional<PageEncoding> detectedEncoding(const QByteArray &bytes)
{
    std::unique_ptr<std::remove_pointer_t<uchardet_t>, void (*)(uchardet_t)> detector(uchardet_new(),
                                                                                      uchardet_delete);
    if (!detector)
        return std::nullopt;
    if (uchardet_handle_data(detector.get(), bytes.constData(), size_t(bytes.size())) != 0)
        return std::nullopt;
    uchardet_data_end(detector.get());
    const QByteArray name = QByteArray(uchardet_get_charset(detector.get())).toUpper();
    // UTF-8 is tried apart; UTF-16 and UTF-32 without a mark are not pages.
    if (name.isEmpty() || name == "ASCII" || name.startsWith("UTF-"))
        return std::nullopt;
    if (name == "GB18030" || name == "GB2312" || name == "GBK" || name == "HZ-GB-2312")
        return PageEncoding{PageCharset::Gb18030, false, {}};
    // The detector's names for encodings whose labels browsers spell otherwise.
    if (name == "MAC-CYRILLIC")
        return encodingForLabel(QStringLiteral("x-mac-cyrillic"));
    // Whatever else it names counts only where browsers know the encoding.
    return encodingForLabel(QString::fromLatin1(name));
}

// The single-byte code pages: each reads nearly any bytes, and on a little
// Chinese text the detector often names one of them.
bool singleByte(const PageEncoding &e)
{
    static const QByteArrayList prefixes = {"IBM866", "ISO-8859-", "KOI8-", "MACINTOSH", "MAC-CYRILLIC", "WINDOWS-874",
                                            "WINDOWS-125"};
    if (e.charset != PageCharset::Other)
        return false;
    for (const QByteArray &prefix : prefixes)
        if (e.iconvName.startsWith(prefix))
            return true;
    return false;
}

} // namespace

QString PageEncoding::displayName() const
{
    QString name;
    switch (charset) {
    case PageCharset::Gbk: name = QStringLiteral("GBK"); break;
    case PageCharset::Gb18030: name = QStringLiteral("GB18030"); break;
    case PageCharset::Utf8: name = QStringLiteral("UTF-8"); break;
    case PageCharset::Utf16LE: name = QStringLiteral("UTF-16LE"); break;
    case PageCharset::Utf16BE: name = QStringLiteral("UTF-16BE"); break;
    case PageCharset::Utf32LE: name = QStringLiteral("UTF-32LE"); break;
    case PageCharset::Utf32BE: name = QStringLiteral("UTF-32BE"); break;
    case PageCharset::Other:
        name = iconvName == "CP950" ? QStringLiteral("BIG5") : QString::fromLatin1(iconvName);
        break;
    }
    if (byteOrderMark && charset == PageCharset::Utf8)
        name += QStringLiteral("（带 BOM）");
    return name;
}

PageEncoding gbkEncoding()
{
    return PageEncoding{};
}

QString declaredCharset(QStringView text)
{
    static const QRegularExpression tags(
        QStringLiteral("<!--.*?-->|<meta\\b[^>]*>"),
        QRegularExpression::CaseInsensitiveOption | QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression charset(
        QStringLiteral("charset\\s*=\\s*[\"']?\\s*([A-Za-z0-9._:\\-]+)"),
        QRegularExpression::CaseInsensitiveOption);
    const QStringView head = text.left(kDeclarationScan);
    auto it = tags.globalMatch(head);
    while (it.hasNext()) {
        const QRegularExpressionMatch tag = it.next();
        const QStringView found = tag.capturedView();
        if (found.startsWith(QLatin1String("<!--")))
            continue;
        const QRegularExpressionMatch m = charset.match(found);
        if (m.hasMatch())
            return m.captured(1).toLower();
    }
    return QString();
}

std::optional<PageEncoding> encodingForLabel(const QString &label)
{
    // The WHATWG Encoding Standard's labels, each with the encoding it
    // stands for: "UTF-8", "GBK" and "GB18030" are this program's own,
    // anything else the name iconv reads it under. The UTF-16 labels stand
    // for UTF-8: bytes that reach a declaration are ASCII-compatible.
    struct Encoding {
        const char *target;
        const char *labels;
    };
    static const Encoding kEncodings[] = {
        {"UTF-8", "unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf-8 utf8 x-unicode20utf8"},
        {"UTF-8", "unicodefffe utf-16be csunicode iso-10646-ucs-2 ucs-2 unicode unicodefeff utf-16 utf-16le"},
        {"IBM866", "866 cp866 csibm866 ibm866"},
        {"ISO-8859-2", "csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2 iso_8859-2:1987 l2 latin2"},
        {"ISO-8859-3", "csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3 iso_8859-3:1988 l3 latin3"},
        {"ISO-8859-4", "csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4 iso_8859-4:1988 l4 latin4"},
        {"ISO-8859-5", "csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5 iso88595 iso_8859-5 "
                       "iso_8859-5:1988"},
        {"ISO-8859-6", "arabic asmo-708 csiso88596e csiso88596i csisolatinarabic ecma-114 iso-8859-6 iso-8859-6-e "
                       "iso-8859-6-i iso-ir-127 iso8859-6 iso88596 iso_8859-6 iso_8859-6:1987"},
        {"ISO-8859-7", "csisolatingreek ecma-118 elot_928 greek greek8 iso-8859-7 iso-ir-126 iso8859-7 iso88597 "
                       "iso_8859-7 iso_8859-7:1987 sun_eu_greek"},
        {"ISO-8859-8", "csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 iso8859-8 iso88598 "
                       "iso_8859-8 iso_8859-8:1988 visual csiso88598i iso-8859-8-i logical"},
        {"ISO-8859-10", "csisolatin6 iso-8859-10 iso-ir-157 iso8859-10 iso885910 l6 latin6"},
        {"ISO-8859-13", "iso-8859-13 iso8859-13 iso885913"},
        {"ISO-8859-14", "iso-8859-14 iso8859-14 iso885914"},
        {"ISO-8859-15", "csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"},
        {"ISO-8859-16", "iso-8859-16"},
        {"KOI8-R", "cskoi8r koi koi8 koi8-r koi8_r"},
        {"KOI8-RU", "koi8-ru koi8-u"},
        {"MACINTOSH", "csmacintosh mac macintosh x-mac-roman"},
        {"WINDOWS-874", "dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874"},
        {"WINDOWS-1250", "cp1250 windows-1250 x-cp1250"},
        {"WINDOWS-1251", "cp1251 windows-1251 x-cp1251"},
        {"WINDOWS-1252", "ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 iso-ir-100 iso8859-1 "
                         "iso88591 iso_8859-1 iso_8859-1:1987 l1 latin1 us-ascii windows-1252 x-cp1252"},
        {"WINDOWS-1253", "cp1253 windows-1253 x-cp1253"},
        {"WINDOWS-1254", "cp1254 csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 iso_8859-9:1989 l5 "
                         "latin5 windows-1254 x-cp1254"},
        {"WINDOWS-1255", "cp1255 windows-1255 x-cp1255"},
        {"WINDOWS-1256", "cp1256 windows-1256 x-cp1256"},
        {"WINDOWS-1257", "cp1257 windows-1257 x-cp1257"},
        {"WINDOWS-1258", "cp1258 windows-1258 x-cp1258"},
        {"MAC-CYRILLIC", "x-mac-cyrillic x-mac-ukrainian"},
        {"GBK", "chinese csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 x-gbk"},
        {"GB18030", "gb18030"},
        {"CP950", "big5 cn-big5 csbig5 x-x-big5"},
        {"BIG5-HKSCS", "big5-hkscs"},
        {"EUC-JP", "cseucpkdfmtjapanese euc-jp x-euc-jp"},
        {"ISO-2022-JP", "csiso2022jp iso-2022-jp"},
        {"CP932", "csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis"},
        {"CP949", "cseuckr csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 ks_c_5601-1989 ksc5601 ksc_5601 "
                  "windows-949"},
    };
    static const QHash<QString, QByteArray> byLabel = [] {
        QHash<QString, QByteArray> all;
        for (const Encoding &e : kEncodings)
            for (const QString &l : QString::fromLatin1(e.labels).split(QLatin1Char(' ')))
                all.insert(l, QByteArray(e.target));
        return all;
    }();
    const auto found = byLabel.constFind(label.trimmed().toLower());
    if (found == byLabel.constEnd())
        return std::nullopt;
    const QByteArray &target = *found;
    if (target == "UTF-8")
        return PageEncoding{PageCharset::Utf8, false, {}};
    if (target == "GBK")
        return gbkEncoding();
    if (target == "GB18030")
        return PageEncoding{PageCharset::Gb18030, false, {}};
    if (!iconvKnows(target))
        return std::nullopt;
    return PageEncoding{PageCharset::Other, false, target};
}

bool DecodedPage::readAgainstDeclaration() const
{
    if (!ok || !declarationKnown || encoding.byteOrderMark)
        return false;
    const std::optional<PageEncoding> said = encodingForLabel(declared);
    if (!said)
        return false;
    const bool gbFamily = [](PageCharset c) { return c == PageCharset::Gbk || c == PageCharset::Gb18030; }(said->charset) &&
                          (encoding.charset == PageCharset::Gbk || encoding.charset == PageCharset::Gb18030);
    return !(gbFamily || *said == encoding);
}

namespace {
void decodeInto(DecodedPage &page, const QByteArray &bytes);
}

DecodedPage decodePage(const QByteArray &bytes)
{
    DecodedPage page;
    page.declared = declaredCharset(QString::fromLatin1(bytes.left(kDeclarationScan)));
    page.declarationKnown = encodingForLabel(page.declared).has_value();
    decodeInto(page, bytes);
    page.encoding.declared = page.declared;
    return page;
}

namespace {

void decodeInto(DecodedPage &page, const QByteArray &bytes)
{
    const QByteArrayView all(bytes);
    auto starts = [&](const char *bom, qsizetype n) {
        return all.size() >= n && std::memcmp(all.data(), bom, size_t(n)) == 0;
    };

    std::optional<QString> text;
    bool haveBom = true;
    if (starts("\xFF\xFE\x00\x00", 4)) {
        page.encoding = {PageCharset::Utf32LE, true, {}};
        text = decodeUtf32(all.sliced(4), false);
    } else if (starts("\x00\x00\xFE\xFF", 4)) {
        page.encoding = {PageCharset::Utf32BE, true, {}};
        text = decodeUtf32(all.sliced(4), true);
    } else if (starts("\xEF\xBB\xBF", 3)) {
        page.encoding = {PageCharset::Utf8, true, {}};
        if (firstInvalidUtf8(all.sliced(3)) < 0)
        {
            // Past the byte-order mark a U+FEFF is the page's own character;
            // QString::fromUtf8 would drop it as a second mark.
            QStringDecoder decoder(QStringConverter::Utf8,
                                   QStringConverter::Flag::Stateless | QStringConverter::Flag::ConvertInitialBom);
            text = decoder.decode(all.sliced(3));
        }
    } else if (starts("\xFF\xFE", 2)) {
        page.encoding = {PageCharset::Utf16LE, true, {}};
        text = decodeUtf16(all.sliced(2), false);
    } else if (starts("\xFE\xFF", 2)) {
        page.encoding = {PageCharset::Utf16BE, true, {}};
        text = decodeUtf16(all.sliced(2), true);
    } else {
        haveBom = false;
    }

    if (haveBom) {
        if (!text) {
            page.problem = QStringLiteral("文件以 %1 的字节顺序标记开头，但其后的内容不是有效的 %1 文本。")
                               .arg(page.encoding.displayName().section(QChar(u'（'), 0, 0));
            return;
        }
        const qsizetype zero = text->indexOf(QChar(0));
        if (zero >= 0) {
            page.problem = QStringLiteral("文件的第 %1 个字符是零字符，这不是网页文本。").arg(zero + 1);
            return;
        }
        page.text = *text;
        page.ok = true;
        return;
    }

    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) {
        page.problem = QStringLiteral(
                           "文件的第 %1 个字节是零字节。网页文本中不会有零字节（带字节顺序标记的 UTF-16 "
                           "文件除外），这可能不是网页文件；若照常打开，零字节之后的内容在保存时就会丢失。")
                           .arg(zero + 1);
        return;
    }

    const std::optional<PageEncoding> declared = encodingForLabel(page.declared);
    if (isAscii(all)) {
        // Every candidate reads ASCII alike; only the encoding to write back differs.
        page.encoding = declared ? *declared : PageEncoding{PageCharset::Utf8, false, {}};
        page.text = QString::fromLatin1(bytes);
        page.ok = true;
        return;
    }

    if (declared) {
        std::optional<QString> decoded;
        if (declared->charset == PageCharset::Utf8) {
            qsizetype firstStray = -1;
            if (firstInvalidUtf8(all) < 0)
                decoded = QString::fromUtf8(bytes);
            else if ((decoded = utf8WithStrayBytes(all, &page.repairedBytes, &firstStray)))
                page.firstRepairedLine = int(all.first(firstStray).count('\n')) + 1;
        } else {
            decoded = iconvDecode(decoderNameFor(*declared), bytes, nullptr);
        }
        if (decoded) {
            page.encoding = *declared;
            page.text = *decoded;
            page.ok = true;
            return;
        }
    }

    const qsizetype badUtf8 = firstInvalidUtf8(all);
    if (badUtf8 < 0) {
        page.encoding = {PageCharset::Utf8, false, {}};
        page.text = QString::fromUtf8(bytes);
        page.ok = true;
        return;
    }
    // No mark, no declaration that fits, not UTF-8: the detector's answer
    // first, then the encodings pages without a declaration are most often in.
    QList<PageEncoding> candidates;
    const std::optional<PageEncoding> detected = detectedEncoding(bytes);
    const PageEncoding gb18030{PageCharset::Gb18030, false, {}};
    // On a few Chinese characters the detector often answers with a
    // single-byte code page (Western, Cyrillic, Greek, Thai ...), which reads
    // nearly any bytes; GBK text is far likelier in this editor, and such
    // text rarely reads as GB18030. Its other answers (Big5, Shift_JIS ...)
    // stay first.
    if (detected && singleByte(*detected))
        candidates << gb18030;
    if (detected && !candidates.contains(*detected))
        candidates << *detected;
    for (const PageEncoding &fallback : {gb18030, PageEncoding{PageCharset::Other, false, "WINDOWS-1252"}})
        if (!candidates.contains(fallback))
            candidates << fallback;
    qsizetype furthest = badUtf8;
    bool doubtful = false;
    for (const PageEncoding &candidate : candidates) {
        // Windows-1252 fits nearly any bytes: it is a last resort, never a
        // rival (unless the detector itself named it).
        const bool lastResort = candidate.iconvName == "WINDOWS-1252" && !(detected && *detected == candidate);
        if (page.ok && lastResort)
            break;
        qsizetype bad = -1;
        auto decoded = iconvDecode(decoderNameFor(candidate), bytes, &bad);
        if (!decoded) {
            furthest = std::max(furthest, bad);
            continue;
        }
        if (page.ok) {
            doubtful = true; // a second encoding reads the bytes as well
            break;
        }
        page.encoding = candidate;
        page.text = *decoded;
        page.ok = true;
    }
    if (page.ok) {
        // The detector's answer, or GB18030 where it had none, when no other
        // encoding fits, is sure enough; the user hears about anything else.
        const PageEncoding expected = detected ? *detected : PageEncoding{PageCharset::Gb18030, false, {}};
        if (doubtful || page.encoding != expected)
            page.guessedEncoding = page.encoding.displayName();
        return;
    }
    const QString declaredNote = !declared
        ? QString()
        : QStringLiteral("也不是它声明的“%1”编码，").arg(page.declared);
    page.problem = QStringLiteral("文件内容既不是有效的 UTF-8 文本，也不是有效的 GBK、Big5 或 Windows-1252 文本，%1"
                                  "无法确定它的编码（第 %2 个字节无法识别）。若照常打开，"
                                  "无法识别的字节在保存时就会丢失。")
                       .arg(declaredNote)
                       .arg(furthest + 1);
}

} // namespace

QByteArray encodePage(const QString &text, const PageEncoding &encoding)
{
    const QString clean = withoutLoneSurrogates(text);
    QByteArray out;
    switch (encoding.charset) {
    case PageCharset::Utf8:
        out = clean.toUtf8();
        if (encoding.byteOrderMark)
            out.prepend("\xEF\xBB\xBF");
        return out;
    case PageCharset::Utf16LE:
        return QByteArray("\xFF\xFE", 2) + qtEncode(QStringConverter::Utf16LE, clean);
    case PageCharset::Utf16BE:
        return QByteArray("\xFE\xFF", 2) + qtEncode(QStringConverter::Utf16BE, clean);
    case PageCharset::Utf32LE:
        return QByteArray("\xFF\xFE\x00\x00", 4) + qtEncode(QStringConverter::Utf32LE, clean);
    case PageCharset::Utf32BE:
        return QByteArray("\x00\x00\xFE\xFF", 4) + qtEncode(QStringConverter::Utf32BE, clean);
    case PageCharset::Gbk:
    case PageCharset::Gb18030:
    case PageCharset::Other:
        break;
    }
    bool ascii = true;
    for (QChar c : clean)
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    if (ascii)
        return clean.toLatin1();
    if (encoding.charset == PageCharset::Gbk && clean.contains(QChar(0x20AC))) {
        // Code page 936 writes the euro sign as 0x80, which GB18030 readers
        // refuse, and GB18030's A2E3 is not GBK: a reference reads everywhere.
        QString referenced = clean;
        referenced.replace(QChar(0x20AC), QLatin1String("&#8364;"));
        return iconvEncode(encoderNameFor(encoding), referenced);
    }
    return iconvEncode(encoderNameFor(encoding), clean);
}

PageEncoding encodingForSaving(const QString &text, const PageEncoding &current)
{
    PageEncoding use = current;
    use.declared = declaredCharset(text);
    if (current.byteOrderMark || use.declared == current.declared)
        return use;
    const auto declared = encodingForLabel(use.declared);
    if (!declared)
        return use;
    const bool sameFamily = declared->charset == current.charset &&
                            (declared->charset != PageCharset::Other || declared->iconvName == current.iconvName);
    if (sameFamily)
        return use;
    PageEncoding changed = *declared;
    changed.declared = use.declared;
    return changed;
}

} // namespace text
