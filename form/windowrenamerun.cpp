#include "windowrenamerun.h"

#include <cstdint>
#include <exception>

#include "runjournal.h"

namespace batora {

namespace {

// Successful files come faster than anyone reads; repainting for each would slow a big run.
constexpr std::uint32_t kStatusIntervalMs = 100;

}  // namespace

const std::vector<std::string>& renameLockExceptions() {
  static const std::vector<std::string> names{"cmdStop", "mnStop",   "mnFile",   "mnEdit",
                                              "mnView",  "mnOption", "mnActive", "mnHelp"};
  return names;
}

WindowRenameRun::WindowRenameRun(bsFunc& func, clsObjCtrl& objCtrl, NamingRule& rule,
                                 RenameHost& host)
    : m_func(func),
      m_objCtrl(objCtrl),
      m_host(host),
      m_run(func, objCtrl, rule, host.fileList(), *this) {}

// Every run is recorded, rename log on or off, so that the menu's undo can reverse it. A journal
// that cannot be written leaves the run unrecorded and the undo item as it was.
void WindowRenameRun::CmnStartRename() {
  RunJournal journal(journalFolder(m_func.settings()));
  m_run.setJournal(&journal);
  const std::optional<RunEnd> end = m_run.run();
  m_run.setJournal(nullptr);
  if (!end) return;
  try {
    closeRun(*end);
  } catch (const std::exception& e) {
    failedUnexpectedly(e.what());
  }
}

void WindowRenameRun::CmnUndoRename(JournalRun recorded) {
  RunJournal journal(journalFolder(m_func.settings()));
  UndoRun undo(m_func, std::move(recorded), *this);
  undo.setJournal(&journal);
  // The events and the stop command reach the undo until it is closed, on every way out.
  struct Active {
    UndoRun*& slot;
    ~Active() { slot = nullptr; }
  } active{m_undo = &undo};
  const std::optional<RunEnd> end = undo.run();
  if (!end) return;
  try {
    closeUndo(*end, undo.alreadyBack());
  } catch (const std::exception& e) {
    failedUnexpectedly(e.what());
  }
}

void WindowRenameRun::CmnStopRename() {
  if (m_undo)
    m_undo->requestStop();
  else
    m_run.requestStop();
  m_host.stopButton().setEnabled(false);
  m_host.stopButton().setCaption(std::string(kStopWaitingCaption));
  m_host.stopMenuItem().setEnabled(false);
  m_host.stopMenuItem().setCaption(std::string(kStopWaitingCaption));
}

void WindowRenameRun::refused(const RenameRefusal& refusal) {
  m_func.ShowErrMsg(0, refusalMessage(refusal), mb::kExclamation, kRenamePlace);
}

// A plain box: no beep, never logged.
bool WindowRenameRun::confirmStart(long total) {
  return m_func.toolkit().messageBox(m_undo ? undoConfirmationText(total) : confirmationText(),
                                     kAppTitle, mb::kOkCancel | mb::kQuestion) == mb::kIdOk;
}

void WindowRenameRun::started(long) {
  Toolkit& toolkit = m_func.toolkit();
  toolkit.setMousePointer(kPointerHourglass);
  SetCtrlsEnabled(m_host.form(), false, renameLockExceptions());
  m_host.stopButton().setEnabled(true);
  m_savedStopCaption = m_host.stopButton().caption();
  m_host.stopMenuItem().setEnabled(true);
  m_savedStopMenuCaption = m_host.stopMenuItem().caption();
  toolkit.yield();
}

// Failures always show; successes only when the last one is old enough.
void WindowRenameRun::fileDone(const FileResult& result) {
  if (result.outcome == FileOutcome::kRenamed)
    m_func.SetStatusTextWhenDue(
        m_host.statusBar(), [&result] { return fileStatusText(result); }, kStatusIntervalMs);
  else
    m_func.SetStatusText(m_host.statusBar(), fileStatusText(result));
}

bool WindowRenameRun::skipTakenName(const FileResult& result) {
  return m_func.ShowErrMsg(1, takenNameText(result, false), mb::kYesNo | mb::kExclamation,
                           place()) != mb::kIdNo;
}

void WindowRenameRun::lastNameTaken(const FileResult& result) {
  m_func.ShowErrMsg(1, takenNameText(result, true), mb::kExclamation, place());
}

// The stop command reaches the run here, through the window's event processing.
void WindowRenameRun::betweenFiles() {
  m_func.toolkit().yield();
}

void WindowRenameRun::ended(const RunEnd& end) {
  m_func.SetStatusText(m_host.statusBar(), runEndStatusText(end));
}

void WindowRenameRun::failedUnexpectedly(std::string_view description) {
  m_func.ShowErrMsg(0, unexpectedFailureText(description), mb::kCritical, place());
  m_host.endAtOnce();
}

void WindowRenameRun::closeRun(const RunEnd& end) {
  const int answer =
      m_func.ShowErrMsg(1, closingQuestionText(end), mb::kYesNo | mb::kQuestion, kRenamePlace);
  if (answer == mb::kIdYes) {
    m_host.unloadWindow();
    return;
  }
  unlock();
}

// A skipped file is worth the user's look, so the box then warns.
void WindowRenameRun::closeUndo(const RunEnd& end, long alreadyBack) {
  m_func.ShowErrMsg(1, undoSummaryText(end, alreadyBack),
                    end.errors > 0 ? mb::kExclamation : mb::kInformation, kUndoPlace);
  unlock();
}

// The folder is searched again, because the names have changed, and sorted by name so that the
// new names come in their order.
void WindowRenameRun::unlock() {
  m_objCtrl.SetFileList(m_host.form(), m_host.folderPath(), m_host.findDirOption(),
                        m_host.statusBar());
  m_objCtrl.SortList(m_host.form(), 1, m_host.sortDescValue() == 1 ? 1 : 0);
  SetCtrlsEnabled(m_host.form(), true, renameLockExceptions());
  m_host.stopButton().setEnabled(false);
  m_host.stopButton().setCaption(m_savedStopCaption);
  m_host.stopMenuItem().setEnabled(false);
  m_host.stopMenuItem().setCaption(m_savedStopMenuCaption);
  m_func.toolkit().setMousePointer(kPointerDefault);
  if (onUnlocked) onUnlocked();
}

}  // namespace batora
