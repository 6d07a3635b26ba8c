#include "text/Numbers.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

namespace text {

namespace {

bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool isBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f' || c == '\v';
}

// The decimal exponent of the number's first significant digit: 2 for
// "123.4", -3 for "0.001", 0 when every digit is zero. Used only to tell a
// vanishingly small number from a huge one when neither fits a double.
long long magnitude(std::string_view mantissa, long long exponent)
{
    const size_t point = mantissa.find('.');
    const size_t intDigits = point == std::string_view::npos ? mantissa.size() : point;
    for (size_t i = 0; i < mantissa.size(); ++i) {
        if (mantissa[i] == '.' || mantissa[i] == '0')
            continue;
        const long long position = i < intDigits ? (long long)(intDigits - i) - 1
                                                 : -(long long)(i - intDigits);
        return position + exponent;
    }
    return 0;
}

long long exponentValue(std::string_view digits)
{
    // Saturates: any exponent past a few hundred means the same thing.
    long long value = 0;
    bool negative = false;
    size_t i = 0;
    if (i < digits.size() && (digits[i] == '+' || digits[i] == '-'))
        negative = digits[i++] == '-';
    for (; i < digits.size(); ++i)
        value = std::min<long long>(value * 10 + (digits[i] - '0'), 1000000000LL);
    return negative ? -value : value;
}

} // namespace

double LeadingNumber(std::string_view text)
{
    size_t i = 0;
    while (i < text.size() && isBlank(text[i]))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }

    // The extent of the number is found by hand, so that only plain decimal
    // forms are ever numbers.
    const size_t start = i;
    size_t digits = 0;
    while (i < text.size() && isDigit(text[i])) {
        ++i;
        ++digits;
    }
    if (i < text.size() && text[i] == '.') {
        size_t j = i + 1;
        size_t fraction = 0;
        while (j < text.size() && isDigit(text[j])) {
            ++j;
            ++fraction;
        }
        if (digits + fraction > 0) {
            i = j;
            digits += fraction;
        }
    }
    if (digits == 0)
        return 0.0;
    const size_t mantissaEnd = i;
    size_t exponentStart = std::string_view::npos;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        if (j < text.size() && isDigit(text[j])) {
            exponentStart = i + 1;
            while (j < text.size() && isDigit(text[j]))
                ++j;
            i = j;
        }
    }

    const std::string_view number = text.substr(start, i - start);
    double value = 0;
    const auto result = std::from_chars(number.data(), number.data() + number.size(), value,
                                        std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        const long long exponent = exponentStart == std::string_view::npos
            ? 0
            : exponentValue(text.substr(exponentStart, i - exponentStart));
        const bool tiny = magnitude(text.substr(start, mantissaEnd - start), exponent) < 0;
        value = tiny ? 0.0 : std::numeric_limits<double>::infinity();
    } else if (result.ec != std::errc()) {
        return 0.0;
    }
    return negative ? -value : value;
}

namespace {

int32_t truncatedToInt32(double number)
{
    const double value = std::trunc(number);
    if (std::isnan(value))
        return 0;
    if (value >= double(std::numeric_limits<int32_t>::max()))
        return std::numeric_limits<int32_t>::max();
    if (value <= double(std::numeric_limits<int32_t>::min()))
        return std::numeric_limits<int32_t>::min();
    return int32_t(value);
}

} // namespace

int32_t ParseNumber(std::string_view text)
{
    return truncatedToInt32(LeadingNumber(text));
}

QString FoldFullWidth(const QString &text)
{
    QString folded = text;
    for (QChar &c : folded) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E)
            c = QChar(char16_t(u - 0xFEE0));
        else if (u == 0x3000)
            c = QLatin1Char(' ');
    }
    return folded;
}

double NumberFromField(const QString &field)
{
    // Everything past ASCII ends a number, so it can stand for any of it.
    const QString folded = FoldFullWidth(field);
    std::string ascii(size_t(folded.size()), '\x7f');
    for (qsizetype k = 0; k < folded.size(); ++k)
        if (folded.at(k).unicode() < 0x80)
            ascii[size_t(k)] = char(folded.at(k).unicode());
    return LeadingNumber(ascii);
}

int CountFromField(const QString &text)
{
    static_assert(sizeof(int) == sizeof(int32_t));
    return truncatedToInt32(NumberFromField(text));
}

} // namespace text
