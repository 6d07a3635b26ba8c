#pragma once
// Helpers shared by the code view tests: GBK encoding through iconv and
// writing files into a temporary directory.
#include <QByteArray>
#include <QFile>
#include <QString>
#include <iconv.h>

namespace cvtest {

inline QByteArray toGbk(const QString &text)
{
    const QByteArray utf8 = text.toUtf8();
    iconv_t cd = iconv_open("GBK", "UTF-8");
    QByteArray out(utf8.size() * 2 + 4, '\0');
    char *in = const_cast<char *>(utf8.constData());
    size_t inLeft = size_t(utf8.size());
    char *o = out.data();
    size_t outLeft = size_t(out.size());
    iconv(cd, &in, &inLeft, &o, &outLeft);
    iconv_close(cd);
    out.truncate(out.size() - int(outLeft));
    return out;
}

inline bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly | QIODevice::Truncate) && f.write(bytes) == bytes.size();
}

inline QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace cvtest
