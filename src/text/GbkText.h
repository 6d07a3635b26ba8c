#pragma once
// GBK text: the configuration files' bytes into the UTF-8 the code editor
// runs in and back, and the length of a text in the page's code page.
#include <QStringView>
#include <string>
#include <string_view>

namespace text {

// Decodes GBK (read as GB18030, its superset) into UTF-8. A byte sequence that
// is not valid GBK becomes U+FFFD, one per offending byte; ASCII passes as is.
std::string GbkToUtf8(std::string_view gbk);
// Encodes UTF-8 as GB18030 (GBK for every character GBK has). Invalid UTF-8
// bytes are passed through as they are.
std::string Utf8ToGbk(std::string_view utf8);

// How many bytes the text takes in the page's code page (GBK, with GB18030
// for the characters GBK lacks).
int GbkLength(QStringView text);

} // namespace text
