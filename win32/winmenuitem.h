#pragma once
// An item of a menu, found by its command id; a top-level menu is an item that opens a
// drop-down menu.

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "toolkit.h"
#include "winmenu.h"

namespace batora {

class WinMenuItem final : public MenuItem {
 public:
  // Appends the item to `menu`; caption "-" appends a separator. `window` is the window whose
  // menu bar shows the item, redrawn after a change (nullptr: none).
  WinMenuItem(HMENU menu, UINT id, std::string name, std::string caption, std::string shortcut,
              HWND window);
  // Appends a top-level menu that opens `dropDown`, which the menu takes over.
  WinMenuItem(HMENU menu, UINT id, std::string name, std::string caption, WinMenu& dropDown,
              HWND window);
  WinMenuItem(const WinMenuItem&) = delete;
  WinMenuItem& operator=(const WinMenuItem&) = delete;

  UINT id() const { return m_id; }
  const std::string& name() const { return m_name; }
  const std::string& shortcut() const { return m_shortcut; }
  bool isSeparator() const { return m_separator; }
  // The accelerator of the shortcut; nullopt when the item has none.
  std::optional<ACCEL> accelerator() const;

  std::string caption() const override { return m_caption; }
  // The caption without the shortcut, which stays behind a tab.
  void setCaption(std::string caption) override;
  bool isEnabled() const override;
  void setEnabled(bool enabled) override;
  bool isChecked() const override;
  void setChecked(bool checked) override;
  // The text the menu shows: caption, tab, shortcut.
  std::string menuText() const;

  std::function<void()> onClick;

 private:
  void redraw() const;

  HMENU m_menu;
  UINT m_id;
  std::string m_name;
  std::string m_caption;
  std::string m_shortcut;
  HWND m_window;
  bool m_separator;
};

}  // namespace batora
