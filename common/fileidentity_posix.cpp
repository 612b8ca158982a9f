#include <sys/stat.h>

#include "fileidentity.h"

namespace batora::platform {

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path) {
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
  return FileIdentity{
      static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
      static_cast<std::uint64_t>(st.st_size),
      static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec};
}

// A POSIX path is bytes already.
std::string pathBytes(const std::filesystem::path& path) {
  return path.native();
}

std::filesystem::path pathFromBytes(std::string_view bytes) {
  return std::filesystem::path(std::string(bytes));
}

}  // namespace batora::platform
