#pragma once
// The text written to the preview file.
#include <QString>

namespace document {

// The preview file's fixed name.
inline QString previewFileName() { return QStringLiteral("temp.htm"); }

// The page text for the preview copy: when pageFolder is given and the page
// has no <base href> of its own, a <base> pointing at that folder goes first
// in the head, so that relative addresses resolve as they do beside the
// page's own file. Otherwise the text is returned unchanged.
QString withBaseForPreview(const QString &text, const QString &pageFolder);

} // namespace document
