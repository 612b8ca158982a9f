#pragma once
// The command line of batora-cli: what the user asked for, before anything is read or searched.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace batora::cli {

enum class SortKey { kName, kExtension };
enum class Collision { kSkip, kStop };

// Rows of the list, 1-based, both ends included.
struct RowRange {
  long first = 0;
  long last = 0;
  bool operator==(const RowRange&) const = default;
};

struct CliOptions {
  std::optional<std::string> folder;
  std::optional<std::string> pattern;
  std::optional<int> depth;
  std::optional<SortKey> sort;
  bool descending = false;
  std::optional<std::string> name;
  std::optional<std::string> extension;
  // Kept as typed: the run's own checks judge it, with the window's messages.
  std::optional<std::string> digits;
  bool numberFirst = false;
  // Empty: every row.
  std::vector<RowRange> select;
  std::optional<std::string> iniFile;
  bool list = false;
  bool dryRun = false;
  // Reverse the last recorded run instead of renaming.
  bool undo = false;
  bool yes = false;
  std::optional<Collision> onCollision;
  bool help = false;
  bool operator==(const CliOptions&) const = default;
};

// Either options or the reason they were refused, in Japanese.
struct ParsedArguments {
  std::optional<CliOptions> options;
  std::string error;
};

ParsedArguments parseArguments(const std::vector<std::string>& args);

// "1-5,8" and the like; nullopt when the text is not such a list.
std::optional<std::vector<RowRange>> parseRowSelection(std::string_view text);

std::string helpText();

}  // namespace batora::cli
