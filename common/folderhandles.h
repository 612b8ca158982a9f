#pragma once
// The folders of a run, kept open while it renames: each rename and look-up then names only an
// entry of an open folder, and the system does not walk the whole path again for every file.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fileidentity.h"
#include "platform.h"

namespace batora::platform {

class FolderHandles {
 public:
  FolderHandles() = default;
  FolderHandles(const FolderHandles&) = delete;
  FolderHandles& operator=(const FolderHandles&) = delete;
  ~FolderHandles();

  // As platform::renameNoReplace: an existing entry is never replaced.
  RenameOutcome renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);
  // As platform::fileIdentity.
  std::optional<FileIdentity> identity(const std::filesystem::path& path);

 private:
  struct OpenFolder {
    std::filesystem::path::string_type path;
    std::intptr_t handle;
  };
  // The handle of the folder, opened on first use; -1 when it cannot be opened.
  std::intptr_t handleOf(std::basic_string_view<std::filesystem::path::value_type> folder);

  // The latest folders used, newest last (a run names files in one folder, or in a few).
  std::vector<OpenFolder> m_open;
};

}  // namespace batora::platform
