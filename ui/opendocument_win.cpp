#include "opendocument.h"
#include "qstringutf8.h"
#include "winshell.h"

namespace batora {

// The shell's own association and its own failure codes, which the message table was written
// for.
int openWithAssociatedProgram(const QString& file, const QString& folder) {
  return winshell::openDocument(toUtf8(file), toUtf8(folder));
}

}  // namespace batora
