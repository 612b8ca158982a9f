#include "winwindow.h"

#include <stdexcept>

#include "screenresolution.h"
#include "winsupport_win.h"

namespace batora {

namespace {

constexpr wchar_t kClassName[] = L"BatoraWindow";
// Without WS_CLIPCHILDREN: a frame is a sibling drawn around other controls and does not paint
// its inside, which the window has to paint.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
constexpr DWORD kDialogStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU;

void registerClass(HICON icon) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  if (::GetClassInfoExW(::GetModuleHandleW(nullptr), kClassName, &wc)) return;
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = ::DefWindowProcW;
  wc.hInstance = ::GetModuleHandleW(nullptr);
  wc.hIcon = icon;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kClassName;
  ::RegisterClassExW(&wc);
}

}  // namespace

WinWindow::WinWindow(std::string caption, SIZE client, HICON icon, HWND owner)
    : m_style(owner != nullptr ? kDialogStyle : kStyle),
      m_exStyle(owner != nullptr ? WS_EX_CONTROLPARENT | WS_EX_DLGMODALFRAME
                                 : WS_EX_CONTROLPARENT) {
  registerClass(icon);
  RECT outer{0, 0, client.cx, client.cy};
  ::AdjustWindowRectEx(&outer, m_style, FALSE, m_exStyle);
  m_hwnd =
      ::CreateWindowExW(m_exStyle, kClassName, win::wide(caption).c_str(), m_style, CW_USEDEFAULT,
                        CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top, owner,
                        nullptr, ::GetModuleHandleW(nullptr), nullptr);
  if (m_hwnd == nullptr) throw std::runtime_error("cannot create the window " + caption);
  if (icon != nullptr) ::SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
  ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  ::SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(windowProc));
}

WinWindow::~WinWindow() {
  if (m_accelerators != nullptr) ::DestroyAcceleratorTable(m_accelerators);
  if (m_hwnd == nullptr) return;
  ::SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
  ::DestroyWindow(m_hwnd);
}

