#include "wincommand.h"

namespace batora {

WinCommand::WinCommand(const ControlPlace& place)
    : WinControl(place, L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, ControlKind::kControl) {}

std::optional<LRESULT> WinCommand::handleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != kReflectedCommand) return std::nullopt;
  if (HIWORD(wParam) == BN_CLICKED && onClick) onClick();
  return 0;
}

}  // namespace batora
