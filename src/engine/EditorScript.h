#pragma once
#include <QString>

namespace engine {
// The editor's runtime for a design-mode document: one undo history for
// typing, formatting and insertions, and fragment insertion through DOM
// ranges. It installs itself as window.__zelvo in the
// isolated world; every operation script starts with it.
const QString &editorRuntimeScript();
}
