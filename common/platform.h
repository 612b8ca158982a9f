#pragma once
// What the operating system does differently: one small interface, one implementation file per
// platform (platform_posix.cpp; a Windows one beside it). No system type appears here.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "readpauses.h"

namespace batora::platform {

// A path as the system stores it, kept as plain text where many are held at once: a path object
// also keeps the list of its components, which costs more than the text itself.
using PathText = std::filesystem::path::string_type;

// The separator the program writes when it joins a folder and a name.
inline constexpr char kSeparator = static_cast<char>(std::filesystem::path::preferred_separator);

// Folder and name joined with the separator, unless the folder already ends with one.
inline std::filesystem::path joinPath(const std::filesystem::path& folder,
                                      const std::filesystem::path& name) {
  std::filesystem::path::string_type joined = folder.native();
  if (joined.empty() || joined.back() != std::filesystem::path::preferred_separator)
    joined += std::filesystem::path::preferred_separator;
  joined += name.native();
  return joined;
}

// The folder that holds the running executable.
std::filesystem::path programFolder();
// The running executable's file name without folder and extension.
std::string programName();

// Code page 932 (Shift_JIS). A character the code page cannot hold exactly (one that would come
// back as another character) is written as "?".
std::string utf8ToCp932(std::string_view utf8);
// Bytes that are not code page 932 come back as U+FFFD.
std::string cp932ToUtf8(std::string_view cp932);

// Milliseconds since an arbitrary start; wraps around like the classic tick count.
std::uint32_t tickCount();

struct LocalDateTime {
  int year = 2000, month = 1, day = 1, hour = 0, minute = 0, second = 0;
  bool operator==(const LocalDateTime&) const = default;
};
LocalDateTime localNow();

// Paths as the user reads and types them (UTF-8) and as the system stores them.
std::filesystem::path pathFromUtf8(std::string_view utf8);
// Bytes that are not valid UTF-8 in a file name are shown as U+FFFD.
std::string pathToUtf8(const std::filesystem::path& path);

enum class LookUp { kFound, kMissing, kFailed };
// Whether a file (or, when foldersCount, also a folder) exists at the path. Hidden entries count.
// kFailed: the look-up itself could not be carried out (malformed path, loop, I/O error).
LookUp lookUp(const std::filesystem::path& path, bool foldersCount);

// True when the path names a file that can be opened for reading (not a folder).
bool canReadFile(const std::filesystem::path& path);

// Whole file content, nullopt when it cannot be opened or read.
std::optional<std::string> readFile(const std::filesystem::path& path);

// Opens the file for appending (creating it), writes the bytes with one write, closes it. A
// write that fails or falls short is undone: the file is cut back to its length before, so the
// next record starts on a line of its own. writeAtMost caps that one write, which stands in for
// a disk that fills up midway.
bool appendToFile(const std::filesystem::path& path, std::string_view bytes,
                  std::size_t writeAtMost = std::string_view::npos);

// One folder's entries as the search needs them: names only, in the order the home platform's
// file system returns them (case-insensitive). Hidden entries are included.
struct FolderListing {
  // Regular files and links to files.
  std::vector<PathText> files;
  // Real folders; links to folders are left out so that a walk can never loop.
  std::vector<PathText> folders;
};
// nullopt when the folder cannot be read. A folder of many entries is read in batches, with the
// caller's pauses between them.
std::optional<FolderListing> readFolder(const std::filesystem::path& folder,
                                        ReadPauses pauses = {});

enum class RenameResult { kDone, kTargetExists, kFailed };
struct RenameOutcome {
  RenameResult result = RenameResult::kDone;
  // The system's description of a failure.
  std::string description;
};
// Renames (or moves within one volume) without ever replacing an existing file. A move across
// volumes fails; nothing is copied.
RenameOutcome renameNoReplace(const std::filesystem::path& from, const std::filesystem::path& to);

// True when both paths name the same directory entry: the same path, on a file system that
// ignores letter case also in another case. Another link to the same file is another entry.
bool sameEntry(const std::filesystem::path& a, const std::filesystem::path& b);

}  // namespace batora::platform
