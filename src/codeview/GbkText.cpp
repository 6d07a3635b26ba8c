#include "codeview/GbkText.h"

#include <cerrno>
#include <iconv.h>

namespace codeview {

namespace {

bool isAscii(std::string_view text)
{
    for (unsigned char c : text)
        if (c >= 0x80)
            return false;
    return true;
}

} // namespace

std::string GbkToUtf8(std::string_view gbk)
{
    if (isAscii(gbk))
        return std::string(gbk);

    iconv_t cd = iconv_open("UTF-8", "GB18030");
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // No converter: keep ASCII, mark everything else as undecodable.
        std::string out;
        for (unsigned char c : gbk)
            out += c < 0x80 ? std::string(1, char(c)) : std::string("\xEF\xBF\xBD");
        return out;
    }

    std::string out;
    out.reserve(gbk.size() * 3 / 2 + 4);
    char *in = const_cast<char *>(gbk.data());
    size_t inLeft = gbk.size();
    char buffer[1024];
    while (inLeft > 0) {
        char *outPtr = buffer;
        size_t outLeft = sizeof buffer;
        size_t rc = iconv(cd, &in, &inLeft, &outPtr, &outLeft);
        out.append(buffer, size_t(outPtr - buffer));
        if (rc != size_t(-1))
            continue;
        if (errno == E2BIG)
            continue;
        // EILSEQ or EINVAL (truncated sequence at the end): skip one byte.
        out += "\xEF\xBF\xBD";
        ++in;
        --inLeft;
        iconv(cd, nullptr, nullptr, nullptr, nullptr);
    }
    iconv_close(cd);
    return out;
}

} // namespace codeview
