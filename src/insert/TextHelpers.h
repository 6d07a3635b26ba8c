#pragma once
// Text helpers shared by the insertion builders: the piece of a page between
// two markers, and, from the text layer, colours as HTML text and dialog
// fields read as numbers.
#include "text/Colour.h"
#include "text/GbkText.h"
#include "text/Numbers.h"

#include <QString>
#include <QtGlobal>

namespace insert {

using text::ColourToHtml;
using text::CountFromField;
using text::GbkLength;
using text::NumberFromField;

// The piece of text between the first start marker and the first end marker
// after it, both found without regard to ASCII case. end is the position
// just past the end marker, counted in bytes of the page's GBK text from 1;
// it is -1, with an empty piece, when either marker is missing or nothing
// lies between them.
struct TextPiece {
    QString text;
    int end = -1;
};
TextPiece TextBetween(const QString &text, const QString &startMarker, const QString &endMarker);

// The alignment lists of the dialogs: 0 left, 1 center, anything else right.
QString HorizontalAlign(int index);

} // namespace insert
