#pragma once
// The main window on Qt: the widgets built from fmMainLayout(), the Qt side of dropping and
// typing, and the form logic (MainForm) that every event is handed to.

#include <QMainWindow>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "clock.h"
#include "formhost.h"
#include "mainform.h"
#include "qtformcontrols.h"
#include "toolkit.h"

namespace batora {

class QtLogViewer;
class QtWindow;

// What the program hands the window: created once by main, replaced by tests.
struct fmMainServices {
  Toolkit& toolkit;
  Clock& clock;
  std::filesystem::path programFolder;
  std::string exeName;
  // Ends the process at once, without any further window event.
  std::function<void()> endAtOnce;
};

class fmMain final : public QMainWindow, private FormHost {
  Q_OBJECT

 public:
  explicit fmMain(fmMainServices services, QWidget* parent = nullptr);
  ~fmMain() override;

  // The start-up sequence. False when the program ends without showing the window (another
  // instance runs, or the settings file cannot be read).
  bool Form_Load();

  int CmnGetFindDirOption() const { return m_form->CmnGetFindDirOption(); }
  const clsIniFile& settings() const { return m_form->settings(); }
  clsObjCtrl& objCtrl() { return m_form->objCtrl(); }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void build();
  bool dropEvent(const ControlSpec& target, QEvent* event);

  // FormHost
  TopLevelWindow& window() override;
  QtFormControls& controls() override { return m_controls; }
  LogViewer& logViewer() override;
  void showAbout() override;
  void unload() override;
  void endAtOnce() override;
  std::string driveOf(const std::string& path) const override;

  fmMainServices m_services;
  bool m_unloading = false;
  QtFormControls m_controls;
  std::unique_ptr<QtWindow> m_window;
  std::unique_ptr<QtLogViewer> m_logViewer;
  std::unique_ptr<MainForm> m_form;
};

}  // namespace batora
