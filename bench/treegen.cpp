#include "treegen.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <string_view>
#include <system_error>

namespace batora::bench {
namespace fs = std::filesystem;

namespace {

// Owns a directory stream.
class DirStream {
 public:
  explicit DirStream(const std::string& path) : m_dir(::opendir(path.c_str())) {
    if (!m_dir) throw std::system_error(errno, std::generic_category(), "opendir " + path);
  }
  DirStream(const DirStream&) = delete;
  DirStream& operator=(const DirStream&) = delete;
  ~DirStream() { ::closedir(m_dir); }
  DIR* get() const { return m_dir; }

 private:
  DIR* m_dir;
};

// `folder` is a buffer the walk extends and cuts back, so that a path costs one copy.
void walkInto(std::string& folder, std::vector<std::string>& paths) {
  DirStream dir(folder);
  const std::size_t length = folder.size();
  while (const dirent* entry = ::readdir(dir.get())) {
    if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0) continue;
    folder += '/';
    folder += entry->d_name;
    if (entry->d_type == DT_REG)
      paths.push_back(folder);
    else if (entry->d_type == DT_DIR)
      walkInto(folder, paths);
    folder.resize(length);
  }
}

// Part of the cache folder's name: a generator that lays out other trees must never reuse a
// tree built by an older one, and the old one is not deleted (see cachedTree).
constexpr std::string_view kTreeVersion = "v1";
constexpr std::string_view kMarkerName = "complete";

// The same names as Japanese desktops have them, spaces included. Siblings differ, so one list
// serves every level.
constexpr std::array<std::string_view, 10> kFolderNames = {
    "写真", "DCIM",   "資料 2024", "new folder", "Music",
    "書類", "backup", "旅行 京都", "src",        "ﾀﾞｳﾝﾛｰﾄﾞ"};
constexpr int kLevels = 3;

constexpr std::array<std::string_view, 11> kExtensions = {"jpg", "JPG",  "png",    "PNG", "txt", "",
                                                          "mp4", "Jpeg", "tar.gz", "PDF", ""};

// Every name carries its own index, which keeps the names of one call distinct.
std::string fileName(std::size_t index, Generator& random) {
  const std::string number = std::to_string(index);
  std::string name;
  switch (random.below(7)) {
    case 0:
    case 1:
      name = "IMG_" + std::string(number.size() < 6 ? 6 - number.size() : 0, '0') + number;
      break;
    case 2:
      name = "写真 " + number;
      break;
    case 3:
      name = "ｽｸﾘｰﾝｼｮｯﾄ " + number;
      break;
    case 4:
      name = "Report final " + number;
      break;
    case 5:
      name = "メモ" + number;
      break;
    default:
      name = "2023-08-15 旅行 清水寺 (" + number + ")";
      break;
  }
  const std::string_view extension = kExtensions[random.below(kExtensions.size())];
  if (!extension.empty()) {
    name += '.';
    name += extension;
  }
  return name;
}

[[noreturn]] void fail(const std::string& what) {
  throw std::system_error(errno, std::generic_category(), what);
}

// A folder that is there already counts as made: a build that stopped half way goes on.
void makeFolder(const fs::path& folder) {
  if (::mkdir(folder.c_str(), 0755) != 0 && errno != EEXIST) fail("mkdir " + folder.string());
}

void makeEmptyFile(const fs::path& file) {
  const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_CLOEXEC, 0644);
  if (fd < 0) fail("create " + file.string());
  ::close(fd);
}

void addFolders(const fs::path& parent, int level, std::vector<fs::path>& folders) {
  if (level > kLevels) return;
  for (std::string_view name : kFolderNames) {
    // A copy: the vector grows below, which would leave a reference into it dangling.
    const fs::path folder = parent / name;
    folders.push_back(folder);
    addFolders(folder, level + 1, folders);
  }
}

std::string shapeText(std::size_t fileCount, std::size_t folderCount) {
  return "files=" + std::to_string(fileCount) + " folders=" + std::to_string(folderCount) + "\n";
}

}  // namespace

std::vector<fs::path> treeFolders() {
  std::vector<fs::path> folders;
  addFolders({}, 1, folders);
  return folders;
}

std::vector<std::string> fileNames(std::size_t count, std::uint64_t seed) {
  Generator random(seed);
  std::vector<std::string> names;
  names.reserve(count);
  for (std::size_t i = 0; i < count; ++i) names.push_back(fileName(i, random));
  return names;
}

// On ext4, freeing many thousands of inodes makes later file creation slow for minutes (freed
// inodes are not reused at once), which would disturb every benchmark that creates files
// afterwards. So the tree is built once, completed in place when an earlier build stopped half
// way (creating a file that exists is harmless), and never deleted. The marker goes in last and
// by rename, so a tree it vouches for is always whole.
fs::path cachedTree(std::size_t fileCount) {
  const fs::path cache =
      fs::temp_directory_path() /
      ("batora-bench-tree-" + std::string(kTreeVersion) + "-" + std::to_string(fileCount));
  const fs::path root = cache / "tree";
  const fs::path marker = cache / kMarkerName;
  if (fs::exists(marker)) return root;

  makeFolder(cache);
  makeFolder(root);
  const std::vector<fs::path> folders = treeFolders();
  for (const fs::path& folder : folders) makeFolder(root / folder);
  const std::vector<std::string> names = fileNames(fileCount, fileCount);
  Generator placement(~static_cast<std::uint64_t>(fileCount));
  for (const std::string& name : names) {
    // Slot 0 is the root itself.
    const std::size_t slot = placement.below(folders.size() + 1);
    makeEmptyFile((slot == 0 ? root : root / folders[slot - 1]) / name);
  }
  const fs::path pending = cache / (std::string(kMarkerName) + ".part");
  std::ofstream(pending) << shapeText(fileCount, folders.size());
  fs::rename(pending, marker);
  return root;
}

void filePool(const fs::path& folder, std::size_t count) {
  if (::mkdir(folder.c_str(), 0755) != 0) fail("mkdir " + folder.string());
  for (std::size_t k = 0; k < count; ++k) {
    const fs::path file = folder / std::to_string(k);
    const int fd = ::open(file.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
    if (fd < 0 || ::close(fd) != 0) fail("create " + file.string());
  }
}

void linkedFolder(const fs::path& folder, const fs::path& pool,
                  const std::vector<std::string>& names) {
  if (::mkdir(folder.c_str(), 0755) != 0) fail("mkdir " + folder.string());
  for (std::size_t k = 0; k < names.size(); ++k) {
    const fs::path target = pool / std::to_string(k);
    const fs::path link = folder / names[k];
    if (::link(target.c_str(), link.c_str()) != 0) fail("link " + link.string());
  }
}

std::vector<std::string> readdirWalk(const fs::path& root) {
  std::string folder = root.native();
  std::vector<std::string> paths;
  walkInto(folder, paths);
  return paths;
}

}  // namespace batora::bench
