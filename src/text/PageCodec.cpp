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
    if (name.isEmpty() || name == "ASCII" || name == "UTF-8")
        return std::nullopt;
    if (name == "GB18030" || name == "GB2312" || name == "GBK" || name == "HZ-GB-2312")
        return PageEncoding{PageCharset::Gb18030, false, {}};
    // Browsers read these labels as the code pages that extend them.
    static const QList<QPair<QByteArray, QByteArray>> extended = {
        {"BIG5", "CP950"}, {"ISO-8859-1", "WINDOWS-1252"}, {"SHIFT_JIS", "CP932"}, {"EUC-KR", "CP949"}};
    for (const auto &e : extended)
        if (name == e.first)
            return PageEncoding{PageCharset::Other, false, e.second};
    if (!iconvKnows(name))
        return std::nullopt;
    return PageEncoding{PageCharset::Other, false, name};
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
    const QString l = label.trimmed().toLower();
    if (l.isEmpty())
        return std::nullopt;
    static const QStringList utf8 = {
        QStringLiteral("utf-8"), QStringLiteral("utf8"), QStringLiteral("unicode-1-1-utf-8"),
        QStringLiteral("utf-16"), QStringLiteral("utf-16le"), QStringLiteral("utf-16be"),
        QStringLiteral("unicode"), QStringLiteral("ucs-2"), QStringLiteral("unicodefffe"),
    };
    if (l == QLatin1String("gb18030"))
        return PageEncoding{PageCharset::Gb18030, false, {}};
    static const QStringList gbk = {
        QStringLiteral("gb2312"), QStringLiteral("gbk"),
        QStringLiteral("x-gbk"), QStringLiteral("cp936"), QStringLiteral("windows-936"),
        QStringLiteral("ms936"), QStringLiteral("chinese"), QStringLiteral("csgb2312"),
        QStringLiteral("csiso58gb231280"), QStringLiteral("gb_2312"), QStringLiteral("gb_2312-80"),
        QStringLiteral("iso-ir-58"), QStringLiteral("euc-cn"), QStringLiteral("x-euc-cn"),
    };
    if (utf8.contains(l))
        return PageEncoding{PageCharset::Utf8, false, {}};
    if (gbk.contains(l))
        return gbkEncoding();
    // Labels that browsers read as another code page than their name says.
    static const QList<QPair<QStringList, QByteArray>> aliases = {
        {{QStringLiteral("iso-8859-1"), QStringLiteral("latin1"), QStringLiteral("l1"),
          QStringLiteral("ascii"), QStringLiteral("us-ascii"), QStringLiteral("iso8859-1"),
          QStringLiteral("windows-1252"), QStringLiteral("cp1252")}, "WINDOWS-1252"},
        {{QStringLiteral("shift_jis"), QStringLiteral("shift-jis"), QStringLiteral("sjis"),
          QStringLiteral("ms_kanji"), QStringLiteral("windows-31j"), QStringLiteral("x-sjis"),
          QStringLiteral("csshiftjis")}, "CP932"},
        {{QStringLiteral("euc-kr"), QStringLiteral("ks_c_5601-1987"), QStringLiteral("windows-949"),
          QStringLiteral("cseuckr")}, "CP949"},
        {{QStringLiteral("big5"), QStringLiteral("cn-big5"), QStringLiteral("x-x-big5"),
          QStringLiteral("csbig5"), QStringLiteral("cp950"), QStringLiteral("windows-950")}, "CP950"},
        {{QStringLiteral("big5-hkscs")}, "BIG5-HKSCS"},
    };
    for (const auto &alias : aliases)
        if (alias.first.contains(l))
            return PageEncoding{PageCharset::Other, false, alias.second};
    if (l == QLatin1String("x-user-defined") || l == QLatin1String("replacement"))
        return std::nullopt;
    const QByteArray name = l.toLatin1().toUpper();
    if (!iconvKnows(name))
        return std::nullopt;
    return PageEncoding{PageCharset::Other, false, name};
}

