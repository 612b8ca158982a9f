#include "wintoolkit.h"

#include <commctrl.h>

#include <optional>
#include <utility>

#include "winsupport_win.h"

namespace batora {

namespace {

constexpr long kTwipsPerInch = 1440;

// Owns an open clipboard.
class ClipboardOpen {
 public:
  explicit ClipboardOpen(HWND owner) : m_open(::OpenClipboard(owner) != FALSE) {}
  ClipboardOpen(const ClipboardOpen&) = delete;
  ClipboardOpen& operator=(const ClipboardOpen&) = delete;
  ~ClipboardOpen() {
    if (m_open) ::CloseClipboard();
  }
  explicit operator bool() const { return m_open; }

 private:
  bool m_open;
};

// Owns a movable memory block until the clipboard takes it.
class GlobalBlock {
 public:
  explicit GlobalBlock(size_t bytes) : m_block(::GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
  GlobalBlock(const GlobalBlock&) = delete;
  GlobalBlock& operator=(const GlobalBlock&) = delete;
  ~GlobalBlock() {
    if (m_block != nullptr) ::GlobalFree(m_block);
  }
  HGLOBAL get() const { return m_block; }
  HGLOBAL release() { return std::exchange(m_block, nullptr); }

 private:
  HGLOBAL m_block;
};

// A message box closes from its frame only when it has a Cancel button, and then with that
// button's answer; a Yes/No box cannot be closed at all and an OK box answers OK. The toolkit
// promises Cancel for every close, so each box gets its close command back and answers it.
LRESULT CALLBACK closeAnswersCancel(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR) {
  if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_CLOSE) {
    ::EndDialog(box, IDCANCEL);
    return 0;
  }
  if (message == WM_INITMENUPOPUP || message == WM_NCACTIVATE)
    ::EnableMenuItem(::GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
  return ::DefSubclassProc(box, message, wParam, lParam);
}

LRESULT CALLBACK watchBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    const auto box = reinterpret_cast<HWND>(wParam);
    wchar_t name[16] = {};
    ::GetClassNameW(box, name, 16);
    if (::lstrcmpW(name, L"#32770") == 0) {
      ::SetWindowSubclass(box, closeAnswersCancel, 1, 0);
      ::EnableMenuItem(::GetSystemMenu(box, FALSE), SC_CLOSE, MF_BYCOMMAND | MF_ENABLED);
    }
  }
  return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

// Owns a hook of the calling thread.
class ThreadHook {
 public:
  ThreadHook(int kind, HOOKPROC proc)
      : m_hook(::SetWindowsHookExW(kind, proc, nullptr, ::GetCurrentThreadId())) {}
  ThreadHook(const ThreadHook&) = delete;
  ThreadHook& operator=(const ThreadHook&) = delete;
  ~ThreadHook() {
    if (m_hook != nullptr) ::UnhookWindowsHookEx(m_hook);
  }

