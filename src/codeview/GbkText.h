#pragma once
// Conversion of the configuration files' GBK bytes into the UTF-8 the code
// editor runs in.
#include <string>
#include <string_view>

namespace codeview {

// Decodes GBK (read as GB18030, its superset) into UTF-8. A byte sequence that
// is not valid GBK becomes U+FFFD, one per offending byte; ASCII passes as is.
std::string GbkToUtf8(std::string_view gbk);

} // namespace codeview
