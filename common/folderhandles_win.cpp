#include "folderhandles.h"

namespace batora::platform {

// Windows renames by path (MoveFileExW has no form relative to an open folder), so no folder is
// ever kept open here.
FolderHandles::~FolderHandles() = default;

RenameOutcome FolderHandles::renameNoReplace(const std::filesystem::path& from,
                                             const std::filesystem::path& to) {
  return platform::renameNoReplace(from, to);
}

std::optional<FileIdentity> FolderHandles::identity(const std::filesystem::path& path) {
  return fileIdentity(path);
}

}  // namespace batora::platform
