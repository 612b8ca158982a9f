#include <algorithm>
#include <utility>

#include "folderscan.h"
#include "wildcardpattern.h"

namespace batora {

// One reading of the folder serves both lists; filtering keeps the home order.
std::optional<platform::FolderListing> scanFolder(const std::filesystem::path& folder,
                                                  std::string_view pattern,
                                                  platform::ReadPauses pauses) {
  std::optional<platform::FolderListing> listing = platform::readFolder(folder, std::move(pauses));
  if (!listing) return std::nullopt;
  const WildcardPattern matcher(pattern);
  if (matcher.matchesAll()) return listing;
  std::erase_if(listing->files,
                [&matcher](const platform::PathText& name) { return !matcher.matches(name); });
  return listing;
}

}  // namespace batora
