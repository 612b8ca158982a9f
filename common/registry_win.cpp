#include <windows.h>

#include <algorithm>
#include <string>

#include "platform.h"
#include "registry.h"

namespace batora {

namespace {

// The read rights together with the rights to set values, create, enumerate and be notified of
// subkeys and create links: a user who may only read the key does not get the tool.
constexpr REGSAM kAccessMask = 0x2003F;
constexpr DWORD kBufferSize = 1024;

// Owns an open registry key.
class RegistryKey {
 public:
  RegistryKey() = default;
  RegistryKey(const RegistryKey&) = delete;
  RegistryKey& operator=(const RegistryKey&) = delete;
  ~RegistryKey() {
    if (m_key) ::RegCloseKey(m_key);
  }
  HKEY* out() { return &m_key; }
  HKEY get() const { return m_key; }

 private:
  HKEY m_key = nullptr;
};

// The classic handles are 32-bit values that the 64-bit API sign-extends.
HKEY rootKey(RegistryRoot root) {
  const auto value = static_cast<LONG>(static_cast<std::uint32_t>(root));
  return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(value));
}

std::wstring wide(std::string_view utf8Text) {
  return platform::pathFromUtf8(utf8Text).native();
}

// The ANSI functions take and give texts in the system code page (932 on a Japanese system).
std::string toSystemCodePage(std::string_view utf8Text) {
  const std::wstring units = wide(utf8Text);
  if (units.empty()) return {};
  const int length = static_cast<int>(units.size());
  const int size =
      ::WideCharToMultiByte(CP_ACP, 0, units.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, units.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

std::string fromSystemCodePage(std::string_view bytes) {
  if (bytes.empty()) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  std::wstring units(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, units.data(), size);
  return platform::pathToUtf8(std::filesystem::path(units));
}

// A number is written as "&h" and the hexadecimal codes of its bytes up to the first zero byte,
// from the last to the first, each without leading zeros: 0x00ABCDEF reads "&habcdef".
std::string numberText(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string digits;
  for (auto it = bytes.rbegin(); it != bytes.rend(); ++it) {
    const auto code = static_cast<unsigned char>(*it);
    if (code >= 0x10) digits += kDigits[code >> 4];
    digits += kDigits[code & 0x0F];
  }
  return "&h" + digits;
}

}  // namespace

bool GetKeyValue(RegistryRoot KeyRoot, std::string_view KeyName, std::string_view SubKeyRef,
                 std::string& KeyVal) {
  RegistryKey key;
  const std::string keyName = toSystemCodePage(KeyName);
  if (::RegOpenKeyExA(rootKey(KeyRoot), keyName.c_str(), 0, kAccessMask, key.out()) !=
      ERROR_SUCCESS) {
    KeyVal.clear();
    return false;
  }
  std::string buffer(kBufferSize, '\0');
  DWORD size = kBufferSize;
  DWORD type = REG_NONE;
  const std::string valueName = toSystemCodePage(SubKeyRef);
  if (::RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                         reinterpret_cast<BYTE*>(buffer.data()), &size) != ERROR_SUCCESS) {
    KeyVal.clear();
    return false;
  }
  const std::string_view text(buffer.data(), std::min(buffer.find('\0'), buffer.size()));
  if (type == REG_SZ)
    KeyVal = fromSystemCodePage(text);
  else if (type == REG_DWORD)
    KeyVal = numberText(text);
  return true;
}

bool isVisibleFile(std::string_view path) {
  const DWORD attributes = ::GetFileAttributesW(wide(path).c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) return false;
  return !(attributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
}

}  // namespace batora
