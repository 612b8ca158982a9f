#include "fileoutcome.h"

#include <array>

namespace batora {

// The characters the home platform refuses in a name are refused everywhere: a name that holds
// one could not be copied to the cards and sticks that photos come from. A control character
// would break every line that shows the name.
NameFault nameFault(std::string_view newName) {
  if (newName.empty()) return NameFault::kEmpty;
  if (newName == "." || newName == "..") return NameFault::kDotName;
  static constexpr auto kReserved = [] {
    std::array<bool, 0x80> reserved{};
    for (const char c : std::string_view("\\/:*?\"<>|")) reserved[static_cast<size_t>(c)] = true;
    return reserved;
  }();
  bool anyReserved = false;
  for (const char c : newName) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return NameFault::kControlCharacter;
    anyReserved = anyReserved || (byte < 0x80 && kReserved[byte]);
  }
  return anyReserved ? NameFault::kReservedCharacter : NameFault::kNone;
}

bool movedEntry(const FileResult& result) {
  return result.outcome == FileOutcome::kRenamed &&
         result.file.oldPath.native() != result.file.newPath.native();
}

// Only the very same path counts as already named. Another link of the same file is another
// directory entry, and taking its name would leave the old name standing; a name that differs
// in letter case only is a real rename where the file system ignores case, and `move` does it.
FileResult settleFile(PlannedName file, const MoveNoReplace& move) {
  auto outcome = [&](FileOutcome how, NameFault fault = NameFault::kNone) {
    return FileResult{std::move(file), how, fault};
  };
  if (file.oldPath.empty()) return outcome(FileOutcome::kFailed);
  if (const NameFault fault = nameFault(file.newName); fault != NameFault::kNone)
    return outcome(FileOutcome::kUnusableName, fault);
  if (file.oldPath.native() == file.newPath.native()) return outcome(FileOutcome::kRenamed);
  switch (move(file.oldPath, file.newPath)) {
    case platform::RenameResult::kDone:
      return outcome(FileOutcome::kRenamed);
    case platform::RenameResult::kTargetExists:
      return outcome(FileOutcome::kNameTaken);
    case platform::RenameResult::kFailed:
      break;
  }
  return outcome(FileOutcome::kFailed);
}

}  // namespace batora
