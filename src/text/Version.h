#pragma once
// The program's version, set once in the top CMakeLists.txt.
#include <QString>

#ifndef ZELVO_VERSION
#error "ZELVO_VERSION comes from the build (project VERSION in CMakeLists.txt)"
#endif

namespace text {

// "2.0"
inline QString VersionNumber()
{
    return QStringLiteral(ZELVO_VERSION);
}

// "V2.0", as the captions and the greeting show it.
inline QString VersionLabel()
{
    return QStringLiteral("V") + VersionNumber();
}

} // namespace text
