#pragma once
// What a rename run tells its caller and asks it, in values: a front end turns each event into
// its own output and never reads a text to learn a result.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace batora {

enum class FileOutcome {
  kRenamed,         // the file carries its new name (also when it already did)
  kNameTaken,       // another file holds the new name; nothing was replaced
  kFailed,          // any other failure of the rename
  kUnusableName,    // the rule gives no name a file may carry; nothing was tried
  kNotTheSameFile,  // an undo: the file is no longer the one the run renamed; nothing was tried
};

// Why a composed name cannot be used.
enum class NameFault {
  kNone,
  kEmpty,              // nothing at all
  kDotName,            // "." or "..": the folder itself or the one above it
  kReservedCharacter,  // one of \ / : * ? " < > |
  kControlCharacter,   // U+0000 to U+001F or DEL
};

// One file of a run and the name the rule gives it.
struct PlannedName {
  long index = 0;  // position in the run from 0; the sequence number is index + 1
  int row = -1;    // list row, -1 when the selection had no row for this position
  std::filesystem::path oldPath;
  std::string newName;  // without folder
  std::filesystem::path newPath;
  bool operator==(const PlannedName&) const = default;
};

struct FileResult {
  PlannedName file;
  FileOutcome outcome = FileOutcome::kRenamed;
  NameFault fault = NameFault::kNone;  // kUnusableName: why
  bool operator==(const FileResult&) const = default;
};

enum class RefusalKind {
  kNothingSelected,
  kDigitsNotANumber,
  kDigitsOutOfRange,  // maxDigits
  kTooManyFiles,      // digits, maxFiles
  kForbiddenCharacter,
};

// Why the checks refuse the rule for the selection.
struct RenameRefusal {
  RefusalKind kind = RefusalKind::kNothingSelected;
  long digits = 0;
  long maxDigits = 0;
  long maxFiles = 0;
  bool operator==(const RenameRefusal&) const = default;
};

// How a run ended. total is the selected count of the checks, also for a run left early;
// reached counts the files the loop got to.
struct RunEnd {
  bool complete = true;
  long total = 0;
  long errors = 0;
  long reached = 0;
  // A run left early: the first file it left untouched and the name it would have got.
  std::optional<PlannedName> firstUntouched;
  bool operator==(const RunEnd&) const = default;
};

// The caller's side of a run. Every call comes on the run's thread, in the order listed.
class RenameEvents {
 public:
  virtual ~RenameEvents() = default;
  // The checks refused; nothing was changed or logged.
  virtual void refused(const RenameRefusal& refusal) = 0;
  // Whether to start renaming `total` files; false leaves everything as it was.
  virtual bool confirmStart(long total) = 0;
  // Confirmed: the run begins (before its start log line).
  virtual void started(long total) = 0;
  // A file was handled (before its log line).
  virtual void fileDone(const FileResult& result) = 0;
  // The new name of a file that is not the last one is taken: true skips it and goes on,
  // false leaves the run.
  virtual bool skipTakenName(const FileResult& result) = 0;
  // The new name of the last file is taken: the file is skipped, the caller is only told.
  virtual void lastNameTaken(const FileResult& result) = 0;
  // After every file: where a stop request can reach the run.
  virtual void betweenFiles() = 0;
  // The loop is over (before the interruption log line of a run left early).
  virtual void ended(const RunEnd& end) = 0;
  // A failure no file outcome covers; the run has stopped where it was, nothing is tidied.
  virtual void failedUnexpectedly(std::string_view description) = 0;
};

}  // namespace batora