 private:
  HHOOK m_hook;
};

}  // namespace

WinToolkit::WinToolkit(std::string_view instanceName)
    : m_box(systemMessageBox), m_instance(instanceName) {}

void WinToolkit::setMainWindow(WinWindow* window) {
  m_main = window;
  if (m_main != nullptr) m_main->onSetCursor = [this] { return showPointer(); };
}

UINT WinToolkit::boxFlags(int style) {
  UINT flags = MB_SETFOREGROUND;
  switch (mb::buttonsOf(style)) {
    case mb::kOkCancel:
      flags |= MB_OKCANCEL;
      break;
    case mb::kYesNo:
      flags |= MB_YESNO;
      break;
    default:
      flags |= MB_OK;
      break;
  }
  switch (mb::iconOf(style)) {
    case mb::kCritical:
      return flags | MB_ICONERROR;
    case mb::kQuestion:
      return flags | MB_ICONQUESTION;
    case mb::kExclamation:
      return flags | MB_ICONWARNING;
    case mb::kInformation:
      return flags | MB_ICONINFORMATION;
    default:
      return flags;
  }
}

int WinToolkit::systemMessageBox(HWND owner, const std::wstring& text, const std::wstring& title,
                                 UINT flags) {
  const ThreadHook hook(WH_CBT, watchBoxes);
  return ::MessageBoxW(owner, text.c_str(), title.c_str(), flags);
}

// The hourglass stays over the main window only: a box is a window of its own and shows the
// arrow, as the user has to answer it.
int WinToolkit::messageBox(std::string_view text, std::string_view title, int style) {
  HWND owner = m_main != nullptr ? m_main->hwnd() : nullptr;
  const int answer = m_box(owner, win::wide(text), win::wide(title), boxFlags(style));
  switch (answer) {
    case IDOK:
    case IDYES:
    case IDNO:
      return answer;
    default:
      return mb::kIdCancel;
  }
}

void WinToolkit::beep() {
  ::MessageBeep(MB_OK);
}

void WinToolkit::setMousePointer(int pointer) {
  m_pointer = pointer;
  showPointer();
}

bool WinToolkit::showPointer() const {
  ::SetCursor(::LoadCursorW(nullptr, m_pointer == kPointerHourglass ? IDC_WAIT : IDC_ARROW));
  return m_pointer == kPointerHourglass;
}

void WinToolkit::dispatch(MSG& msg) {
  if (m_main != nullptr && m_main->preTranslate(msg)) return;
  ::TranslateMessage(&msg);
  ::DispatchMessageW(&msg);
}

// A WM_QUIT found here belongs to the loop in run(): it is put back for that loop.
void WinToolkit::yield() {
  MSG msg;
  while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (msg.message == WM_QUIT) {
      ::PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    dispatch(msg);
  }
}

int WinToolkit::run() {
  MSG msg;
  while (::GetMessageW(&msg, nullptr, 0, 0) > 0) dispatch(msg);
  return static_cast<int>(msg.wParam);
}

bool WinToolkit::clipboardHasText() {
  return ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE;
}

std::string WinToolkit::clipboardText() {
  const ClipboardOpen open(m_main != nullptr ? m_main->hwnd() : nullptr);
  if (!open) return {};
  HANDLE data = ::GetClipboardData(CF_UNICODETEXT);
  if (data == nullptr) return {};
  const auto* text = static_cast<const wchar_t*>(::GlobalLock(data));
  if (text == nullptr) return {};
  std::string out = win::narrow(text);
  ::GlobalUnlock(data);
  return out;
}

void WinToolkit::setClipboardText(std::string_view text) {
  const std::wstring wide = win::wide(text);
  GlobalBlock block((wide.size() + 1) * sizeof(wchar_t));
  if (block.get() == nullptr) return;
  auto* target = static_cast<wchar_t*>(::GlobalLock(block.get()));
  if (target == nullptr) return;
  std::copy(wide.c_str(), wide.c_str() + wide.size() + 1, target);
  ::GlobalUnlock(block.get());
  const ClipboardOpen open(m_main != nullptr ? m_main->hwnd() : nullptr);
  if (!open) return;
  ::EmptyClipboard();
  if (::SetClipboardData(CF_UNICODETEXT, block.get()) != nullptr) block.release();
}

// An unquoted program path with spaces ("C:\Program Files\...") would make the system try
// "C:\Program" first. The arguments go on as they are, as the classic program wrote its
// command lines.
std::string WinToolkit::commandLine(const std::string& program,
                                    const std::vector<std::string>& args) {
  const bool quote = program.find(' ') != std::string::npos && program.front() != '"';
  std::string line = quote ? "\"" + program + "\"" : program;
  for (const std::string& arg : args) line += " " + arg;
  return line;
}

bool WinToolkit::startProgram(const std::string& program, const std::vector<std::string>& args) {
  return winshell::startCommandLine(commandLine(program, args));
}

int WinToolkit::openDocument(const std::string& file, const std::string& folder) {
  return winshell::openDocument(file, folder);
}

bool WinToolkit::previousInstance() {
  return m_instance.anotherInstanceRuns();
}

Size WinToolkit::screenSizeTwips() {
  HDC screen = ::GetDC(nullptr);
  const long dpiX = ::GetDeviceCaps(screen, LOGPIXELSX);
  const long dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return {::GetSystemMetrics(SM_CXSCREEN) * kTwipsPerInch / dpiX,
          ::GetSystemMetrics(SM_CYSCREEN) * kTwipsPerInch / dpiY};
}

}  // namespace batora
