#pragma once
// The window as the form logic sees it: each front end (Qt, Win32, the headless tests)
// implements this over the controls it built from the layout, and forwards every event of
// them to the form's handle().

#include <string>
#include <string_view>

#include "formcontrols.h"
#include "logswitches.h"
#include "toolkit.h"

namespace batora {

class FormHost {
 public:
  virtual ~FormHost() = default;

  virtual TopLevelWindow& window() = 0;
  // The controls the window built from its layout.
  virtual FormControls& controls() = 0;
  // Short ways to the controls for the form logic.
  TextField& textField(std::string_view name) { return controls().textField(name); }
  CheckField& checkField(std::string_view name, int index = 0) {
    return controls().checkField(name, index);
  }
  ListBox& listBox(std::string_view name) { return controls().listBox(name); }
  Label& label(std::string_view name) { return controls().label(name); }
  Command& command(std::string_view name) { return controls().command(name); }
  MenuItem& menuItem(std::string_view name) { return controls().menuItem(name); }
  FolderList& folderList(std::string_view name) { return controls().folderList(name); }
  DriveList& driveList(std::string_view name) { return controls().driveList(name); }
  StatusBar& statusBar(std::string_view name) { return controls().statusBar(name); }

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
