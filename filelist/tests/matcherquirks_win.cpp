#include <windows.h>

#include <string>

#include "matcherquirks.h"

namespace batora::testing {

std::optional<std::filesystem::path> shortName(const std::filesystem::path& file) {
  std::wstring buffer(MAX_PATH, L'\0');
  const DWORD length = ::GetShortPathNameW(file.c_str(), buffer.data(), MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::nullopt;
  buffer.resize(length);
  const std::filesystem::path name = std::filesystem::path(buffer).filename();
  if (name == file.filename()) return std::nullopt;
  return name;
}

// Wine's ntdll, and only Wine's, exports its version.
bool runningUnderWine() {
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll && ::GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

}  // namespace batora::testing
