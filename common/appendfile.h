#pragma once
// A file that only grows, kept open across many small appends: each append reaches the system
// at once, so what a killed program had appended is still there.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

namespace batora {

class AppendFile {
 public:
  // Creates the file; nullopt when it exists already or cannot be created.
  static std::optional<AppendFile> createNew(const std::filesystem::path& path);
  AppendFile(AppendFile&& other) noexcept;
  AppendFile& operator=(AppendFile&& other) noexcept;
  AppendFile(const AppendFile&) = delete;
  AppendFile& operator=(const AppendFile&) = delete;
  ~AppendFile();

  // Appends the bytes with one system call where the system allows; false when they were not
  // all written.
  bool append(std::string_view bytes);

 private:
  explicit AppendFile(std::intptr_t handle) : m_handle(handle) {}
  void close();

  // A descriptor (POSIX) or a handle (Windows); -1 when none is owned.
  std::intptr_t m_handle = -1;
};

}  // namespace batora
