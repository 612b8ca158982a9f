#include "winlabel.h"

namespace batora {

WinLabel::WinLabel(const ControlPlace& place, Align align)
    : WinControl(place, L"STATIC", align == Align::kRight ? SS_RIGHT : SS_LEFT, 0,
                 ControlKind::kLabel) {}

std::string WinLabel::caption() const {
  return windowText();
}

void WinLabel::setCaption(std::string text) {
  setWindowText(text);
}

void WinLabel::repaint() {
  ::RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

}  // namespace batora
