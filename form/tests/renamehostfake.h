#pragma once
// A main window for headless rename runs: the controls the lock walks over, the stop command
// and the fields the run reads.

#include <stdexcept>

#include "faketoolkit.h"
#include "windowrenamerun.h"

namespace batora::testing {

// The stop button or menu item as an entry of the fake window, so that the lock and the run's
// own enabling act on one state.
class FakeWindowCommand : public Command {
 public:
  FakeWindowCommand(FakeWindow& window, std::string name, std::string caption)
      : m_window(window), m_name(std::move(name)), m_caption(std::move(caption)) {}
  std::string caption() const override { return m_caption; }
  void setCaption(std::string caption) override { m_caption = std::move(caption); }
  bool isEnabled() const override { return m_window.isEnabled(m_name); }
  void setEnabled(bool enabled) override {
    for (int i = 0; i < m_window.controlCount(); ++i)
      if (m_window.controlAt(i).name == m_name) m_window.setControlEnabled(i, enabled);
  }

 private:
  FakeWindow& m_window;
  std::string m_name;
  std::string m_caption;
};

// Thrown by endAtOnce so that a test sees the process end where the program would stop.
struct ProcessEnded {};

// The window's parts are the caller's, so that a test can list a folder into them before the
// host exists.
class FakeRenameHost : public RenameHost {
 public:
  FakeRenameHost(FakeWindow& form, FakeListBox& files, FakeStatusBar& statusBar)
      : window(form), list(files), status(statusBar) {
    using K = ControlKind;
    const std::pair<const char*, K> controls[] = {
        {"lblDrive", K::kLabel},       {"DrvLstBox", K::kControl},     {"DirLstBox", K::kControl},
        {"txtSerchFile", K::kControl}, {"fraSearchOption", K::kFrame}, {"optSearch", K::kControl},
        {"lstFile", K::kControl},      {"Frame1", K::kFrame},          {"cmdSortName", K::kControl},
        {"cmdGo", K::kControl},        {"cmdStop", K::kControl},       {"stbStatus", K::kStatusBar},
        {"lblSelNum", K::kLabel},      {"mnFile", K::kMenuItem},       {"mnEnd", K::kMenuItem},
        {"mnEdit", K::kMenuItem},      {"mnDiv", K::kMenuItem},        {"mnActive", K::kMenuItem},
        {"mnGo", K::kMenuItem},        {"mnStop", K::kMenuItem},       {"mnHelp", K::kMenuItem},
    };
    for (const auto& [name, kind] : controls) {
      window.controls.push_back({{name, kind, std::string(name) == "mnDiv" ? "-" : name}, true});
    }
    stop.setEnabled(false);
    stopItem.setEnabled(false);
  }

  FakeWindow& window;
  FakeListBox& list;
  FakeWindowCommand stop{window, "cmdStop", "ﾘﾈｰﾑ中断(&X)"};
  FakeWindowCommand stopItem{window, "mnStop", "ﾘﾈｰﾑ中断(&X)"};
  FakeStatusBar& status;
  int depth = 1;
  std::filesystem::path folder;
  int sortDesc = 0;
  bool unloaded = false;

  Window& form() override { return window; }
  ListBox& fileList() override { return list; }
  Command& stopButton() override { return stop; }
  Command& stopMenuItem() override { return stopItem; }
  StatusBar& statusBar() override { return status; }
  int findDirOption() const override { return depth; }
  std::filesystem::path folderPath() const override { return folder; }
  int sortDescValue() const override { return sortDesc; }
  void unloadWindow() override { unloaded = true; }
  void endAtOnce() override { throw ProcessEnded{}; }
};

}  // namespace batora::testing
