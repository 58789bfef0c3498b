#pragma once
// `kvf-make import INPUT [options] -o OUT.kvf`: see README.md. Returns the
// exit status (0 done, 1 usage, 2 the input cannot be read, 3 the input
// exceeds a limit of the document format, 4 the output cannot be written).
#include <QStringList>

int RunImportCommand(const QStringList& args);
