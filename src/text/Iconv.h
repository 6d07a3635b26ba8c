#pragma once
// Conversion between byte encodings through iconv. The caller decides what
// becomes of a sequence iconv cannot convert: write something in its place
// and go on, or give up there.
#include <QByteArray>
#include <QByteArrayView>
#include <functional>
#include <iconv.h>
#include <optional>

namespace text {

// The answer to an unconvertible sequence.
struct Recovery {
    qsizetype skip = 0;          // input bytes to pass over; 0 stops the conversion
    QByteArrayView replacement;  // bytes written in their place (copied at once)
};

// Called with the input from the unconvertible sequence to its end. The
// sequence is either invalid or has no place in the target encoding, or it is
// cut off by the end of the input.
using Recover = std::function<Recovery(QByteArrayView rest)>;

class Iconv {
public:
    // The names are iconv's, e.g. "UTF-8", "GB18030".
    Iconv(const char *to, const char *from);
    ~Iconv();
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;

    // False when iconv knows no conversion between the two encodings.
    bool isValid() const;

    // Converts the whole input. sizeHint is the expected size of the output,
    // the size its buffer starts with. Before recover is asked, and at the end,
    // the output returns to the initial shift state: replacement bytes never
    // land inside a shifted sequence, and nothing the converter holds back is
    // lost. Gives nothing when the converter is invalid or recover stops; in
    // the latter case *stoppedAt receives the offset of the sequence.
    std::optional<QByteArray> convert(QByteArrayView input, qsizetype sizeHint, const Recover &recover,
                                      qsizetype *stoppedAt = nullptr);

private:
    iconv_t cd_;
};

} // namespace text
