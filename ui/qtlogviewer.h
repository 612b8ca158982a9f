#pragma once
// The rename log in a read-only window of its own: the log is code page 932, which a text
// editor on this platform would show garbled. On Windows, whose plain-text editor reads code
// page 932, showLog starts that editor instead (qtlogviewer_win.cpp).

#include <QDialog>
#include <QPointer>

#include "logswitches.h"

class QPlainTextEdit;

namespace batora {

class LogWindow final : public QDialog {
  Q_OBJECT

 public:
  explicit LogWindow(QWidget* parent = nullptr);
  // False when the file cannot be read; the window then keeps what it showed.
  bool load(const std::filesystem::path& log);
  QString text() const;

 private:
  QPlainTextEdit* m_text;
  std::filesystem::path m_log;
};

// Shows the log without blocking the main window; showing it again reloads it.
class QtLogViewer final : public LogViewer {
 public:
  explicit QtLogViewer(QWidget& owner) : m_owner(owner) {}
  bool showLog(const std::filesystem::path& log) override;
  LogWindow* window() const { return m_window; }

 private:
  QWidget& m_owner;
  QPointer<LogWindow> m_window;
};

}  // namespace batora
