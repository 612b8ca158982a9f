#pragma once
// The run journal: every run, with or without the rename log, leaves a file of records in a
// folder next to the rename log, from which an undo learns exactly which files it renamed.

#include <filesystem>
#include <optional>
#include <string>

#include "appendfile.h"
#include "clsinifile.h"
#include "journalrecords.h"

namespace batora {

// Runs kept in the journal; older ones are deleted when a run starts.
inline constexpr long kJournalRunsKept = 20;

// The journal's folder for the settings: beside the rename log, wherever that is.
std::filesystem::path journalFolder(const clsIniFile& settings);

class RunJournal {
 public:
  explicit RunJournal(std::filesystem::path folder, long keep = kJournalRunsKept);

  // Opens the record of a new run (its id is filled in). False when the journal cannot be
  // written; the run then goes on unrecorded.
  bool start(JournalStart start);
  // Before a file's rename: reaches the system before the rename is tried.
  void before(const PlannedName& file);
  // After the rename, with the identity of a renamed file. Written together with the next
  // record, which halves the system calls; a run killed in between leaves this file with its
  // before record alone, as a kill during the rename would.
  void after(const FileResult& result);
  void end(JournalEnd how, const RunEnd& end);

  // Whether a record could not be written.
  bool failed() const { return m_failed; }
  const std::filesystem::path& folder() const { return m_folder; }

 private:
  void write(std::string record);
  void prune() const;

  std::filesystem::path m_folder;
  long m_keep;
  std::optional<AppendFile> m_file;
  std::string m_pending;
  bool m_failed = false;
};

// The journal's run files, oldest first.
std::vector<std::filesystem::path> journalRunFiles(const std::filesystem::path& folder);

// The newest recorded run that renamed any file (or died renaming one); nullopt when there is
// none.
std::optional<JournalRun> lastRenamingRun(const std::filesystem::path& folder);

}  // namespace batora
