#include "text/RtfPictures.h"

#include <cctype>

namespace text {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

} // namespace

QList<RtfPicture> rtfPictures(const QByteArray &rtf)
{
    QList<RtfPicture> pictures;
    qsizetype at = 0;
    while ((at = rtf.indexOf("\\pict", at)) >= 0) {
        // \pict itself, not \pictscalex or the like.
        if (at + 5 < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf.at(at + 5)))) {
            at += 5;
            continue;
        }
        // The group of this \pict: its control words up to the data, which
        // ends with the group.
        qsizetype end = at + 5, depth = 0;
        QByteArray format;
        QByteArray data;
        bool inData = false, damaged = false;
        for (; end < rtf.size(); ++end) {
            const char c = rtf.at(end);
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (depth == 0)
                    break;
                --depth;
            } else if (depth > 0) {
                continue; // a nested group (\*\blipuid and the like)
            } else if (c == '\\') {
                qsizetype word = end + 1;
                while (word < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf.at(word))))
                    ++word;
                const QByteArray name = rtf.mid(end + 1, word - end - 1);
                if (name == "pngblip")
                    format = "png";
                else if (name == "jpegblip")
                    format = "jpg";
                while (word < rtf.size() && (std::isdigit(static_cast<unsigned char>(rtf.at(word))) || rtf.at(word) == '-'))
                    ++word;
                if (word < rtf.size() && rtf.at(word) == ' ')
                    ++word;
                end = word - 1;
            } else if (hexValue(c) >= 0) {
                inData = true;
                const int high = hexValue(c);
                const int low = end + 1 < rtf.size() ? hexValue(rtf.at(end + 1)) : -1;
                if (low < 0) {
                    damaged = true;
                    break;
                }
                data.append(char(high * 16 + low));
                ++end;
            } else if (!std::isspace(static_cast<unsigned char>(c)) && inData) {
                damaged = true;
                break;
            }
        }
        if (!format.isEmpty() && !data.isEmpty() && !damaged)
            pictures.append({data, format});
        at = end;
    }
    return pictures;
}

} // namespace text
