#include "matcherquirks.h"

namespace batora::testing {

// POSIX file systems know one name per directory entry.
std::optional<std::filesystem::path> shortName(const std::filesystem::path&) {
  return std::nullopt;
}

bool runningUnderWine() {
  return false;
}

}  // namespace batora::testing
