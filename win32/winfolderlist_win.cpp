#include "winfolderlist.h"

#include <shellapi.h>

#include <algorithm>
#include <filesystem>

#include "nameorder.h"
#include "winsupport_win.h"

namespace batora {

namespace {

constexpr DWORD kStyle = LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                         WS_VSCROLL | WS_TABSTOP | WS_BORDER;
constexpr int kIconSize = 16;
constexpr int kIndent = 10;
constexpr int kShellFolderId = 4;
constexpr int kShellOpenFolderId = 5;

// The shell's folder pictures; where the stock-icon call knows none (Wine), the same icons are
// taken from shell32 by their resource ids.
HICON folderIcon(bool open) {
  SHSTOCKICONINFO info{};
  info.cbSize = sizeof info;
  if (SUCCEEDED(::SHGetStockIconInfo(open ? SIID_FOLDEROPEN : SIID_FOLDER,
                                     SHGSI_ICON | SHGSI_SMALLICON, &info)) &&
      info.hIcon != nullptr)
    return info.hIcon;
  HICON small = nullptr;
  ::ExtractIconExW(L"shell32.dll", open ? -kShellOpenFolderId : -kShellFolderId, nullptr, &small,
                   1);
  return small;
}

// The full form of a folder path without a separator at its end, except after a root.
std::optional<std::wstring> fullFolderPath(const std::wstring& path) {
  wchar_t buffer[32768];
  const DWORD length = ::GetFullPathNameW(path.c_str(), 32768, buffer, nullptr);
  if (length == 0 || length >= 32768) return std::nullopt;
  std::wstring full(buffer, length);
  const size_t root = std::filesystem::path(full).root_path().native().size();
  while (full.size() > root && (full.back() == L'\\' || full.back() == L'/')) full.pop_back();
  return full;
}

std::wstring joined(const std::wstring& folder, const std::wstring& name) {
  return folder.back() == L'\\' ? folder + name : folder + L"\\" + name;
}

// Hidden and system folders are left out, as the classic folder list leaves them out; nullopt
// when the folder cannot be listed.
std::optional<std::vector<std::filesystem::path>> subfolders(const std::wstring& folder) {
  WIN32_FIND_DATAW found{};
  const win::FindHandle find(joined(folder, L"*"), found);
  if (!find.valid()) return std::nullopt;
  std::vector<std::filesystem::path> names;
  do {
    const std::wstring name = found.cFileName;
    if (name == L"." || name == L"..") continue;
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) continue;
    if (found.dwFileAttributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) continue;
    names.emplace_back(name);
  } while (::FindNextFileW(find.get(), &found));
  sortInHomeOrder(names);
  return names;
}

// The root as the classic list writes it, drive letter in lower case.
std::wstring rootText(std::wstring root) {
  if (root.size() >= 2 && root[1] == L':') root[0] = static_cast<wchar_t>(::towlower(root[0]));
  return root;
}

}  // namespace

WinFolderList::WinFolderList(const ControlPlace& place)
    : WinControl(place, L"LISTBOX", kStyle, WS_EX_CLIENTEDGE, ControlKind::kControl),
      m_openIcon(folderIcon(true)),
      m_closedIcon(folderIcon(false)) {
  const int fontHeight = static_cast<int>(::SendMessageW(hwnd(), LB_GETITEMHEIGHT, 0, 0));
  ::SendMessageW(hwnd(), LB_SETITEMHEIGHT, 0, std::max(fontHeight, kIconSize + 2));
}

WinFolderList::~WinFolderList() {
  if (m_openIcon != nullptr) ::DestroyIcon(m_openIcon);
  if (m_closedIcon != nullptr) ::DestroyIcon(m_closedIcon);
}

std::string WinFolderList::path() const {
  return win::narrow(m_path);
}

bool WinFolderList::setPath(const std::string& path) {
  const auto full = fullFolderPath(win::wide(path));
  if (!full) return false;
  const DWORD attributes = ::GetFileAttributesW(full->c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY))
    return false;
  if (!subfolders(*full)) return false;
  if (*full == m_path) return true;
  m_path = *full;
  rebuild();
  if (onChange) onChange();
  return true;
}

