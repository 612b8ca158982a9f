#include <fcntl.h>
#include <sys/stat.h>

#include "fileidentity_posix.h"

namespace batora::platform {

std::optional<FileIdentity> fileIdentity(const std::filesystem::path& path) {
  return fileIdentityAt(AT_FDCWD, path.c_str());
}

std::optional<FileIdentity> fileIdentityAt(int folder, const char* name) {
  struct stat st {};
  if (::fstatat(folder, name, &st, AT_SYMLINK_NOFOLLOW) != 0) return std::nullopt;
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
