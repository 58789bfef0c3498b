#pragma once
// The Windows registry export format (.reg), as regedit writes and imports it:
//
//   Windows Registry Editor Version 5.00
//
//   [HKEY_CURRENT_USER\Software\Brennvik AB\KVF Viewer\Last Settings]
//   "Data Open Folder"="C:\\Users\\anna\\Documents"
//   "Graph Save Format"=dword:00000001
//
// Key paths in the tree include their hive ("HKEY_CURRENT_USER\Software...").
// Names and string data escape "\" and "\"" with a backslash. Strings holding
// control characters are written as hex(1) (UTF-16LE bytes) so that every
// text survives. Other value types pass through as their data text.
#include <QByteArray>
#include <QString>
#include <optional>

#include "platform/registry/RegistryTree.h"

namespace kvf::platform {

// Where and why .reg text does not follow the format. The reason is a
// developer's note in English; core makes the user's message of it.
struct RegTextError {
  int line = 0;  // 1-based line of the fault
  QString reason;
};

// Reads .reg text (UTF-8 with or without byte-order mark, or UTF-16LE with
// its mark; "REGEDIT4" files too) into tree, applying deletions ("[-key]",
// "name"=-) in file order. Returns the first line that does not follow the
// format (tree then holds what was read before it), nothing on success.
std::optional<RegTextError> ParseRegText(const QByteArray& bytes, RegistryTree* tree);

// Writes tree as UTF-8 with a byte-order mark and CRLF line ends (regedit
// imports it; text editors read it). Keys in tree order, values sorted by
// name with the default value first.
QByteArray FormatRegText(const RegistryTree& tree);

// "name" with "\" and "\"" escaped, in quotes.
QString QuoteRegString(const QString& text);

}  // namespace kvf::platform
