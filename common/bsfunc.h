#pragma once
// The routines many parts of the program share: every message box, the error log, the status
// text and opening a document. One instance per program, handed to whoever needs it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "clock.h"
#include "clsinifile.h"
#include "statuspanels.h"
#include "toolkit.h"

namespace batora {

inline constexpr std::string_view kAppTitle = "Batora";

class bsFunc {
 public:
  bsFunc(Toolkit& toolkit, const clsIniFile& settings, Clock& clock, std::string exeName);

  // Beeps, shows the box, logs style 16; returns the button (1 OK, 6 Yes, 7 No). Never throws.
  int ShowErrMsg(int iMouseOption, std::string_view sMsg, int lStyle, std::string_view sPlace);
  // Appends one error-log record when error logging is on.
  void OutputErrLog(std::string_view sPlace, std::string_view sMsg);
  // Writes the status text; with an interval, drops texts that come faster than that.
  void SetStatusText(StatusBar& oStatusBar, std::string_view sText,
                     std::optional<std::uint32_t> intervalMs = std::nullopt);
  // The same with an interval, for a text that is made only when it is shown: a run of
  // thousands of files shows a few of them.
  void SetStatusTextWhenDue(StatusBar& oStatusBar, const std::function<std::string()>& makeText,
                            std::uint32_t intervalMs);
  // Opens a document with its associated program; reports failures itself.
  void ExecRefFile(std::string_view sFileName, std::string_view sFolder);

  Toolkit& toolkit() { return m_toolkit; }
  Clock& clock() { return m_clock; }
  const clsIniFile& settings() const { return m_settings; }

 private:
  Toolkit& m_toolkit;
  const clsIniFile& m_settings;
  Clock& m_clock;
  std::string m_exeName;
  std::optional<std::uint32_t> m_lastStatusTick;

  // Whether a text may be shown now; a shown one starts the interval again.
  bool statusTextDue(std::optional<std::uint32_t> intervalMs);
};

// Sets the enabled state of every control and menu item of the window except labels, frames,
// the status bar, separators and the named exceptions. Returns "" or the name of the control
// at which it failed.
std::string SetCtrlsEnabled(Window& oForm, bool bEnabled,
                            const std::vector<std::string>& vExceptNames);
// True when sName is "-" or one of vExceptNames[0..iLast] (exact comparison).
bool IsInNameList(std::string_view sName, const std::vector<std::string>& vExceptNames, long iLast);

// True when the path names a file that exists and can be opened for reading.
bool IsExistFile(std::string_view sPath);

// The message for a shell failure code (32 or less).
std::string shellErrorText(int code);

// One error-log record without its line end.
std::string errorLogRecord(const platform::LocalDateTime& time, std::string_view exeName,
                           std::string_view sPlace, std::string_view sMsg);

}  // namespace batora
