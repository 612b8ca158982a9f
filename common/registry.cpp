#include "registry.h"

#include "bsfunc.h"
#include "platform.h"

namespace batora {

namespace {

constexpr std::string_view kMsInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
constexpr std::string_view kMsInfoPathValue = "PATH";
constexpr std::string_view kSharedToolsKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
constexpr std::string_view kSharedToolsValue = "MSINFO";
constexpr std::string_view kMsInfoExe = "MSINFO32.EXE";

}  // namespace

// The PATH value names the tool itself and is trusted as it stands: if it is stale, starting
// fails and the user gets the same message as when nothing is found. The location value names
// only a folder, which may well lack the tool, so that one is checked. The separator is added
// unconditionally: a folder that already ends with one gives a doubled separator, which every
// file system here reads as one.
std::optional<std::string> findSystemInfoTool(const SystemInfoProbes& probes) {
  std::string value;
  if (probes.readValue(RegistryRoot::kLocalMachine, kMsInfoKey, kMsInfoPathValue, value))
    return value;
  if (probes.readValue(RegistryRoot::kLocalMachine, kSharedToolsKey, kSharedToolsValue, value)) {
    std::string candidate = value + platform::kSeparator + std::string(kMsInfoExe);
    if (probes.fileExists(candidate)) return candidate;
  }
  return std::nullopt;
}

// The box goes straight to the toolkit, not through ShowErrMsg: a missing optional tool is no
// error of the program, so there is no beep and no error-log line. A failure of any step, even
// an unexpected one, ends in that same message.
void startSystemInfo(Toolkit& toolkit, const SystemInfoProbes& probes) {
  try {
    const std::optional<std::string> tool = findSystemInfoTool(probes);
    if (tool && toolkit.startProgram(*tool, {})) return;
  } catch (...) {
  }
  toolkit.messageBox(kSystemInfoUnavailable, kAppTitle, mb::kOkOnly);
}

}  // namespace batora
