// batora-probe.exe: reads what a running batora.exe shows, for the end-to-end test, through
// the messages any program may send to another's windows. One line per item, UTF-8, tab
// separated:
//   list  <rows> <selected rows>     the file list (the list box with extended selection)
//   text  <class> <text>             each other control of the main window
//   box   <text of the message>      each message box shown

#include <windows.h>

#include <string>

#include "winsupport_win.h"

namespace {

constexpr wchar_t kMainClass[] = L"BatoraWindow";

void writeLine(const std::wstring& line) {
  const std::string bytes = batora::win::narrow(line) + "\n";
  DWORD written = 0;
  ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), bytes.data(), static_cast<DWORD>(bytes.size()),
              &written, nullptr);
}

std::wstring textOf(HWND window) {
  wchar_t text[1024] = {};
  ::SendMessageTimeoutW(window, WM_GETTEXT, 1024, reinterpret_cast<LPARAM>(text), SMTO_BLOCK, 2000,
                        nullptr);
  return text;
}

std::wstring classOf(HWND window) {
  wchar_t name[64] = {};
  ::GetClassNameW(window, name, 64);
  return name;
}

BOOL CALLBACK reportControl(HWND control, LPARAM) {
  const std::wstring name = classOf(control);
  const LONG style = ::GetWindowLongW(control, GWL_STYLE);
  if (::lstrcmpiW(name.c_str(), L"LISTBOX") == 0 && (style & LBS_EXTENDEDSEL)) {
    const LRESULT rows = ::SendMessageW(control, LB_GETCOUNT, 0, 0);
    const LRESULT selected = ::SendMessageW(control, LB_GETSELCOUNT, 0, 0);
    writeLine(L"list\t" + std::to_wstring(rows) + L"\t" + std::to_wstring(selected));
    return TRUE;
  }
  writeLine(L"text\t" + name + L"\t" + textOf(control));
  return TRUE;
}

BOOL CALLBACK reportBoxText(HWND control, LPARAM) {
  std::wstring text = textOf(control);
  for (wchar_t& c : text)
    if (c == L'\r' || c == L'\n') c = L' ';
  if (::lstrcmpiW(classOf(control).c_str(), L"STATIC") == 0 && !text.empty())
    writeLine(L"box\t" + text);
  return TRUE;
}

BOOL CALLBACK reportWindow(HWND window, LPARAM) {
  if (!::IsWindowVisible(window)) return TRUE;
  const std::wstring name = classOf(window);
  if (name == kMainClass) ::EnumChildWindows(window, reportControl, 0);
  // The message's id differs between Windows and Wine; it is the box's only static with text.
  if (name == L"#32770") ::EnumChildWindows(window, reportBoxText, 0);
  return TRUE;
}

}  // namespace

int main() {
  ::EnumWindows(reportWindow, 0);
  return 0;
}
