#pragma once
// The code editor's two configuration files, langs.xml (keyword lists) and
// stylers.xml (colours and fonts per lexical class), kept in the user's
// temporary-files directory and written there when missing.
#include <QString>
#include <string_view>

namespace codeview {

inline constexpr char kLangsFileName[] = "langs.xml";
inline constexpr char kStylersFileName[] = "stylers.xml";

// The shipped contents, GBK bytes with CR LF line breaks.
std::string_view ShippedLangsXml();
std::string_view ShippedStylersXml();

// The temporary-files directory ($TMPDIR, else /tmp), a separator and the name.
QString EditorConfigPath(const char *fileName);

// Writes the file with the given content only when nothing of that name
// exists (a dangling symbolic link counts as existing). The file is created
// exclusively and never through a symbolic link; an existing file is never
// opened. A write that fails part-way removes the file it created, so that the
// next start tries again. True when the file exists afterwards.
bool WriteFileIfMissing(const QString &path, std::string_view content);

// Writes langs.xml, then stylers.xml, each only when missing. True when both
// files exist afterwards; callers at start-up need not look at the result.
bool WriteEditorConfigFiles();

} // namespace codeview
