#pragma once
// What tells one file from another across renames, and paths as exact bytes: the run journal
// needs both to put files back only where they are still the files a run renamed.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace batora::platform {

// Stays the same when a file is renamed; changes when it is replaced or written.
struct FileIdentity {
  std::uint64_t device = 0;  // device number, or the volume's serial number on Windows
  std::uint64_t file = 0;    // inode, or the file index on Windows
  std::uint64_t size = 0;
  std::int64_t modified = 0;  // in the system's own unit (ns on POSIX, 100 ns on Windows)
  bool operator==(const FileIdentity&) const = default;
};

// The identity of the entry at the path (a link itself, not its target); nullopt when there is
// none.
std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path);

// The path as bytes that give the same path back through pathFromBytes, whatever it holds.
std::string pathBytes(const std::filesystem::path& path);
std::filesystem::path pathFromBytes(std::string_view bytes);

}  // namespace batora::platform
