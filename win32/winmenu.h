#pragma once
// A menu bar or a drop-down menu, destroyed with its object unless a window or a menu above it
// took it over.

#include <windows.h>

namespace batora {

class WinMenu {
 public:
  enum class Kind { kBar, kDropDown };
  explicit WinMenu(Kind kind);
  WinMenu(const WinMenu&) = delete;
  WinMenu& operator=(const WinMenu&) = delete;
  ~WinMenu();

  HMENU handle() const { return m_menu; }
  // Hands the menu to whoever destroys it from now on (SetMenu, a menu item above it).
  HMENU release();

 private:
  HMENU m_menu;
  bool m_owned = true;
};

}  // namespace batora
