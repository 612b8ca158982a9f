#pragma once
// The run journal: every run, with or without the rename log, leaves a file of records in a
// folder next to the rename log, from which an undo learns exactly which files it renamed.

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

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

  // File k of the run as it is planned now, for k below the start's count; it is read before the
  // next call. (A pointer: a function that returns a file by value cannot pass for one.)
  using Upcoming = std::function<const PlannedName*(long k)>;

  // Opens the record of a new run (its id is filled in). False when the journal cannot be
  // written; the run then goes on unrecorded. upcoming lets the before records of the next
  // files go out in one write.
  bool start(JournalStart start, Upcoming upcoming = {});
  // Before a file's rename: its record has reached the system before the rename is tried.
  void before(const PlannedName& file);
  // After the rename, with the identity of a renamed file. Kept until the next write: a run
  // killed before that leaves the file with its before record alone, which an undo checks on
  // the disk.
  void after(const FileResult& result);
  // The same with the identity the caller took of the renamed file (nullopt: not moved).
  void after(const FileResult& result, const std::optional<platform::FileIdentity>& identity);
  void end(JournalEnd how, const RunEnd& end);

  // Whether a record could not be written.
  bool failed() const { return m_failed; }
  const std::filesystem::path& folder() const { return m_folder; }

 private:
  // Writes what is pending: the after records so far and whatever was added behind them.
  void flush();
  void prune() const;

  std::filesystem::path m_folder;
  long m_keep;
  std::optional<AppendFile> m_file;
  std::filesystem::path m_runFolder;
  std::string m_pending;
  long m_count = 0;
  Upcoming m_upcoming;
  // The files whose before records are written ahead, from file m_aheadFrom on.
  std::vector<std::filesystem::path::string_type> m_ahead;
  long m_aheadFrom = 0;
  bool m_failed = false;
};

// The journal's run files, oldest first.
std::vector<std::filesystem::path> journalRunFiles(const std::filesystem::path& folder);

// The newest recorded run that renamed any file (or died renaming one); nullopt when there is
// none.
std::optional<JournalRun> lastRenamingRun(const std::filesystem::path& folder);

}  // namespace batora
