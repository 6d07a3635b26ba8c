#pragma once
// The players of the dialog "多媒体视频": a Flash or WMV file in an embedded
// player of fixed size.
#include "insert/BuildResult.h"

#include <QString>

namespace insert {

enum class MediaKind { Flash, Wmv };

// An empty path shows the page's message and still closes the dialog; any
// other path is written as typed inside the quoted src.
BuildResult BuildMedia(MediaKind kind, const QString &path);

} // namespace insert
