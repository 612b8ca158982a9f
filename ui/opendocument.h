#pragma once
// Opening a document with the program the desktop associates with its type; one implementation
// file per platform (opendocument_posix.cpp; a ShellExecute one for Windows beside it).

#include <QString>

namespace batora {

// Starts the opener without waiting; answers a shell result code: 42 started, 31 when no
// program could be started for the document.
int openWithAssociatedProgram(const QString& file, const QString& folder);

}  // namespace batora
