// What every system's append file shares: ownership of the one handle moves, never copies.

#include "appendfile.h"

#include <utility>

namespace batora {

AppendFile::AppendFile(AppendFile&& other) noexcept : m_handle(std::exchange(other.m_handle, -1)) {}

AppendFile& AppendFile::operator=(AppendFile&& other) noexcept {
  if (this != &other) {
    close();
    m_handle = std::exchange(other.m_handle, -1);
  }
  return *this;
}

AppendFile::~AppendFile() {
  close();
}

}  // namespace batora
