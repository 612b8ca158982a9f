#pragma once
// Makes the Win32 controls, menus and status panels of a window from its layout table, keeps
// them, finds them by the table's names, and hands their events to the form logic.

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "clock.h"
#include "formcontrols.h"
#include "formevent.h"
#include "formlayout.h"
#include "screenresolution.h"
#include "wincontrol.h"
#include "winfont.h"
#include "winmenuitem.h"
#include "winwindow.h"

namespace batora {

class WinFormBuilder final : public FormControls {
 public:
  // Builds every row of `layout` into `window`: controls in tab order (labels before the
  // control their access key reaches), menus with their shortcuts, the control walk in the
  // window's order. Status bars use `clock`, which a layout with a status bar needs. The window
  // must outlive the builder.
  WinFormBuilder(const FormLayout& layout, WinWindow& window, Clock* clock);
  ~WinFormBuilder() override;
  WinFormBuilder(const WinFormBuilder&) = delete;
  WinFormBuilder& operator=(const WinFormBuilder&) = delete;

  // Client size of the layout in pixels of the screen.
  static SIZE clientPixels(const FormLayout& layout);
  const ScreenResolution& resolution() const { return m_screen; }

  // Every event of the command map's kinds goes to `handle`.
  void connectEvents(const std::function<bool(const FormEvent&)>& handle);

  // The control of that row; nullptr when the layout has none.
  WinControl* control(std::string_view name, int index = 0) const;
  // Each throws std::out_of_range for a name the window has not, or a control of another kind.
  TextField& textField(std::string_view name) const override;
  CheckField& checkField(std::string_view name, int index = 0) const override;
  ListBox& listBox(std::string_view name) const override;
  Label& label(std::string_view name) const override;
  Command& command(std::string_view name) const override;
  WinMenuItem& menuItem(std::string_view name) const override;
  FolderList& folderList(std::string_view name) const override;
  DriveList& driveList(std::string_view name) const override;
  StatusBar& statusBar(std::string_view name) const override;

 private:
  std::unique_ptr<WinControl> makeControl(const ControlSpec& layoutRow, const ControlPlace& place);
  void buildControls();
  void buildMenus();
  HFONT fontOf(const FontSpec& layoutRow);
  ControlPlace placeOf(const ControlSpec& layoutRow);
  void connectControl(const ControlSpec& layoutRow,
                      const std::function<bool(const FormEvent&)>& handle) const;
  template <typename T>
  T& controlAs(std::string_view name, int index = 0) const;

  const FormLayout& m_layout;
  WinWindow& m_window;
  Clock* m_clock;
  ScreenResolution m_screen;
  std::vector<std::pair<FontSpec, std::unique_ptr<WinFont>>> m_fonts;
  std::map<std::string, std::unique_ptr<WinControl>, std::less<>> m_controls;
  std::vector<std::unique_ptr<WinMenuItem>> m_menuItems;
  int m_nextId = 100;
};

}  // namespace batora
