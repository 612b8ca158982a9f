#pragma once
// A self-cleaning temporary folder for tests that touch real files.

#include <filesystem>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace batora::testing {

class TempDir {
 public:
  // A folder that did not exist before: creating a folder fails when the name is taken, so a
  // name drawn at random is tried until one is free, on every platform alike.
  TempDir() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    const std::filesystem::path base = std::filesystem::temp_directory_path();
    for (int attempt = 0; attempt < 100; ++attempt) {
      const std::filesystem::path candidate = base / ("batora-test-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate)) {
        m_path = candidate;
        return;
      }
    }
    throw std::runtime_error("no free name for a temporary folder");
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  const std::filesystem::path& path() const { return m_path; }
  std::filesystem::path operator/(const std::filesystem::path& name) const { return m_path / name; }

  // Writes bytes exactly as given (creating parent folders); returns the file's path.
  std::filesystem::path write(const std::filesystem::path& name, std::string_view bytes) const {
    std::filesystem::path p = m_path / name;
    std::filesystem::create_directories(p.parent_path());
    std::ofstream(p, std::ios::binary) << bytes;
    return p;
  }
  std::filesystem::path mkdir(const std::filesystem::path& name) const {
    std::filesystem::path p = m_path / name;
    std::filesystem::create_directories(p);
    return p;
  }

 private:
  std::filesystem::path m_path;
};

inline std::string readBytes(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace batora::testing
