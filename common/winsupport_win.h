#pragma once
// Pieces the Windows implementation files share. Included by *_win.cpp files only, so the
// portable headers stay free of system types.

#include <windows.h>

#include <filesystem>
#include <string>
#include <string_view>

#include "utf8.h"

namespace batora::win {

// Owns a directory search.
class FindHandle {
 public:
  FindHandle(const std::filesystem::path& pattern, WIN32_FIND_DATAW& first)
      : m_handle(::FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &first, FindExSearchNameMatch,
                                    nullptr, FIND_FIRST_EX_LARGE_FETCH)) {}
  FindHandle(const FindHandle&) = delete;
  FindHandle& operator=(const FindHandle&) = delete;
  ~FindHandle() {
    if (valid()) ::FindClose(m_handle);
  }
  bool valid() const { return m_handle != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

// UTF-8 as the system takes it; invalid bytes become U+FFFD rather than cutting the text.
inline std::wstring wide(std::string_view utf8Text) {
  const std::u16string units = utf8::toUtf16(utf8::sanitize(utf8Text));
  return std::wstring(units.begin(), units.end());
}

// UTF-16 from the system as UTF-8; unpaired surrogates, which NTFS allows in names, come out
// as U+FFFD.
inline std::string narrow(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int size =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, out.data(), size, nullptr, nullptr);
  return out;
}

}  // namespace batora::win
