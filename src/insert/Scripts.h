#pragma once
// The two pages of the dialog "JavaScript": script text inserted as typed,
// or a script element referring to a file.
#include "insert/BuildResult.h"

#include <QString>

namespace insert {

// The text itself is the fragment; no script element is put around it.
BuildResult BuildScriptText(const QString &text);
// A script element whose src is the path as typed.
BuildResult BuildScriptReference(const QString &path);

} // namespace insert
