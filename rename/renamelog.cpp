#include "renamelog.h"

#include "platform.h"
#include "text.h"

namespace batora {

std::string renameLogStartLine(const platform::LocalDateTime& time) {
  return "*** Rename Start !!  [" + formatTimestamp(time) + "] ***";
}

std::string renameLogFileLine(const platform::LocalDateTime& time, std::string_view sOldName,
                              std::string_view sNewName, std::string_view sResult) {
  std::string line = "*** " + formatTimestamp(time) + ", [";
  line += sOldName;
  line += " -> ";
  line += sNewName;
  line += "] ";
  line += sResult;
  line += " ***";
  return line;
}

bool OutputRenLog(bsFunc& func, std::string_view sOldName, std::string_view sNewName,
                  std::string_view sResult, bool vStart) {
  const clsIniFile& settings = func.settings();
  if (!settings.OutputLogRename()) return true;
  const platform::LocalDateTime now = func.clock().now();
  std::string line =
      vStart ? renameLogStartLine(now) : renameLogFileLine(now, sOldName, sNewName, sResult);
  // A name holding CR LF would otherwise end the record early and forge the next one.
  line = printable(line) + "\r\n";
  if (platform::appendToFile(settings.LogRename_FName(), platform::utf8ToCp932(line))) return true;
  Toolkit& toolkit = func.toolkit();
  toolkit.beep();
  toolkit.messageBox("リネームログ出力エラーが発生しました。", kAppTitle, mb::kCritical);
  return false;
}

}  // namespace batora
