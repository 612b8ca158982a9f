#pragma once
// Opening a document with the program the desktop associates with its type; one implementation
// file per platform (opendocument_posix.cpp; a ShellExecute one for Windows beside it).

#include <QString>

namespace batora {

// Hands the document to the desktop's opener; answers a shell result code: 42 started, 2 the
// document is missing, 31 no program opens it, 1 any other failure.
int openWithAssociatedProgram(const QString& file, const QString& folder);

}  // namespace batora
