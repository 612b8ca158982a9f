#pragma once
// The rename-log switch in the window (menu check mark and status-bar picture) and the
// error-log indicator.

#include <filesystem>
#include <string_view>

#include "bsfunc.h"
#include "clsinifile.h"
#include "statuspanels.h"
#include "toolkit.h"

namespace batora {

// Shows the rename log to the user without blocking the window.
class LogViewer {
 public:
  virtual ~LogViewer() = default;
  // False when nothing could be shown.
  virtual bool showLog(const std::filesystem::path& log) = 0;
};

class LogSwitches {
 public:
  // `renameLogPicture` is the panel's picture from the window layout, kept so that it can be
  // put back after it was removed.
  LogSwitches(clsIniFile& settings, MenuItem& mnOutLogRen, StatusBar& stbStatus,
              Picture renameLogPicture);

  // Toggles the switch from the check mark's state; lives until the program ends.
  void CmnChangeOutLogRen();
  void CmnShowOutLogRen(bool bOn);
  // Removes the error-log picture when error logging is off; nothing else ever changes it.
  void CmnShowOutLogError();
  void stbStatus_PanelClick(std::string_view key);
  // Opens the rename log for reading; a missing log or a viewer that fails is reported.
  void mnViewRenLog_Click(bsFunc& func, LogViewer& viewer) const;

 private:
  clsIniFile& m_settings;
  MenuItem& m_menuItem;
  StatusBar& m_statusBar;
  Picture m_renameLogPicture;
};

}  // namespace batora
