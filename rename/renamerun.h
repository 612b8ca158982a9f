#pragma once
// The rename run: checks the rule against the selection, renames the selected files in list
// order without ever replacing a file, writes the rename log, and tells its caller every step
// through RenameEvents. It shows no box, writes no status text and locks nothing.

#include <optional>
#include <string_view>

#include "bsfunc.h"
#include "clsobjctrl.h"
#include "folderhandles.h"
#include "namingplan.h"
#include "namingrule.h"
#include "renameevents.h"
#include "renamelog.h"
#include "runjournal.h"
#include "toolkit.h"

namespace batora {

class RenameRun {
 public:
  // list: the file list whose selection is renamed; events: the caller's side.
  RenameRun(bsFunc& func, clsObjCtrl& objCtrl, const NamingRule& rule, ListBox& list,
            RenameEvents& events);

  // One run from the checks to the end of the loop. nullopt when it never started (refused,
  // not confirmed) or failed unexpectedly.
  std::optional<RunEnd> run();
  // The stop command: the run leaves before its next file.
  void requestStop() { m_stopRequested = true; }
  // Where the run is recorded for an undo; none: unrecorded.
  void setJournal(RunJournal* journal) { m_journal = journal; }
  bool stopRequested() const { return m_stopRequested; }

 private:
  FileResult renameOne(PlannedName file);
  // Handles file k; false when the caller chose to leave the run.
  bool handleFile(PlannedName file, RunEnd& end);
  void leaveEarly(const NamingPlan& plan, RunEnd& end);
  void journalStart(const NamingPlan& plan);
  void journalEnd(const RunEnd& end);

  bsFunc& m_func;
  clsObjCtrl& m_objCtrl;
  const NamingRule& m_rule;
  ListBox& m_list;
  RenameEvents& m_events;
  RunJournal* m_journal = nullptr;
  bool m_recording = false;  // the journal took the run's start
  bool m_stopRequested = false;
  // The log of the run under way, and the folders it renames in.
  std::optional<RenameLog> m_log;
  std::optional<platform::FolderHandles> m_folders;
};

// Why the rule cannot be applied to the selection; nullopt when it can. Checked in this order:
// a selection, a number of digits, 1 to 4 digits, few enough files for the digits, no
// forbidden character in the common part.
std::optional<RenameRefusal> renameRefusal(long selectedCount, std::string_view digitsText,
                                           std::string_view commonPart);

}  // namespace batora
