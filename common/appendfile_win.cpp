#include <windows.h>

#include <algorithm>
#include <utility>

#include "appendfile.h"

namespace batora {

namespace {

HANDLE asHandle(std::intptr_t handle) {
  return reinterpret_cast<HANDLE>(handle);
}

}  // namespace

// Others may read the file while it grows (an undo of another program, an editor).
std::optional<AppendFile> AppendFile::createNew(const std::filesystem::path& path) {
  HANDLE file = ::CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_DELETE,
                              nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  return AppendFile(reinterpret_cast<std::intptr_t>(file));
}

void AppendFile::close() {
  if (m_handle != -1) ::CloseHandle(asHandle(std::exchange(m_handle, -1)));
}

bool AppendFile::append(std::string_view bytes) {
  if (m_handle == -1) return false;
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size(), 1u << 30));
    DWORD written = 0;
    if (!::WriteFile(asHandle(m_handle), bytes.data(), chunk, &written, nullptr)) return false;
    bytes.remove_prefix(written);
  }
  return true;
}

}  // namespace batora
