#pragma once
// The window as the form logic sees it: each front end (Qt, Win32, the headless tests)
// implements this over the controls it built from the layout, and forwards every event of
// them to the form's handle().

#include <string>
#include <string_view>

#include "logswitches.h"
#include "toolkit.h"

namespace batora {

class FormHost {
 public:
  virtual ~FormHost() = default;

  virtual TopLevelWindow& window() = 0;
  // The control with that name, as the interface its kind implements; a control of another
  // kind or a name the window does not have throws std::out_of_range.
  virtual TextField& textField(std::string_view name) = 0;
  // A check box, or one option button of an indexed set (index 1, 2, ...).
  virtual CheckField& checkField(std::string_view name, int index = 0) = 0;
  virtual ListBox& listBox(std::string_view name) = 0;
  virtual Label& label(std::string_view name) = 0;
  virtual Command& command(std::string_view name) = 0;
  virtual MenuItem& menuItem(std::string_view name) = 0;
  virtual FolderList& folderList(std::string_view name) = 0;
  virtual DriveList& driveList(std::string_view name) = 0;
  virtual StatusBar& statusBar(std::string_view name) = 0;

  virtual LogViewer& logViewer() = 0;
  // Shows the About box modally; returns once it is closed and discarded.
  virtual void showAbout() = 0;
  // The program's own unload: the window closes and the program ends.
  virtual void unload() = 0;
  // The process ends without any further window event.
  virtual void endAtOnce() = 0;
  // The drive that holds the path, as the drive list names it.
  virtual std::string driveOf(const std::string& path) const = 0;
};

}  // namespace batora
