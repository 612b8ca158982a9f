#include <windows.h>

#include <algorithm>
#include <string>
#include <utility>

#include "nameorder.h"
#include "platform.h"
#include "utf8.h"
#include "winsupport_win.h"

namespace batora::platform {
namespace fs = std::filesystem;
using win::FindHandle;
using win::narrow;
using win::wide;

namespace {

constexpr UINT kShiftJis = 932;

// Owns a kernel handle; closes it on every path.
class Handle {
 public:
  explicit Handle(HANDLE handle) : m_handle(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) ::CloseHandle(m_handle);
  }
  bool valid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
  HANDLE get() const { return m_handle; }
  // Closing can report a late write failure, so writers ask for it.
  bool close() {
    HANDLE handle = std::exchange(m_handle, INVALID_HANDLE_VALUE);
    return ::CloseHandle(handle) != 0;
  }

 private:
  HANDLE m_handle;
};

std::string systemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = ::FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length > 0 ? std::wstring(buffer, length) : std::wstring();
  if (buffer) ::LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\n' || text.back() == L'\r' || text.back() == L' '))
    text.pop_back();
  if (text.empty()) return "error " + std::to_string(error);
  return narrow(text);
}

std::wstring modulePath() {
  std::wstring buffer(MAX_PATH, L'\0');
  for (;;) {
    const DWORD size = static_cast<DWORD>(buffer.size());
    const DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), size);
    if (length == 0) return {};
    if (length < size) {
      buffer.resize(length);
      return buffer;
    }
    buffer.resize(buffer.size() * 2);
  }
}

Handle openForReading(const fs::path& path) {
  return Handle(::CreateFileW(path.c_str(), GENERIC_READ,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
}

}  // namespace

fs::path programFolder() {
  const std::wstring exe = modulePath();
  if (exe.empty()) return fs::current_path();
  return fs::path(exe).parent_path();
}

std::string programName() {
  const std::wstring exe = modulePath();
  return exe.empty() ? std::string("Batora") : narrow(fs::path(exe).stem().native());
}

// Characters outside the basic plane have no code in code page 932; each becomes one "?" (the
// system would write one per surrogate). WC_NO_BEST_FIT_CHARS: a look-alike, such as a plain
// letter for an accented one, would put a name into the log that no file has.
std::string utf8ToCp932(std::string_view utf8Text) {
  std::wstring units;
  units.reserve(utf8Text.size());
  for (char32_t c : utf8::decode(utf8Text))
    units.push_back(c > 0xFFFF ? L'?' : static_cast<wchar_t>(c));
  if (units.empty()) return {};
  const int length = static_cast<int>(units.size());
  const int size = ::WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, units.data(), length,
                                         nullptr, 0, "?", nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(kShiftJis, WC_NO_BEST_FIT_CHARS, units.data(), length, out.data(), size,
                        "?", nullptr);
  return out;
}

// The system would turn a broken byte into the code page's own default character (a middle
// dot); U+FFFD says plainly that the byte was not text. So a text that does not convert whole
// is converted character by character.
std::string cp932ToUtf8(std::string_view cp932) {
  auto convert = [](std::string_view bytes, std::wstring& out) {
    const int length = static_cast<int>(bytes.size());
    const int size =
        ::MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), length, nullptr, 0);
    if (size <= 0) return false;
    const size_t at = out.size();
    out.resize(at + static_cast<size_t>(size));
    ::MultiByteToWideChar(kShiftJis, MB_ERR_INVALID_CHARS, bytes.data(), length, out.data() + at,
                          size);
    return true;
  };
  std::wstring units;
  if (cp932.empty() || convert(cp932, units)) return narrow(units);
  units.clear();
  while (!cp932.empty()) {
    const bool lead = ::IsDBCSLeadByteEx(kShiftJis, static_cast<BYTE>(cp932[0])) != 0;
    const size_t length = lead && cp932.size() >= 2 ? 2 : 1;
    if (convert(cp932.substr(0, length), units)) {
      cp932.remove_prefix(length);
    } else {
      units.push_back(L'\xFFFD');
      cp932.remove_prefix(1);
    }
  }
  return narrow(units);
}

std::uint32_t tickCount() {
  return ::GetTickCount();
}

LocalDateTime localNow() {
  SYSTEMTIME t{};
  ::GetLocalTime(&t);
  return {t.wYear, t.wMonth, t.wDay, t.wHour, t.wMinute, t.wSecond};
}

// The C++ library would widen each byte of a narrow text on its own, which garbles every
// character outside ASCII; paths go through UTF-16 explicitly instead.
fs::path pathFromUtf8(std::string_view utf8Text) {
  return fs::path(wide(utf8Text));
}

std::string pathToUtf8(const fs::path& path) {
  return narrow(path.native());
}

