#include "logswitches.h"

#include <exception>

#include "platform.h"

namespace batora {

LogSwitches::LogSwitches(clsIniFile& settings, MenuItem& mnOutLogRen, StatusBar& stbStatus,
                         Picture renameLogPicture)
    : m_settings(settings),
      m_menuItem(mnOutLogRen),
      m_statusBar(stbStatus),
      m_renameLogPicture(renameLogPicture) {}

void LogSwitches::CmnChangeOutLogRen() {
  m_settings.OutputLogRename(!m_menuItem.isChecked());
  CmnShowOutLogRen(m_settings.OutputLogRename());
}

void LogSwitches::CmnShowOutLogRen(bool bOn) {
  m_statusBar.setPanelPicture(kPanelOutLogRen, bOn ? m_renameLogPicture : Picture{});
  m_menuItem.setChecked(bOn);
}

void LogSwitches::CmnShowOutLogError() {
  if (!m_settings.OutputLogError()) m_statusBar.setPanelPicture(kPanelOutLogError, Picture{});
}

void LogSwitches::stbStatus_PanelClick(std::string_view key) {
  if (key == kPanelOutLogRen) CmnChangeOutLogRen();
}

void LogSwitches::mnViewRenLog_Click(bsFunc& func, LogViewer& viewer) const {
  constexpr std::string_view kPlace = "mnViewRenLog_Click";
  const std::string failed = "ログファイルの表示に失敗しました。\r\n";
  try {
    const std::filesystem::path log = m_settings.LogRename_FName();
    if (!IsExistFile(platform::pathToUtf8(log))) {
      func.ShowErrMsg(0, "リネームログファイルがありません。\r\n", mb::kExclamation, kPlace);
      return;
    }
    if (!viewer.showLog(log)) func.ShowErrMsg(0, failed, mb::kCritical, kPlace);
  } catch (const std::exception& e) {
    func.ShowErrMsg(0, failed + e.what(), mb::kCritical, kPlace);
  }
}

}  // namespace batora
