#pragma once
// The pictures an RTF text carries, in the order they stand: word processors
// hand over the pictures of a copied passage this way (as \pict groups of
// hexadecimal PNG or JPEG data) when their HTML points at files that are not
// there.
#include <QByteArray>
#include <QList>

namespace text {

struct RtfPicture {
    QByteArray data;   // the picture file's bytes
    QByteArray format; // "png" or "jpg"
};

// Every PNG and JPEG picture of the text; pictures in other formats
// (metafiles) are left out, and so is a picture whose data is damaged.
QList<RtfPicture> rtfPictures(const QByteArray &rtf);

} // namespace text