LookUp lookUp(const fs::path& path, bool foldersCount) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    switch (::GetLastError()) {
      case ERROR_FILE_NOT_FOUND:
      case ERROR_PATH_NOT_FOUND:
      case ERROR_DIRECTORY:
        return LookUp::kMissing;
      default:
        return LookUp::kFailed;
    }
  }
  if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !foldersCount) return LookUp::kMissing;
  return LookUp::kFound;
}

// A folder cannot be opened without backup semantics, so it never counts as a readable file.
bool canReadFile(const fs::path& path) {
  return openForReading(path).valid();
}

std::optional<std::string> readFile(const fs::path& path) {
  Handle file = openForReading(path);
  if (!file.valid()) return std::nullopt;
  std::string content;
  char buffer[65536];
  for (;;) {
    DWORD read = 0;
    if (!::ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr)) return std::nullopt;
    if (read == 0) break;
    content.append(buffer, read);
  }
  return content;
}

// Cuts the file back to `length`, through a handle of its own: the appending one may not set the
// end of the file.
static bool truncateTo(const fs::path& path, LONGLONG length) {
  Handle file(::CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  FILE_END_OF_FILE_INFO end{};
  end.EndOfFile.QuadPart = length;
  return file.valid() &&
         ::SetFileInformationByHandle(file.get(), FileEndOfFileInfo, &end, sizeof end) != 0;
}

// FILE_APPEND_DATA without FILE_WRITE_DATA: every write lands at the end, even when another
// program appends to the same log between our lines. One write per record, and a failed or
// short one is undone, so that a full disk leaves no half record behind.
bool appendToFile(const fs::path& path, std::string_view bytes, std::size_t writeAtMost) {
  Handle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA | FILE_READ_ATTRIBUTES,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  LARGE_INTEGER before{};
  if (!::GetFileSizeEx(file.get(), &before)) return false;
  const DWORD size = static_cast<DWORD>(std::min(bytes.size(), writeAtMost));
  DWORD written = 0;
  const bool wrote = ::WriteFile(file.get(), bytes.data(), size, &written, nullptr) != 0;
  if (!wrote || written != bytes.size()) {
    file.close();
    if (written > 0) truncateTo(path, before.QuadPart);
    return false;
  }
  return file.close();
}

// Folders that are reparse points (links, junctions) are left out, so that a walk never
// follows one.
std::optional<FolderListing> readFolder(const fs::path& folder, ReadPauses pauses) {
  WIN32_FIND_DATAW entry{};
  FindHandle find(joinPath(folder, L"*"), entry);
  FolderListing listing;
  if (!find.valid()) {
    // An empty drive root has not even "." and "..": an empty answer, not a failure.
    if (::GetLastError() == ERROR_FILE_NOT_FOUND) return listing;
    return std::nullopt;
  }
  do {
    const std::wstring_view name = entry.cFileName;
    if (name == L"." || name == L"..") continue;
    pauses.beforeEntry();
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      listing.files.emplace_back(name);
    else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      listing.folders.emplace_back(name);
  } while (::FindNextFileW(find.get(), &entry));
  if (::GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
  // NTFS hands out names in this order already; FAT, network shares and other file systems
  // hand them out in the order they were written, and the list is to read the same everywhere.
  pauses.beforeOrdering();
  sortInHomeOrder(listing.files);
  sortInHomeOrder(listing.folders);
  return listing;
}

// Without MOVEFILE_REPLACE_EXISTING the system refuses an existing target, and without
// MOVEFILE_COPY_ALLOWED it refuses another volume instead of copying.
// Another name of the same file is no free name either: a file system that renames through POSIX
// (a share served from Linux, Wine) would take such a move for nothing done and report success
// while both names stay.
RenameOutcome renameNoReplace(const fs::path& from, const fs::path& to) {
  if (!sameEntry(from, to) && ::GetFileAttributesW(to.c_str()) != INVALID_FILE_ATTRIBUTES)
    return {RenameResult::kTargetExists, systemMessage(ERROR_ALREADY_EXISTS)};
  if (::MoveFileExW(from.c_str(), to.c_str(), 0)) return {};
  const DWORD error = ::GetLastError();
  const bool exists = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
  return {exists ? RenameResult::kTargetExists : RenameResult::kFailed, systemMessage(error)};
}

// NTFS ignores letter case, so "a.jpg" and "A.JPG" are one entry; another hard link of the file
// is another entry.
bool sameEntry(const fs::path& a, const fs::path& b) {
  const std::wstring& x = a.native();
  const std::wstring& y = b.native();
  return ::CompareStringOrdinal(x.c_str(), static_cast<int>(x.size()), y.c_str(),
                                static_cast<int>(y.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace batora::platform
