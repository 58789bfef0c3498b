#pragma once
// Facts about file paths as the desktop shows them.
#include <QString>

namespace kvf::platform {

// The folder part of a path: the text before the last separator ('/' or the
// native one); empty when the path has no separator.
QString FolderOfPath(const QString& path);

// The name part of a path: the text after the last separator; the whole path
// when there is no separator.
QString FileNameOfPath(const QString& path);

// The name of a file as file managers show it. Linux file managers always
// show extensions, so this is the file name with its extension.
QString FileDisplayTitle(const QString& path);

}  // namespace kvf::platform
