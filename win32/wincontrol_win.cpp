#include "wincontrol.h"

#include <commctrl.h>
#include <shellapi.h>

#include <stdexcept>

#include "windrop.h"
#include "winsupport_win.h"

namespace batora {

namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

// Standard controls notify their parent (and ask it to draw owner-drawn items); the parent
// hands the notification back so that each
// control object keeps its own events, as message reflection does in the class libraries.
std::optional<LRESULT> reflectToControl(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && lParam != 0)
    return ::SendMessageW(reinterpret_cast<HWND>(lParam), kReflectedCommand, wParam, lParam);
  if (message == WM_NOTIFY) {
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (header->hwndFrom != nullptr)
      return ::SendMessageW(header->hwndFrom, kReflectedNotify, wParam, lParam);
  }
  if (message == WM_DRAWITEM) {
    const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
    if (item->CtlType != ODT_MENU && item->hwndItem != nullptr)
      return ::SendMessageW(item->hwndItem, kReflectedDrawItem, wParam, lParam);
  }
  return std::nullopt;
}

WinControl::WinControl(const ControlPlace& place, const wchar_t* windowClass, DWORD style,
                       DWORD exStyle, ControlKind kind)
    : m_name(place.name), m_kind(kind) {
  const RECT& r = place.bounds;
  m_hwnd = ::CreateWindowExW(exStyle, windowClass, win::wide(place.caption).c_str(),
                             WS_CHILD | WS_VISIBLE | style, r.left, r.top, r.right - r.left,
                             r.bottom - r.top, place.parent,
                             reinterpret_cast<HMENU>(static_cast<INT_PTR>(place.id)),
                             ::GetModuleHandleW(nullptr), nullptr);
  if (m_hwnd == nullptr) throw std::runtime_error("cannot create the control " + m_name);
  HFONT font = place.font ? place.font : static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  ::SendMessageW(m_hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ::SetWindowSubclass(m_hwnd, subclassProc, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

WinControl::~WinControl() {
  if (m_hwnd == nullptr) return;
  ::RemoveWindowSubclass(m_hwnd, subclassProc, kSubclassId);
  ::DestroyWindow(m_hwnd);
}

std::string WinControl::walkCaption() const {
  return {};
}

bool WinControl::isEnabled() const {
  return ::IsWindowEnabled(m_hwnd) != FALSE;
}

void WinControl::setEnabled(bool enabled) {
  ::EnableWindow(m_hwnd, enabled ? TRUE : FALSE);
}

void WinControl::acceptFileDrops(std::function<void(const DropData&)> onDrop) {
  m_onDrop = std::move(onDrop);
  ::DragAcceptFiles(m_hwnd, m_onDrop ? TRUE : FALSE);
}

std::optional<LRESULT> WinControl::handleMessage(UINT, WPARAM, LPARAM) {
  return std::nullopt;
}

LRESULT WinControl::callDefault(UINT message, WPARAM wParam, LPARAM lParam) {
  return ::DefSubclassProc(m_hwnd, message, wParam, lParam);
}

std::string WinControl::windowText() const {
  std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(m_hwnd)), L'\0');
  const int copied = ::GetWindowTextW(m_hwnd, text.data(), static_cast<int>(text.size() + 1));
  text.resize(static_cast<size_t>(copied));
  return win::narrow(text);
}

void WinControl::setWindowText(std::string_view text) {
  ::SetWindowTextW(m_hwnd, win::wide(text).c_str());
}

// Enter reaches a control only when it claims it: the dialog navigation of the message loop
// would take it as the default button otherwise. Characters come as UTF-16 units; a pair is
// handed over as one character.
std::optional<LRESULT> WinControl::handleKeyboard(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!onKeyPress) return std::nullopt;
  if (message == WM_GETDLGCODE) {
    const auto* msg = reinterpret_cast<const MSG*>(lParam);
    LRESULT code = callDefault(message, wParam, lParam);
    if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
      code |= DLGC_WANTMESSAGE;
    return code;
  }
  if (message != WM_CHAR) return std::nullopt;
  const auto unit = static_cast<wchar_t>(wParam);
  if (unit >= 0xD800 && unit <= 0xDBFF) {
    m_highSurrogate = unit;
    return 0;
  }
  char32_t character = unit;
  if (unit >= 0xDC00 && unit <= 0xDFFF && m_highSurrogate != 0)
    character = 0x10000 + ((static_cast<char32_t>(m_highSurrogate) - 0xD800) << 10) +
                (static_cast<char32_t>(unit) - 0xDC00);
  const wchar_t high = m_highSurrogate;
  m_highSurrogate = 0;
  if (onKeyPress(character)) return 0;
  if (high != 0) callDefault(WM_CHAR, high, lParam);
  return std::nullopt;
}

LRESULT CALLBACK WinControl::subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                          UINT_PTR, DWORD_PTR self) {
  auto* control = reinterpret_cast<WinControl*>(self);
  if (message == WM_NCDESTROY) {
    ::RemoveWindowSubclass(hwnd, subclassProc, kSubclassId);
    control->m_hwnd = nullptr;
    return ::DefSubclassProc(hwnd, message, wParam, lParam);
  }
  if (message == WM_DROPFILES && control->m_onDrop) {
    const auto drop = reinterpret_cast<HDROP>(wParam);
    const DropData data = readDroppedFiles(drop);
    ::DragFinish(drop);
    control->m_onDrop(data);
    return 0;
  }
  if (const auto answer = control->handleKeyboard(message, wParam, lParam)) return *answer;
  if (const auto answer = control->handleMessage(message, wParam, lParam)) return *answer;
  return ::DefSubclassProc(hwnd, message, wParam, lParam);
}

}  // namespace batora
