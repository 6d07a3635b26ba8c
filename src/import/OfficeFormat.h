#pragma once
// What an Office file really is, from its first bytes and, for a ZIP
// package, from the names inside it. LibreOffice reads anything it does not
// recognise as plain text, so a damaged or mislabelled file would come in as
// garbled characters: the import checks the file first and then makes
// LibreOffice use the one import filter that kind of file needs.
#include <QByteArray>
#include <QString>
#include <QStringList>

namespace import {

enum class OfficeKind { Document, Workbook };

// LibreOffice's import filter for a file of the given kind with these
// contents: its first bytes (at least 64) and, for a ZIP package, the names
// of the files in it. Empty when the file is no such document.
QString importFilterFor(OfficeKind kind, const QByteArray &head, const QStringList &packageNames);

// The names of the files in a ZIP package, from its central directory;
// empty for anything else.
QStringList zipEntryNames(const QString &path);

// The same for a file on disk; empty when it cannot be read or is no such
// document.
QString importFilterForFile(OfficeKind kind, const QString &path);

} // namespace import
