#pragma once
// Reading numbers out of text the way the program's inputs need it: the
// numeric attributes of the code editor's configuration files and the number
// fields of the insertion dialogs share one reader.
#include <QString>
#include <QtGlobal>
#include <cstdint>
#include <string_view>

namespace text {

// Skips leading white space and reads the longest leading decimal number
// (optional sign, digits, optional decimal point and fraction, optional
// exponent that counts only when a digit follows it). No number gives 0; a
// number too large for a double gives infinity of its sign and one too small
// gives 0. Hexadecimal forms, "inf" and "nan" are never numbers.
double LeadingNumber(std::string_view text);

// The leading number truncated toward zero and held within the 32-bit range:
// "8.9" gives 8, "-2.5" gives -2, "FF0000" and "" give 0, "1e99" gives
// 2147483647.
int32_t ParseNumber(std::string_view text);

// Full-width forms (U+FF01..U+FF5E and the ideographic space) folded to
// their single-byte forms; everything else is kept.
QString FoldFullWidth(const QString &text);

// A dialog field read as a number: full-width characters folded, then the
// leading number ("12.5abc" gives 12.5, "1e3" gives 1000).
double NumberFromField(const QString &text);
// The same truncated toward zero and held within the range of int.
int CountFromField(const QString &text);

} // namespace text
