#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <utility>

#include "appendfile.h"

namespace batora {

std::optional<AppendFile> AppendFile::createNew(const std::filesystem::path& path) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
  if (fd < 0) return std::nullopt;
  return AppendFile(fd);
}

void AppendFile::close() {
  if (m_handle >= 0) ::close(static_cast<int>(std::exchange(m_handle, -1)));
}

bool AppendFile::append(std::string_view bytes) {
  if (m_handle < 0) return false;
  while (!bytes.empty()) {
    const ssize_t n = ::write(static_cast<int>(m_handle), bytes.data(), bytes.size());
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    bytes.remove_prefix(static_cast<size_t>(n));
  }
  return true;
}

}  // namespace batora
