#include "qtlogviewer.h"

namespace batora {

bool QtLogViewer::showLog(const std::filesystem::path& log) {
  if (!m_window) {
    m_window = new LogWindow(&m_owner);
    m_window->setAttribute(Qt::WA_DeleteOnClose);
  }
  if (!m_window->load(log)) return false;
  m_window->show();
  m_window->raise();
  m_window->activateWindow();
  return true;
}

}  // namespace batora
