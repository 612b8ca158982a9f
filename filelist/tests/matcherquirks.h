#pragma once
// What the system's own file-name matching does beyond ours; one file per platform.

#include <filesystem>
#include <optional>

namespace batora::testing {

// The 8.3 short name the file system keeps beside the file's name, when it keeps one.
std::optional<std::filesystem::path> shortName(const std::filesystem::path& file);

// True under Wine. Its folder enumeration drops a pattern's trailing dots as it drops a path's,
// so that "*." lists every name there.
bool runningUnderWine();

}  // namespace batora::testing
