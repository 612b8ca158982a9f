#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>

#include "fileidentity_posix.h"
#include "folderhandles.h"

namespace batora::platform {
namespace {

constexpr size_t kFoldersKept = 4;

struct Entry {
  std::string_view folder;
  const char* name;
};

// The folder part and the name of a path, without building a path object for each file.
Entry split(const std::string& path) {
  const size_t slash = path.rfind('/');
  if (slash == std::string::npos) return {".", path.c_str()};
  return {std::string_view(path).substr(0, slash == 0 ? 1 : slash), path.c_str() + slash + 1};
}

}  // namespace

FolderHandles::~FolderHandles() {
  for (const OpenFolder& open : m_open) ::close(static_cast<int>(open.handle));
}

// The latest used folder moves to the back, so that taking a second folder never closes the
// first one just taken.
std::intptr_t FolderHandles::handleOf(std::string_view folder) {
  const auto known = std::find_if(m_open.begin(), m_open.end(),
                                  [&](const OpenFolder& open) { return open.path == folder; });
  if (known != m_open.end()) {
    std::rotate(known, known + 1, m_open.end());
    return m_open.back().handle;
  }
  OpenFolder opened{std::string(folder), -1};
  m_open.reserve(kFoldersKept);
  opened.handle = ::open(opened.path.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
  if (opened.handle < 0) return -1;
  if (m_open.size() == kFoldersKept) {
    ::close(static_cast<int>(m_open.front().handle));
    m_open.erase(m_open.begin());
  }
  m_open.push_back(std::move(opened));
  return m_open.back().handle;
}

// Whatever goes wrong is left to the rename by path, which tells every failure apart and falls
// back to a link where the file system cannot rename without replacing.
RenameOutcome FolderHandles::renameNoReplace(const std::filesystem::path& from,
                                             const std::filesystem::path& to) {
  const Entry source = split(from.native());
  const Entry target = split(to.native());
  const auto sourceFolder = handleOf(source.folder);
  const auto targetFolder = source.folder == target.folder ? sourceFolder : handleOf(target.folder);
  if (sourceFolder >= 0 && targetFolder >= 0 &&
      ::renameat2(static_cast<int>(sourceFolder), source.name, static_cast<int>(targetFolder),
                  target.name, RENAME_NOREPLACE) == 0)
    return {};
  return platform::renameNoReplace(from, to);
}

std::optional<FileIdentity> FolderHandles::identity(const std::filesystem::path& path) {
  const Entry entry = split(path.native());
  const auto folder = handleOf(entry.folder);
  if (folder < 0) return fileIdentity(path);
  return fileIdentityAt(static_cast<int>(folder), entry.name);
}

}  // namespace batora::platform
