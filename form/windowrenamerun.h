#pragma once
// The rename run as the window shows it: the lock, the status texts, the boxes, the stop
// command's captions and the closing question, on top of the engine's events. An undo of a
// recorded run is shown the same way, with its own question and a summary at its end.

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "bsfunc.h"
#include "clsobjctrl.h"
#include "journalrecords.h"
#include "namingrule.h"
#include "renameevents.h"
#include "renamerun.h"
#include "renametexts.h"
#include "toolkit.h"
#include "undorun.h"

namespace batora {

// The window as the run sees it.
class RenameHost {
 public:
  virtual ~RenameHost() = default;
  virtual Window& form() = 0;
  virtual ListBox& fileList() = 0;                       // lstFile
  virtual Command& stopButton() = 0;                     // cmdStop
  virtual Command& stopMenuItem() = 0;                   // mnStop
  virtual StatusBar& statusBar() = 0;                    // stbStatus
  virtual int findDirOption() const = 0;                 // the selected search depth, -1 when none
  virtual std::filesystem::path folderPath() const = 0;  // the folder list's path
  virtual int sortDescValue() const = 0;                 // ckbSortDesc
  // Yes at the closing question: the window unloads, which ends the program.
  virtual void unloadWindow() = 0;
  // After the fatal message: the process ends without any further window event.
  virtual void endAtOnce() = 0;
};

// The controls that stay enabled while a run locks the window.
const std::vector<std::string>& renameLockExceptions();

inline constexpr std::string_view kStopWaitingCaption = "待機中 . . .";

class WindowRenameRun final : private RenameEvents {
 public:
  WindowRenameRun(bsFunc& func, clsObjCtrl& objCtrl, NamingRule& rule, RenameHost& host);

  // The start command: checks, confirmation, the run (recorded in the journal) and the closing
  // question.
  void CmnStartRename();
  // Puts back the files of a recorded run after asking, with the run's lock, status texts, stop
  // command and list rebuild; a summary box takes the place of the closing question.
  void CmnUndoRename(JournalRun recorded);
  // The stop command: the run or undo leaves before its next file.
  void CmnStopRename();
  bool bStopRename() const { return m_undo ? m_undo->stopRequested() : m_run.stopRequested(); }

  // Called once a run or an undo has unlocked the window, which enabled every control it locked.
  std::function<void()> onUnlocked;

 private:
  void refused(const RenameRefusal& refusal) override;
  bool confirmStart(long total) override;
  void started(long total) override;
  void fileDone(const FileResult& result) override;
  bool skipTakenName(const FileResult& result) override;
  void lastNameTaken(const FileResult& result) override;
  void betweenFiles() override;
  void ended(const RunEnd& end) override;
  void failedUnexpectedly(std::string_view description) override;
  void closeRun(const RunEnd& end);
  void closeUndo(const RunEnd& end, long alreadyBack);
  void unlock();
  std::string_view place() const { return m_undo ? kUndoPlace : kRenamePlace; }

  bsFunc& m_func;
  clsObjCtrl& m_objCtrl;
  RenameHost& m_host;
  RenameRun m_run;
  UndoRun* m_undo = nullptr;  // the undo under way, if any
  std::string m_savedStopCaption;
  std::string m_savedStopMenuCaption;
};

}  // namespace batora
