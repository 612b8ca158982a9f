#pragma once
// The controls of a window built from a layout, found by the table's names. Each front end's
// control registry implements it once; the window hands the registry to the form as it is.

#include <string_view>

#include "toolkit.h"

namespace batora {

class FormControls {
 public:
  virtual ~FormControls() = default;

  // The control with that name, as the interface its kind implements; a control of another
  // kind or a name the window does not have throws std::out_of_range.
  virtual TextField& textField(std::string_view name) const = 0;
  // A check box, or one option button of an indexed set (index 1, 2, ...).
  virtual CheckField& checkField(std::string_view name, int index = 0) const = 0;
  virtual ListBox& listBox(std::string_view name) const = 0;
  virtual Label& label(std::string_view name) const = 0;
  virtual Command& command(std::string_view name) const = 0;
  virtual MenuItem& menuItem(std::string_view name) const = 0;
  virtual FolderList& folderList(std::string_view name) const = 0;
  virtual DriveList& driveList(std::string_view name) const = 0;
  virtual StatusBar& statusBar(std::string_view name) const = 0;
};

}  // namespace batora
