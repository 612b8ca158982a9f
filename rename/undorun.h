#pragma once
// Undo of a recorded run: puts back, newest first, every file the run renamed, with the same
// never-replace rename, and only where the file is still the one the run renamed. It reports
// through RenameEvents like a run, writes the rename log and is itself recorded in the journal.

#include <optional>
#include <vector>

#include "bsfunc.h"
#include "journalrecords.h"
#include "renameevents.h"
#include "runjournal.h"

namespace batora {

// What an undo finds for one file before it tries anything.
enum class UndoCheck {
  kReady,         // the file is there and its old name is free
  kAlreadyBack,   // the file carries its old name again; nothing to do
  kNotTheSame,    // no file under the new name, or another one (changed, replaced or moved)
  kOldNameTaken,  // another file holds the old name
};

// One file to put back: file.oldPath is where the run put it, file.newPath where it came from.
struct UndoStep {
  PlannedName file;
  std::optional<platform::FileIdentity> identity;  // nullopt: the run died renaming it
  UndoCheck check = UndoCheck::kReady;
  bool operator==(const UndoStep&) const = default;
};

// The files of a recorded run an undo reverses, newest first, each checked against the disk as
// it is now; a name an earlier step frees or takes counts as freed or taken.
std::vector<UndoStep> undoPlan(const JournalRun& recorded);

class UndoRun {
 public:
  UndoRun(bsFunc& func, JournalRun recorded, RenameEvents& events);

  // Where the undo itself is recorded; none: unrecorded.
  void setJournal(RunJournal* journal) { m_journal = journal; }
  // Confirmation, then every step that is not back already. nullopt when it never started or
  // failed unexpectedly.
  std::optional<RunEnd> run();
  void requestStop() { m_stopRequested = true; }
  bool stopRequested() const { return m_stopRequested; }
  // The files of the last run() that carried their old names again and were left alone.
  long alreadyBack() const { return m_alreadyBack; }

 private:
  FileResult undoOne(const UndoStep& step) const;
  void handleStep(const UndoStep& step, RunEnd& end);
  void finish(const std::vector<UndoStep>& steps, RunEnd& end);

  bsFunc& m_func;
  JournalRun m_recorded;
  RenameEvents& m_events;
  RunJournal* m_journal = nullptr;
  bool m_stopRequested = false;
  long m_alreadyBack = 0;
};

}  // namespace batora
