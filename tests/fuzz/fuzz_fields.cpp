// The text helpers that cut and read fields out of user text: TextBetween
// and the number reader behind every number field and configuration number.
// Numbers are checked against the C library's strtod on the same extent.
#include "insert/TextHelpers.h"
#include "text/Numbers.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

namespace {

bool digit(char c) { return c >= '0' && c <= '9'; }
bool blank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v'; }

// The leading decimal number as strtod reads it, with hexadecimal, inf and
// nan kept out by cutting the text to the plain decimal form first.
double expectedNumber(const std::string &s)
{
    size_t i = 0;
    while (i < s.size() && blank(s[i]))
        ++i;
    const size_t start = i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    size_t digits = 0;
    while (i < s.size() && digit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        size_t j = i + 1, fraction = 0;
        while (j < s.size() && digit(s[j]))
            ++j, ++fraction;
        if (digits + fraction > 0)
            i = j, digits += fraction;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && digit(s[j])) {
            while (j < s.size() && digit(s[j]))
                ++j;
            i = j;
        }
    }
    const std::string number = s.substr(start, i - start);
    return std::strtod(number.c_str(), nullptr);
}

void checkNumber(const std::string &s)
{
    const double got = text::LeadingNumber(s);
    const double want = expectedNumber(s);
    if (std::isnan(got))
        abort();
    // Below the normal range the reader answers 0 where strtod gives a
    // subnormal value; both are "nothing" to every caller.
    const bool subnormal = want != 0 && std::fabs(want) < std::numeric_limits<double>::min();
    if (got != want && !(subnormal && got == 0))
        abort();
    const int32_t n = text::ParseNumber(s);
    const double t = std::trunc(got);
    const int32_t expected = t >= 2147483647.0 ? 2147483647 : t <= -2147483648.0 ? int32_t(-2147483647 - 1) : int32_t(t);
    if (n != expected)
        abort();
}

QString asciiLower(QString s)
{
    for (QChar &c : s)
        if (c >= QLatin1Char('A') && c <= QLatin1Char('Z'))
            c = QChar(c.unicode() + 32);
    return s;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool cLocale = std::setlocale(LC_NUMERIC, "C") != nullptr;
    (void)cLocale;
    FuzzedDataProvider in(data, size);
    const std::string start = in.ConsumeRandomLengthString(16);
    const std::string end = in.ConsumeRandomLengthString(16);
    const std::string rest = in.ConsumeRemainingBytesAsString();

    checkNumber(rest);
    const QString field = QString::fromUtf8(rest.data(), qsizetype(rest.size()));
    const double fromField = text::NumberFromField(field);
    if (std::isnan(fromField))
        abort();
    (void)text::CountFromField(field);

    const QString page = field;
    const QString startMarker = QString::fromUtf8(start.data(), qsizetype(start.size()));
    const QString endMarker = QString::fromUtf8(end.data(), qsizetype(end.size()));
    const insert::TextPiece piece = insert::TextBetween(page, startMarker, endMarker);
    if (piece.end == -1) {
        if (!piece.text.isEmpty())
            abort();
    } else {
        // The piece is there, and end points past the end marker, within the page.
        if (piece.text.isEmpty() || !page.contains(piece.text) || piece.end < 1
            || piece.end > text::GbkLength(page) + 1)
            abort();
        // The first start marker, then the piece, then the end marker.
        const QString folded = asciiLower(page);
        const qsizetype at = folded.indexOf(asciiLower(startMarker));
        if (at < 0 || page.mid(at + startMarker.size(), piece.text.size()) != piece.text
            || folded.indexOf(asciiLower(endMarker), at + startMarker.size())
                   != at + startMarker.size() + piece.text.size())
            abort();
    }
    return 0;
}
