#include <windows.h>

#include "fileidentity.h"

namespace batora::platform {

namespace {

// Owns the handle of an identity look-up.
class LookUpHandle {
 public:
  explicit LookUpHandle(HANDLE handle) : m_handle(handle) {}
  LookUpHandle(const LookUpHandle&) = delete;
  LookUpHandle& operator=(const LookUpHandle&) = delete;
  ~LookUpHandle() {
    if (valid()) ::CloseHandle(m_handle);
  }
  bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

void appendUnit(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

}  // namespace

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path) {
  LookUpHandle file(::CreateFileW(
      path.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
  BY_HANDLE_FILE_INFORMATION info{};
  if (!file.valid() || !::GetFileInformationByHandle(file.get(), &info)) return std::nullopt;
  auto wide = [](DWORD high, DWORD low) { return (static_cast<std::uint64_t>(high) << 32) | low; };
  return FileIdentity{info.dwVolumeSerialNumber, wide(info.nFileIndexHigh, info.nFileIndexLow),
                      wide(info.nFileSizeHigh, info.nFileSizeLow),
                      static_cast<std::int64_t>(wide(info.ftLastWriteTime.dwHighDateTime,
                                                     info.ftLastWriteTime.dwLowDateTime))};
}

// Windows names are UTF-16 that need not be well formed: a lone surrogate is written as the
// three bytes UTF-8 would give its value, so that every name comes back unit for unit.
std::string pathBytes(const std::filesystem::path& path) {
  const std::wstring& units = path.native();
  std::string out;
  out.reserve(units.size());
  for (size_t i = 0; i < units.size(); ++i) {
    const char32_t unit = units[i];
    const bool high = unit >= 0xD800 && unit < 0xDC00;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] < 0xE000) {
      appendUnit(out, 0x10000 + ((unit - 0xD800) << 10) + (units[i + 1] - 0xDC00));
      ++i;
    } else {
      appendUnit(out, unit);
    }
  }
  return out;
}

std::filesystem::path pathFromBytes(std::string_view bytes) {
  std::wstring units;
  auto byte = [&](size_t i) { return static_cast<unsigned char>(bytes[i]); };
  for (size_t i = 0; i < bytes.size();) {
    const unsigned char lead = byte(i);
    const size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
    char32_t c = length == 1 ? lead : lead & (0xFF >> (length + 1));
    for (size_t k = 1; k < length && i + k < bytes.size(); ++k) c = (c << 6) | (byte(i + k) & 0x3F);
    i += length;
    if (c >= 0x10000) {
      units += static_cast<wchar_t>(0xD800 + ((c - 0x10000) >> 10));
      units += static_cast<wchar_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
    } else {
      units += static_cast<wchar_t>(c);
    }
  }
  return std::filesystem::path(units);
}

}  // namespace batora::platform