void WinWindow::setMenuBar(WinMenu& bar) {
  // The client area keeps its size: the bar grows the window. The size is taken before the bar
  // is set, which takes its room from the client area.
  RECT client{};
  ::GetClientRect(m_hwnd, &client);
  ::SetMenu(m_hwnd, bar.release());
  RECT outer = client;
  ::AdjustWindowRectEx(&outer, m_style, TRUE, m_exStyle);
  ::SetWindowPos(m_hwnd, nullptr, 0, 0, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void WinWindow::addControl(WinControl& control) {
  m_entries.push_back({&control, nullptr});
}

void WinWindow::addMenuItem(WinMenuItem& item) {
  m_entries.push_back({nullptr, &item});
  if (item.accelerator()) rebuildAccelerators();
}

void WinWindow::rebuildAccelerators() {
  std::vector<ACCEL> table;
  for (const Entry& e : m_entries)
    if (e.item != nullptr)
      if (const auto accel = e.item->accelerator()) table.push_back(*accel);
  if (m_accelerators != nullptr) ::DestroyAcceleratorTable(m_accelerators);
  m_accelerators = ::CreateAcceleratorTableW(table.data(), static_cast<int>(table.size()));
}

bool WinWindow::preTranslate(MSG& msg) {
  if (m_hwnd == nullptr) return false;
  if (msg.hwnd != m_hwnd && !::IsChild(m_hwnd, msg.hwnd)) return false;
  if (m_accelerators != nullptr && ::TranslateAcceleratorW(m_hwnd, m_accelerators, &msg))
    return true;
  return ::IsDialogMessageW(m_hwnd, &msg) != FALSE;
}

// Disabling the window is what keeps a mouse click or a key from any of its controls, menus
// and shortcuts; a message box owned by it still works. The focus comes back on unlocking.
void WinWindow::setInputLocked(bool locked) {
  if (locked == m_locked) return;
  m_locked = locked;
  if (locked) {
    m_focusBeforeLock = ::GetFocus();
    ::EnableWindow(m_hwnd, FALSE);
    return;
  }
  ::EnableWindow(m_hwnd, TRUE);
  if (m_focusBeforeLock != nullptr && ::IsWindow(m_focusBeforeLock)) ::SetFocus(m_focusBeforeLock);
  m_focusBeforeLock = nullptr;
}

int WinWindow::controlCount() const {
  return static_cast<int>(m_entries.size());
}

const WinWindow::Entry& WinWindow::entry(int index) const {
  if (index < 0 || index >= controlCount())
    throw std::out_of_range("the window has no control " + std::to_string(index));
  return m_entries[static_cast<size_t>(index)];
}

ControlInfo WinWindow::controlAt(int index) const {
  const Entry& found = entry(index);
  if (found.item != nullptr)
    return {found.item->name(), ControlKind::kMenuItem, found.item->caption()};
  return {found.control->name(), found.control->kind(), found.control->walkCaption()};
}

bool WinWindow::setControlEnabled(int index, bool enabled) {
  const Entry& found = entry(index);
  if (found.item != nullptr) {
    found.item->setEnabled(enabled);
    return found.item->isEnabled() == enabled;
  }
  found.control->setEnabled(enabled);
  return found.control->isEnabled() == enabled;
}

void WinWindow::setCaption(std::string caption) {
  ::SetWindowTextW(m_hwnd, win::wide(caption).c_str());
}

Size WinWindow::outerSizeTwips() const {
  RECT outer{};
  ::GetWindowRect(m_hwnd, &outer);
  const ScreenResolution screen = ScreenResolution::current();
  return {screen.twipsX(outer.right - outer.left), screen.twipsY(outer.bottom - outer.top)};
}

void WinWindow::moveToTwips(long left, long top) {
  const ScreenResolution screen = ScreenResolution::current();
  ::SetWindowPos(m_hwnd, nullptr, screen.pixelsX(left), screen.pixelsY(top), 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// A shortcut is translated whatever the state of its item; a disabled item or a locked window
// must not run it.
void WinWindow::runMenuCommand(UINT id) {
  if (m_locked) return;
  for (const Entry& e : m_entries) {
    if (e.item == nullptr || e.item->id() != id) continue;
    if (e.item->isEnabled() && e.item->onClick) e.item->onClick();
    return;
  }
}

LRESULT CALLBACK WinWindow::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<WinWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  return self->handle(message, wParam, lParam);
}

LRESULT WinWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
  const HWND window = m_hwnd;
  if (const auto reflected = reflectToControl(message, wParam, lParam)) return *reflected;
  switch (message) {
    case WM_COMMAND:
      if (lParam == 0 && (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) && onDialogKey)
        onDialogKey(LOWORD(wParam));
      else
        runMenuCommand(LOWORD(wParam));
      return 0;
    case WM_PAINT:
      if (!onPaint) break;
      {
        PAINTSTRUCT paint{};
        HDC dc = ::BeginPaint(window, &paint);
        onPaint(dc);
        ::EndPaint(window, &paint);
      }
      return 0;
    // The dialog keys (a label's access key) ask the window to move the focus, as a dialog
    // box's own procedure does; a plain window has to do it itself.
    case WM_NEXTDLGCTL: {
      const HWND target = LOWORD(lParam) != 0
                              ? reinterpret_cast<HWND>(wParam)
                              : ::GetNextDlgTabItem(window, ::GetFocus(), wParam != 0);
      if (target != nullptr) ::SetFocus(target);
      return 0;
    }
    case WM_SETCURSOR:
      if (onSetCursor && onSetCursor()) return TRUE;
      break;
    case WM_CLOSE:
      if (!onClose || onClose()) ::DestroyWindow(window);
      return 0;
    case WM_DESTROY:
      if (onDestroy) onDestroy();
      break;
    case WM_NCDESTROY:
      m_hwnd = nullptr;
      break;
    default:
      break;
  }
  return ::DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace batora
