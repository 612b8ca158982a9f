#include "wincheckfield.h"

namespace batora {

namespace {

DWORD styleOf(WinCheckField::Kind kind) {
  switch (kind) {
    case WinCheckField::Kind::kCheckBox:
      return BS_AUTOCHECKBOX | WS_TABSTOP;
    case WinCheckField::Kind::kOption:
      return BS_AUTORADIOBUTTON;
    case WinCheckField::Kind::kFirstOption:
      return BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP;
  }
  return 0;
}

bool isOption(HWND window) {
  wchar_t name[16] = {};
  ::GetClassNameW(window, name, 16);
  const LONG type = ::GetWindowLongW(window, GWL_STYLE) & BS_TYPEMASK;
  return ::lstrcmpiW(name, L"BUTTON") == 0 &&
         (type == BS_AUTORADIOBUTTON || type == BS_RADIOBUTTON);
}

}  // namespace

WinCheckField::WinCheckField(const ControlPlace& place, Kind kind)
    : WinControl(place, L"BUTTON", styleOf(kind), 0, ControlKind::kControl),
      m_option(kind != Kind::kCheckBox) {}

int WinCheckField::value() const {
  return ::SendMessageW(hwnd(), BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void WinCheckField::setValue(int value) {
  const int wanted = value != 0 ? 1 : 0;
  if (wanted == this->value()) return;
  ::SendMessageW(hwnd(), BM_SETCHECK, wanted ? BST_CHECKED : BST_UNCHECKED, 0);
  if (m_option && wanted) clearOtherOptions();
  m_lastValue = wanted;
  if (onClick) onClick();
}

// The group runs from the sibling marked WS_GROUP up to the next one so marked, as dialog
// navigation sees it.
void WinCheckField::clearOtherOptions() {
  HWND first = hwnd();
  while (!(::GetWindowLongW(first, GWL_STYLE) & WS_GROUP)) {
    HWND previous = ::GetWindow(first, GW_HWNDPREV);
    if (previous == nullptr) break;
    first = previous;
  }
  for (HWND other = first; other != nullptr; other = ::GetWindow(other, GW_HWNDNEXT)) {
    if (other != first && (::GetWindowLongW(other, GWL_STYLE) & WS_GROUP)) break;
    if (other != hwnd() && isOption(other)) ::SendMessageW(other, BM_SETCHECK, BST_UNCHECKED, 0);
  }
}

// A click on an option that is already selected changes nothing and raises nothing.
std::optional<LRESULT> WinCheckField::handleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != kReflectedCommand) return std::nullopt;
  if (HIWORD(wParam) == BN_CLICKED) {
    const int now = value();
    if (now != m_lastValue || !m_option) {
      m_lastValue = now;
      if (onClick) onClick();
    }
  }
  return 0;
}

}  // namespace batora
