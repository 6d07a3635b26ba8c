#include "text/Iconv.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace text {

namespace {

const iconv_t kInvalid = reinterpret_cast<iconv_t>(-1);

} // namespace

Iconv::Iconv(const char *to, const char *from) : cd_(iconv_open(to, from)) {}

Iconv::~Iconv()
{
    if (isValid())
        iconv_close(cd_);
}

bool Iconv::isValid() const
{
    return cd_ != kInvalid;
}

std::optional<QByteArray> Iconv::convert(QByteArrayView input, qsizetype sizeHint, const Recover &recover,
                                         qsizetype *stoppedAt)
{
    if (!isValid())
        return std::nullopt;
    iconv(cd_, nullptr, nullptr, nullptr, nullptr); // a fresh start, whatever came before

    QByteArray out(std::max(sizeHint, qsizetype(16)), Qt::Uninitialized);
    qsizetype used = 0;
    // One iconv() call into the rest of out, repeated with twice the room while
    // the output does not fit. With no input, writes the bytes that return to
    // the initial shift state. False on an unconvertible sequence.
    auto run = [&](char **in, size_t *inLeft) {
        while (true) {
            char *outPtr = out.data() + used;
            size_t outLeft = size_t(out.size() - used);
            const size_t rc = iconv(cd_, in, inLeft, &outPtr, &outLeft);
            const int err = errno;
            used = qsizetype(outPtr - out.data());
            if (rc != size_t(-1))
                return true;
            if (err != E2BIG)
                return false;
            out.resize(out.size() * 2);
        }
    };

    char *in = const_cast<char *>(input.data());
    size_t inLeft = size_t(input.size());
    while (!run(&in, &inLeft)) {
        run(nullptr, nullptr);
        const QByteArrayView rest(in, qsizetype(inLeft));
        const Recovery recovery = recover(rest);
        const qsizetype skip = std::min(recovery.skip, rest.size());
        if (skip <= 0) {
            if (stoppedAt)
                *stoppedAt = qsizetype(in - input.data());
            return std::nullopt;
        }
        const qsizetype n = recovery.replacement.size();
        if (n > 0) {
            if (out.size() - used < n)
                out.resize(out.size() * 2 + n);
            std::memcpy(out.data() + used, recovery.replacement.data(), size_t(n));
            used += n;
        }
        in += skip;
        inLeft -= size_t(skip);
    }
    run(nullptr, nullptr);
    out.truncate(used);
    return out;
}

} // namespace text