std::string WinFolderList::highlightedPath() const {
  const auto row = static_cast<int>(::SendMessageW(hwnd(), LB_GETCURSEL, 0, 0));
  if (row < 0 || row >= static_cast<int>(m_rows.size())) return path();
  return win::narrow(m_rows[static_cast<size_t>(row)].path);
}

void WinFolderList::setHighlightedRow(int row) {
  ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(row), 0);
}

void WinFolderList::rebuild() {
  m_rows.clear();
  const std::filesystem::path current(m_path);
  std::wstring folder = current.root_path().native();
  m_rows.push_back({folder, rootText(folder), 0, true});
  for (const auto& part : current.relative_path()) {
    folder = joined(folder, part.native());
    m_rows.push_back({folder, part.native(), static_cast<int>(m_rows.size()), true});
  }
  const int currentRow = static_cast<int>(m_rows.size()) - 1;
  for (const auto& name : subfolders(m_path).value_or(std::vector<std::filesystem::path>{}))
    m_rows.push_back({joined(m_path, name.native()), name.native(), currentRow + 1, false});

  ::SendMessageW(hwnd(), WM_SETREDRAW, FALSE, 0);
  ::SendMessageW(hwnd(), LB_RESETCONTENT, 0, 0);
  for (const Row& row : m_rows)
    ::SendMessageW(hwnd(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(row.text.c_str()));
  ::SendMessageW(hwnd(), LB_SETCURSEL, static_cast<WPARAM>(currentRow), 0);
  ::SendMessageW(hwnd(), WM_SETREDRAW, TRUE, 0);
  ::InvalidateRect(hwnd(), nullptr, TRUE);
}

// A folder that can no longer be opened leaves the list as it is.
void WinFolderList::openHighlighted() {
  const std::string target = highlightedPath();
  if (target != path()) setPath(target);
}

void WinFolderList::draw(const DRAWITEMSTRUCT& item) const {
  if (item.itemID == static_cast<UINT>(-1) || item.itemID >= m_rows.size()) return;
  const Row& row = m_rows[item.itemID];
  const bool selected = (item.itemState & ODS_SELECTED) != 0;
  ::FillRect(item.hDC, &item.rcItem, ::GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  const int left = item.rcItem.left + 2 + row.level * kIndent;
  const int top = item.rcItem.top + (item.rcItem.bottom - item.rcItem.top - kIconSize) / 2;
  HICON icon = row.open ? m_openIcon : m_closedIcon;
  if (icon != nullptr)
    ::DrawIconEx(item.hDC, left, top, icon, kIconSize, kIconSize, 0, nullptr, DI_NORMAL);
  RECT text = item.rcItem;
  text.left = left + kIconSize + 4;
  ::SetBkMode(item.hDC, TRANSPARENT);
  ::SetTextColor(item.hDC, ::GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ::DrawTextW(item.hDC, row.text.c_str(), static_cast<int>(row.text.size()), &text,
              DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
  if (item.itemState & ODS_FOCUS) ::DrawFocusRect(item.hDC, &item.rcItem);
}

std::optional<LRESULT> WinFolderList::handleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case kReflectedDrawItem:
      draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case kReflectedCommand:
      if (HIWORD(wParam) == LBN_DBLCLK) openHighlighted();
      return 0;
    case WM_GETDLGCODE: {
      const auto* msg = reinterpret_cast<const MSG*>(lParam);
      LRESULT code = callDefault(message, wParam, lParam);
      if (msg != nullptr && msg->message == WM_KEYDOWN && msg->wParam == VK_RETURN)
        code |= DLGC_WANTMESSAGE;
      return code;
    }
    case WM_KEYDOWN:
      if (wParam != VK_RETURN) return std::nullopt;
      openHighlighted();
      return 0;
    default:
      return std::nullopt;
  }
}

}  // namespace batora
