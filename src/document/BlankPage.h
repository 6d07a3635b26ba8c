#pragma once
// The blank page that start-up and New put into the design view.
#include <QByteArray>
#include <QString>

namespace document {

// The template's 189 bytes as a file holds them: four lines joined by CR LF,
// GBK, no line break after the last line, no byte-order mark.
QByteArray BlankPageTemplateBytes();
// The same page as text.
QString BlankPageTemplate();

} // namespace document
