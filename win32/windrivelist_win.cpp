#include "windrivelist.h"

#include "winsupport_win.h"

namespace batora {

namespace {

char lower(char c) {
  return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// Removable drives are not asked for a label: without a medium the question can keep the
// window waiting for seconds.
std::string labelOf(char letter) {
  const wchar_t root[] = {static_cast<wchar_t>(letter), L':', L'\\', 0};
  const UINT type = ::GetDriveTypeW(root);
  if (type == DRIVE_REMOVABLE || type == DRIVE_NO_ROOT_DIR) return {};
  wchar_t label[MAX_PATH + 1] = {};
  const UINT oldMode = ::SetErrorMode(SEM_FAILCRITICALERRORS);
  const BOOL read =
      ::GetVolumeInformationW(root, label, MAX_PATH + 1, nullptr, nullptr, nullptr, nullptr, 0);
  ::SetErrorMode(oldMode);
  return read ? win::narrow(label) : std::string();
}

}  // namespace

WinDriveList::WinDriveList(const ControlPlace& place)
    : WinControl(place, L"COMBOBOX", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 0,
                 ControlKind::kControl) {
  refill();
  wchar_t current[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, current);
  const int index = find(static_cast<char>(current[0]));
  ::SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::string WinDriveList::entryText(char letter, std::string_view label) {
  std::string text{lower(letter), ':'};
  if (!label.empty()) text += " [" + std::string(label) + "]";
  return text;
}

std::string WinDriveList::driveOf(const std::string& path) {
  return path.substr(0, 2);
}

void WinDriveList::refill() {
  const std::string selected = drive();
  ::SendMessageW(hwnd(), CB_RESETCONTENT, 0, 0);
  const DWORD drives = ::GetLogicalDrives();
  for (int i = 0; i < 26; ++i) {
    if (!(drives & (1u << i))) continue;
    const char letter = static_cast<char>('a' + i);
    const std::wstring text = win::wide(entryText(letter, labelOf(letter)));
    ::SendMessageW(hwnd(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
  }
  if (!selected.empty())
    ::SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(find(selected[0])), 0);
}

int WinDriveList::entryCount() const {
  return static_cast<int>(::SendMessageW(hwnd(), CB_GETCOUNT, 0, 0));
}

std::string WinDriveList::entry(int index) const {
  const LRESULT length = ::SendMessageW(hwnd(), CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  ::SendMessageW(hwnd(), CB_GETLBTEXT, static_cast<WPARAM>(index),
                 reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(length));
  return win::narrow(text);
}

int WinDriveList::find(char letter) const {
  for (int i = 0; i < entryCount(); ++i)
    if (entry(i)[0] == lower(letter)) return i;
  return -1;
}

std::string WinDriveList::drive() const {
  const auto index = static_cast<int>(::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0));
  return index < 0 ? std::string() : entry(index).substr(0, 2);
}

// A drive that appeared since the list was filled (a stick plugged in) is looked for once more.
bool WinDriveList::setDrive(const std::string& drive) {
  if (drive.size() < 2 || drive[1] != ':') return false;
  int index = find(drive[0]);
  if (index < 0) {
    refill();
    index = find(drive[0]);
  }
  if (index < 0) return false;
  if (index == static_cast<int>(::SendMessageW(hwnd(), CB_GETCURSEL, 0, 0))) return true;
  ::SendMessageW(hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  if (onChange) onChange();
  return true;
}

std::optional<LRESULT> WinDriveList::handleMessage(UINT message, WPARAM wParam, LPARAM) {
  if (message != kReflectedCommand) return std::nullopt;
  if (HIWORD(wParam) == CBN_SELCHANGE && onChange) onChange();
  return 0;
}

}  // namespace batora
