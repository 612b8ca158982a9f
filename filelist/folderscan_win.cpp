#include <windows.h>

#include "folderscan.h"
#include "nameorder.h"
#include "winsupport_win.h"

namespace batora {
namespace fs = std::filesystem;
using win::FindHandle;

namespace {

// The system matches the pattern with its own rules, which is what the user of a Windows
// program expects, quirks included: it also tries each name's 8.3 short form, so "*.htm"
// lists "page.html" (short name PAGE~1.HTM) on a volume that keeps short names. Every entry
// that is not a folder is a file here: read-only, hidden, system and archive files, and links
// to files.
std::optional<std::vector<platform::PathText>> matchingFiles(const fs::path& folder,
                                                             std::string_view pattern,
                                                             platform::ReadPauses pauses) {
  WIN32_FIND_DATAW entry{};
  FindHandle find(platform::joinPath(folder, platform::pathFromUtf8(pattern)), entry);
  std::vector<platform::PathText> files;
  if (!find.valid()) {
    if (::GetLastError() == ERROR_FILE_NOT_FOUND) return files;
    return std::nullopt;
  }
  do {
    pauses.beforeEntry();
    if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
      files.emplace_back(std::wstring(entry.cFileName));
  } while (::FindNextFileW(find.get(), &entry));
  if (::GetLastError() != ERROR_NO_MORE_FILES) return std::nullopt;
  pauses.beforeOrdering();
  sortInHomeOrder(files);
  return files;
}

}  // namespace

std::optional<platform::FolderListing> scanFolder(const fs::path& folder, std::string_view pattern,
                                                  platform::ReadPauses pauses) {
  std::optional<platform::FolderListing> listing = platform::readFolder(folder, pauses);
  if (!listing) return std::nullopt;
  std::optional<std::vector<platform::PathText>> files =
      matchingFiles(folder, pattern, std::move(pauses));
  if (!files) return std::nullopt;
  listing->files = std::move(*files);
  return listing;
}

}  // namespace batora
