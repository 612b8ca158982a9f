#pragma once
// One folder as the file search reads it. The home platform's file system matches file-name
// patterns itself (folderscan_win.cpp); elsewhere WildcardPattern gives patterns the same
// meaning (folderscan_posix.cpp). No system type appears here.

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform.h"

namespace batora {

// The folder's files whose names match `pattern` and all its subfolders (links to folders left
// out), each in home order; nullopt when the folder cannot be read or the pattern is refused.
// A folder of many entries is read in batches, with the caller's pauses between them.
std::optional<platform::FolderListing> scanFolder(const std::filesystem::path& folder,
                                                  std::string_view pattern,
                                                  platform::ReadPauses pauses = {});

}  // namespace batora
