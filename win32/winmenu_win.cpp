#include "winmenu.h"

#include <stdexcept>

namespace batora {

WinMenu::WinMenu(Kind kind) : m_menu(kind == Kind::kBar ? ::CreateMenu() : ::CreatePopupMenu()) {
  if (m_menu == nullptr) throw std::runtime_error("cannot create a menu");
}

WinMenu::~WinMenu() {
  if (m_owned) ::DestroyMenu(m_menu);
}

HMENU WinMenu::release() {
  m_owned = false;
  return m_menu;
}

}  // namespace batora
