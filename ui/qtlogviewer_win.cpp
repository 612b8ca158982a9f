#include "platform.h"
#include "qtlogviewer.h"
#include "winshell.h"

namespace batora {

// The user's own editor, as the program has always opened its log; it reads code page 932
// there. Our window is never made on this platform.
bool QtLogViewer::showLog(const std::filesystem::path& log) {
  return winshell::startCommandLine(winshell::plainTextEditorCommand(platform::pathToUtf8(log)));
}

}  // namespace batora
