#include "winpicture.h"

namespace batora {

WinPicture::WinPicture(const ControlPlace& place)
    : WinControl(place, L"STATIC", SS_ICON | SS_REALSIZEIMAGE, 0, ControlKind::kControl) {}

void WinPicture::setIcon(HICON icon) {
  ::SendMessageW(hwnd(), STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
}

}  // namespace batora
