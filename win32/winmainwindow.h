#pragma once
// The main window on Win32: the controls built from fmMainLayout(), the form logic (MainForm)
// that every event of them is handed to, the About box and the rename-log viewer.

#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "clock.h"
#include "formhost.h"
#include "mainform.h"
#include "winformbuilder.h"
#include "wintoolkit.h"
#include "winwindow.h"

namespace batora {

// What the program hands the window: created once by the program, replaced by tests.
struct WinMainServices {
  WinToolkit& toolkit;
  Clock& clock;
  std::filesystem::path programFolder;
  std::string exeName;
  // Ends the process at once, without any further window event.
  std::function<void()> endAtOnce;
};

class WinMainWindow final : public FormHost, private LogViewer {
 public:
  // Built hidden; the window is the toolkit's main window while it lives.
  explicit WinMainWindow(WinMainServices services);
  ~WinMainWindow() override;
  WinMainWindow(const WinMainWindow&) = delete;
  WinMainWindow& operator=(const WinMainWindow&) = delete;

  // The start-up sequence. False when the program ends without showing the window.
  bool Form_Load();
  void show();
  WinWindow& frame() { return m_window; }
  MainForm& form() { return *m_form; }

  TopLevelWindow& window() override { return m_window; }
  WinFormBuilder& controls() override { return m_controls; }
  LogViewer& logViewer() override { return *this; }
  void showAbout() override;
  void unload() override;
  void endAtOnce() override;
  std::string driveOf(const std::string& path) const override;

 private:
  bool showLog(const std::filesystem::path& log) override;

  WinMainServices m_services;
  WinWindow m_window;
  WinFormBuilder m_controls;
  std::unique_ptr<MainForm> m_form;
  bool m_unloading = false;
};

}  // namespace batora
