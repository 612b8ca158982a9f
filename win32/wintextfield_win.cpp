#include "wintextfield.h"

#include "wintextdrop.h"

namespace batora {

WinTextField::WinTextField(const ControlPlace& place, int maxLength, bool readOnly)
    : WinControl(place, L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP | (readOnly ? ES_READONLY : 0),
                 WS_EX_CLIENTEDGE, ControlKind::kControl),
      m_maxLength(maxLength) {
  if (maxLength > 0) ::SendMessageW(hwnd(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength), 0);
}

WinTextField::~WinTextField() {
  if (m_dropsRegistered && hwnd() != nullptr) ::RevokeDragDrop(hwnd());
}

// The registration holds its own reference to the target; revoking it, at the latest when the
// window goes, releases the target.
bool WinTextField::acceptTextDrops() {
  if (m_dropsRegistered) return true;
  auto* target = new WinTextDrop(hwnd());
  m_dropsRegistered = ::RegisterDragDrop(hwnd(), target) == S_OK;
  target->Release();
  return m_dropsRegistered;
}

std::string WinTextField::text() const {
  return windowText();
}

// The limit binds typing only, as it does for the classic text box: the program may set a
// longer text.
void WinTextField::setText(std::string text) {
  if (text == windowText()) return;
  setWindowText(text);
}

bool WinTextField::isReadOnly() const {
  return (::GetWindowLongW(hwnd(), GWL_STYLE) & ES_READONLY) != 0;
}

std::optional<LRESULT> WinTextField::handleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message == WM_DESTROY && m_dropsRegistered) {
    ::RevokeDragDrop(hwnd());
    m_dropsRegistered = false;
  }
  if (message != kReflectedCommand) return std::nullopt;
  if (HIWORD(wParam) == EN_CHANGE && onChange) onChange();
  return 0;
}

}  // namespace batora
