#pragma once
// The editor's record of the one page it holds.
#include "document/PageFile.h"

#include <QString>

namespace document {

struct DocumentState {
    // The file Save writes to; empty while the page has no file. Set by New
    // and Open only.
    QString currentPath;
    // The design view's text as it was when the page was last created,
    // opened or saved; the page counts as changed while the design view's
    // text differs from it.
    QString savedText;
    // The encoding the page's file is read and written in.
    PageEncoding encoding = gbkEncoding();
};

// The unsaved-changes decision: the design view's text against the text last
// saved, compared exactly.
inline bool pageChanged(const QString &engineText, const QString &savedText)
{
    return engineText != savedText;
}

} // namespace document
