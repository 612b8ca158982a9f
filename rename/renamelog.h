#pragma once
// The rename log "Batora.log": a start line per run and a line per file, in code page 932.

#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

#include "bsfunc.h"

namespace batora {

inline constexpr std::string_view kRenamedOk = "リネーム正常終了";
inline constexpr std::string_view kRenameFailed = "リネーム異常終了";
inline constexpr std::string_view kRenameInterrupted = "リネームは中断されました";
// The same lines for an undo, which renames files back.
inline constexpr std::string_view kUndoneOk = "リネーム取消正常終了";
inline constexpr std::string_view kUndoFailed = "リネーム取消異常終了";
inline constexpr std::string_view kUndoInterrupted = "リネーム取消は中断されました";

// The two kinds of line, without the line end.
std::string renameLogStartLine(const platform::LocalDateTime& time);
std::string renameLogFileLine(const platform::LocalDateTime& time, std::string_view sOldName,
                              std::string_view sNewName, std::string_view sResult);

// The rename log of one run. The file's path is taken from the settings once, when the run
// begins, the time stamp is formatted again only when the second has changed, and each stretch
// of non-ASCII text is converted to code page 932 once; the switch is still read for every
// line, since the user may turn it during a run.
class RenameLog {
 public:
  explicit RenameLog(bsFunc& func);
  // As OutputRenLog.
  bool write(std::string_view sOldName, std::string_view sNewName, std::string_view sResult,
             bool vStart = false);

 private:
  const std::string& timestamp();
  void appendText(std::string& out, std::string_view text);
  void appendCp932(std::string& out, std::string_view text);

  bsFunc& m_func;
  std::filesystem::path m_path;
  std::optional<platform::LocalDateTime> m_stampTime;
  std::string m_stamp;
  // Converted stretches of the lines so far, by their UTF-8 text.
  std::map<std::string, std::string, std::less<>> m_converted;
};

// Appends the start line (vStart) or a file line when the rename log is on. True when written
// or switched off; a failed line shows its own box (not through the error log) and returns
// false. The switch and the path are read at every call.
bool OutputRenLog(bsFunc& func, std::string_view sOldName, std::string_view sNewName,
                  std::string_view sResult, bool vStart = false);

}  // namespace batora
