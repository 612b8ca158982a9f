#include "logswitches.h"

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
  m_statusBar.setPanelPicture(kRenameLogPanel, bOn ? m_renameLogPicture : Picture{});
  m_menuItem.setChecked(bOn);
}

void LogSwitches::CmnShowOutLogError() {
  if (!m_settings.OutputLogError()) m_statusBar.setPanelPicture(kErrorLogPanel, Picture{});
}

void LogSwitches::stbStatus_PanelClick(std::string_view key) {
  if (key == kRenameLogPanel) CmnChangeOutLogRen();
}

}  // namespace batora
