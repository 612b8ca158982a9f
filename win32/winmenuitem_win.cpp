#include "winmenuitem.h"

#include <stdexcept>

#include "shortcut.h"
#include "winsupport_win.h"

namespace batora {

WinMenuItem::WinMenuItem(HMENU menu, UINT id, std::string name, std::string caption,
                         std::string shortcut, HWND window)
    : m_menu(menu),
      m_id(id),
      m_name(std::move(name)),
      m_caption(std::move(caption)),
      m_shortcut(std::move(shortcut)),
      m_window(window),
      m_separator(m_caption == "-") {
  const BOOL added = m_separator
                         ? ::AppendMenuW(menu, MF_SEPARATOR, id, nullptr)
                         : ::AppendMenuW(menu, MF_STRING, id, win::wide(menuText()).c_str());
  if (!added) throw std::runtime_error("cannot add the menu item " + m_name);
}

// A drop-down entry gets the command id as well, so that every item is found the same way.
WinMenuItem::WinMenuItem(HMENU menu, UINT id, std::string name, std::string caption,
                         WinMenu& dropDown, HWND window)
    : m_menu(menu),
      m_id(id),
      m_name(std::move(name)),
      m_caption(std::move(caption)),
      m_window(window),
      m_separator(false) {
  const HMENU popup = dropDown.handle();
  if (!::AppendMenuW(menu, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup),
                     win::wide(m_caption).c_str()))
    throw std::runtime_error("cannot add the menu " + m_name);
  dropDown.release();
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_ID;
  info.wID = id;
  ::SetMenuItemInfoW(menu, static_cast<UINT>(::GetMenuItemCount(menu) - 1), TRUE, &info);
}

std::optional<ACCEL> WinMenuItem::accelerator() const {
  if (m_shortcut.empty()) return std::nullopt;
  return parseShortcut(m_shortcut, static_cast<WORD>(m_id));
}

std::string WinMenuItem::menuText() const {
  return m_shortcut.empty() ? m_caption : m_caption + "\t" + m_shortcut;
}

void WinMenuItem::setCaption(std::string caption) {
  m_caption = std::move(caption);
  const std::wstring text = win::wide(menuText());
  MENUITEMINFOW info{};
  info.cbSize = sizeof info;
  info.fMask = MIIM_STRING;
  info.dwTypeData = const_cast<wchar_t*>(text.c_str());
  ::SetMenuItemInfoW(m_menu, m_id, FALSE, &info);
  redraw();
}

bool WinMenuItem::isEnabled() const {
  return (::GetMenuState(m_menu, m_id, MF_BYCOMMAND) & (MF_GRAYED | MF_DISABLED)) == 0;
}

void WinMenuItem::setEnabled(bool enabled) {
  ::EnableMenuItem(m_menu, m_id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  redraw();
}

bool WinMenuItem::isChecked() const {
  return (::GetMenuState(m_menu, m_id, MF_BYCOMMAND) & MF_CHECKED) != 0;
}

void WinMenuItem::setChecked(bool checked) {
  ::CheckMenuItem(m_menu, m_id, MF_BYCOMMAND | (checked ? MF_CHECKED : MF_UNCHECKED));
}

// Only the bar needs drawing again; a drop-down menu is drawn when it opens.
void WinMenuItem::redraw() const {
  if (m_window != nullptr && ::GetMenu(m_window) == m_menu) ::DrawMenuBar(m_window);
}

}  // namespace batora
