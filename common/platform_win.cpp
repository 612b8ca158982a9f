#include <windows.h>

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

// FILE_APPEND_DATA alone: every write lands at the end, even when another program appends to
// the same log between our lines.
bool appendToFile(const fs::path& path, std::string_view bytes) {
  Handle file(::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return false;
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(file.get(), bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return file.close();
}

// Folders that are reparse points (links, junctions) are left out, so that a walk never
// follows one.
std::optional<FolderListing> readFolder(const fs::path& folder) {
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
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      listing.files.emplace_back(std::wstring(name));
    else if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT))
      listing.folders.emplace_back(std::wstring(name));
  } while (::FindNextFileW(find.get(), &entry));
  if (::GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
  // NTFS hands out names in this order already; FAT, network shares and other file systems
  // hand them out in the order they were written, and the list is to read the same everywhere.
  sortInHomeOrder(listing.files);
  sortInHomeOrder(listing.folders);
  return listing;
}

// Without MOVEFILE_REPLACE_EXISTING the system refuses an existing target, and without
// MOVEFILE_COPY_ALLOWED it refuses another volume instead of copying.
RenameOutcome renameNoReplace(const fs::path& from, const fs::path& to) {
  if (::MoveFileExW(from.c_str(), to.c_str(), 0)) return {};
  const DWORD error = ::GetLastError();
  const bool exists = error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
  return {exists ? RenameResult::kTargetExists : RenameResult::kFailed, systemMessage(error)};
}

// Links are names of their own: a link and the file it points to are not the same file.
bool sameFile(const fs::path& a, const fs::path& b) {
  auto identity = [](const fs::path& path) -> std::optional<std::pair<DWORD, ULONGLONG>> {
    Handle file(::CreateFileW(
        path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    BY_HANDLE_FILE_INFORMATION info{};
    if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
    return std::pair{info.dwVolumeSerialNumber,
                     (static_cast<ULONGLONG>(info.nFileIndexHigh) << 32) | info.nFileIndexLow};
  };
  const auto ia = identity(a);
  const auto ib = identity(b);
  return ia && ib && *ia == *ib;
}

}  // namespace batora::platform
