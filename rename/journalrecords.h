#pragma once
// The run journal's text: one record per line, fields separated by tabs, paths written so that
// every byte comes back. What the writer composes the reader parses, and nothing else.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "fileidentity.h"
#include "platform.h"
#include "renameevents.h"

namespace batora {

enum class RunKind { kRename, kUndo };
// How a run's loop ended: got through, left at a question, stopped by the stop command (Ctrl+C
// in batora-cli), or broken off by an unexpected failure. A killed run writes no end.
enum class JournalEnd { kComplete, kLeftEarly, kStopped, kFailed };

// The start of a run as the journal keeps it.
struct JournalStart {
  long id = 0;
  RunKind kind = RunKind::kRename;
  platform::LocalDateTime time;
  std::filesystem::path folder;  // the listed folder
  long count = 0;
  long undoes = 0;  // an undo: the id of the run it reverses
  bool operator==(const JournalStart&) const = default;
};

// One file of a recorded run; the after part is missing when the run died while renaming it.
struct JournalFile {
  long index = 0;
  std::filesystem::path oldPath;
  std::filesystem::path newPath;
  std::optional<FileOutcome> outcome;
  std::optional<platform::FileIdentity> identity;  // of the renamed file under its new name
  bool operator==(const JournalFile&) const = default;
};

struct JournalRun {
  JournalStart start;
  std::vector<JournalFile> files;
  std::optional<JournalEnd> end;
  bool operator==(const JournalRun&) const = default;
};

// A path's bytes with "%XX" for control characters, "%" and bytes that are not UTF-8, so that
// the line stays readable text and a tab or line end in a name cannot break it.
std::string escapeBytes(std::string_view bytes);
// The same, appended to out.
void appendEscapedBytes(std::string& out, std::string_view bytes);
std::string unescapeBytes(std::string_view text);

// The records, each with its line end.
std::string startRecord(const JournalStart& start);
// A file's paths under the run's folder are written relative to it.
void appendBeforeRecord(std::string& out, const PlannedName& file,
                        const std::filesystem::path& folder);
void appendAfterRecord(std::string& out, const FileResult& result,
                       const std::optional<platform::FileIdentity>& identity);
std::string endRecord(JournalEnd how, const RunEnd& end);

// The run a journal file holds; nullopt when it has no start record or is of a version this
// program does not know. A last line without its line end (a write cut short) and lines it does
// not know are left out.
std::optional<JournalRun> parseJournalRun(std::string_view text);

}  // namespace batora
