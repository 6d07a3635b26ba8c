#pragma once
// Reading the numeric attributes of stylers.xml.
#include <cstdint>
#include <string_view>

namespace codeview {

// Skips leading white space and reads the longest leading decimal number
// (optional sign, digits, optional decimal point and fraction, optional
// exponent), truncated toward zero. No number gives 0; values beyond the
// 32-bit range are clamped to it. "8.9" gives 8, "-2.5" gives -2, "FF0000"
// and "" give 0.
int32_t ParseNumber(std::string_view text);

} // namespace codeview
