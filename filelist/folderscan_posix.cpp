#include <algorithm>

#include "folderscan.h"
#include "wildcardpattern.h"

namespace batora {

// One reading of the folder serves both lists; filtering keeps the home order.
std::optional<platform::FolderListing> scanFolder(const std::filesystem::path& folder,
                                                  std::string_view pattern) {
  std::optional<platform::FolderListing> listing = platform::readFolder(folder);
  if (!listing) return std::nullopt;
  const WildcardPattern matcher(pattern);
  std::erase_if(listing->files,
                [&matcher](const std::filesystem::path& name) { return !matcher.matches(name); });
  return listing;
}

}  // namespace batora