DecodedPage decodePage(const QByteArray &bytes)
{
    DecodedPage page;
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
            return page;
        }
        const qsizetype zero = text->indexOf(QChar(0));
        if (zero >= 0) {
            page.problem = QStringLiteral("文件的第 %1 个字符是零字符，这不是网页文本。").arg(zero + 1);
            return page;
        }
        page.text = *text;
        page.ok = true;
        return page;
    }

    const qsizetype zero = bytes.indexOf('\0');
    if (zero >= 0) {
        page.problem = QStringLiteral(
                           "文件的第 %1 个字节是零字节。网页文本中不会有零字节（带字节顺序标记的 UTF-16 "
                           "文件除外），这可能不是网页文件；若照常打开，零字节之后的内容在保存时就会丢失。")
                           .arg(zero + 1);
        return page;
    }

    if (isAscii(all)) {
        // Every candidate reads ASCII alike; only the encoding to write back differs.
        const auto declared = encodingForLabel(declaredCharset(QString::fromLatin1(bytes.left(kDeclarationScan))));
        page.encoding = declared ? *declared : PageEncoding{PageCharset::Utf8, false, {}};
        page.text = QString::fromLatin1(bytes);
        page.ok = true;
        return page;
    }

    const QString declaredLabel = declaredCharset(QString::fromLatin1(bytes.left(kDeclarationScan)));
    if (const auto declared = encodingForLabel(declaredLabel)) {
        std::optional<QString> decoded;
        if (declared->charset == PageCharset::Utf8) {
            if (firstInvalidUtf8(all) < 0)
                decoded = QString::fromUtf8(bytes);
        } else {
            decoded = iconvDecode(decoderNameFor(*declared), bytes, nullptr);
        }
        if (decoded) {
            page.encoding = *declared;
            page.text = *decoded;
            page.ok = true;
            return page;
        }
    }

    const qsizetype badUtf8 = firstInvalidUtf8(all);
    if (badUtf8 < 0) {
        page.encoding = {PageCharset::Utf8, false, {}};
        page.text = QString::fromUtf8(bytes);
        page.ok = true;
        return page;
    }
    // No mark, no declaration that fits, not UTF-8: the detector's answer
    // first, then the encodings pages without a declaration are most often in.
    QList<PageEncoding> candidates;
    const std::optional<PageEncoding> detected = detectedEncoding(bytes);
    const PageEncoding gb18030{PageCharset::Gb18030, false, {}};
    // On a few Chinese characters the detector often answers with a Western
    // single-byte code page, which reads any bytes; GBK text is far likelier
    // in this editor, and Western text rarely reads as GB18030.
    const bool westernGuess = detected && detected->charset == PageCharset::Other &&
                              (detected->iconvName.startsWith("WINDOWS-125") || detected->iconvName.startsWith("ISO-8859") ||
                               detected->iconvName.startsWith("MAC"));
    if (westernGuess)
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
        return page;
    }
    const QString declaredNote = declaredLabel.isEmpty()
        ? QString()
        : QStringLiteral("也不是它声明的“%1”编码，").arg(declaredLabel);
    page.problem = QStringLiteral("文件内容既不是有效的 UTF-8 文本，也不是有效的 GBK、Big5 或 Windows-1252 文本，%1"
                                  "无法确定它的编码（第 %2 个字节无法识别）。若照常打开，"
                                  "无法识别的字节在保存时就会丢失。")
                       .arg(declaredNote)
                       .arg(furthest + 1);
    return page;
}

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
    if (current.byteOrderMark)
        return current;
    const auto declared = encodingForLabel(declaredCharset(text));
    if (!declared)
        return current;
    const bool sameFamily = declared->charset == current.charset &&
                            (declared->charset != PageCharset::Other || declared->iconvName == current.iconvName);
    return sameFamily ? current : *declared;
}

} // namespace text
