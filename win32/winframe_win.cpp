#include "winframe.h"

namespace batora {

WinFrame::WinFrame(const ControlPlace& place)
    : WinControl(place, L"BUTTON", BS_GROUPBOX, 0, ControlKind::kFrame) {}

}  // namespace batora
