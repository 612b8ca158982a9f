#pragma once
// A window built in memory from a layout, for headless tests of the form logic: every control
// of the table exists with its start state, program changes raise the events a real window
// raises, and the test acts as the user through click(), type() and the like.

#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "faketoolkit.h"
#include "formevent.h"
#include "formhost.h"
#include "formlayout.h"

namespace batora::testing {

// Thrown by endAtOnce so that a test sees the process end where the program would stop.
struct ProcessEnded {};

class TableWindow final : public TopLevelWindow {
 public:
  explicit TableWindow(const FormLayout& layout);

  struct Entry {
    ControlInfo info;
    bool enabled = true;
  };
  std::vector<Entry> entries;
  bool locked = false;
  std::string caption;
  Size outer;
  long left = 0;
  long top = 0;

  bool isEnabled(std::string_view name, int occurrence = 0) const;
  void setEnabled(std::string_view name, bool enabled);

  void setInputLocked(bool isLocked) override { locked = isLocked; }
  int controlCount() const override { return static_cast<int>(entries.size()); }
  ControlInfo controlAt(int index) const override { return entries.at(index).info; }
  bool setControlEnabled(int index, bool enabled) override;
  void setCaption(std::string text) override { caption = std::move(text); }
  Size outerSizeTwips() const override { return outer; }
  void moveToTwips(long x, long y) override {
    left = x;
    top = y;
  }
};

class TableFormHost final : public FormHost, public FormControls, private LogViewer {
 public:
  TableFormHost(const FormLayout& layout, FakeToolkit& toolkit);
  ~TableFormHost() override;

  // Where the window's events go (the form's handle()).
  std::function<bool(const FormEvent&)> events;

  // The user's side. Each returns false when the control is disabled or the window locked,
  // so the event never happened.
  bool click(std::string_view name, int index = 0);
  // Types text into a field that takes it: the field's limit holds, a read-only field refuses.
  bool type(std::string_view name, const std::string& text);
  // True when the form consumed the key.
  bool keyPress(std::string_view name, char32_t key);
  bool drop(std::string_view name, const DropData& data);
  bool clickPanel(std::string_view key);
  // The close button of the title bar; true when the window closed.
  bool closeBox(const std::function<bool(CloseSource)>& queryUnload);

  TableWindow& table() { return m_window; }
  // Moves a folder list's highlight, as the arrow keys do, without opening the folder.
  void highlight(std::string_view name, const std::string& path);
  FakeListBox& list(std::string_view name);
  FakeStatusBar& bar(std::string_view name);
  bool isChecked(std::string_view menuItem);

  int aboutShown = 0;
  bool unloaded = false;
  std::vector<std::filesystem::path> logsShown;
  bool logViewerWorks = true;

  TopLevelWindow& window() override { return m_window; }
  FormControls& controls() override { return *this; }
  TextField& textField(std::string_view name) const override;
  CheckField& checkField(std::string_view name, int index = 0) const override;
  ListBox& listBox(std::string_view name) const override;
  Label& label(std::string_view name) const override;
  Command& command(std::string_view name) const override;
  MenuItem& menuItem(std::string_view name) const override;
  FolderList& folderList(std::string_view name) const override;
  DriveList& driveList(std::string_view name) const override;
  StatusBar& statusBar(std::string_view name) const override;
  LogViewer& logViewer() override { return *this; }
  void showAbout() override { ++aboutShown; }
  void unload() override { unloaded = true; }
  void endAtOnce() override { throw ProcessEnded{}; }
  std::string driveOf(const std::string& path) const override;

 private:
  struct Controls;
  bool showLog(const std::filesystem::path& log) override;
  bool raise(const FormEvent& event);
  void build(const ControlSpec& layoutRow);

  const FormLayout& m_layout;
  FakeToolkit& m_toolkit;
  TableWindow m_window;
  std::unique_ptr<Controls> m_controls;
};

}  // namespace batora::testing
