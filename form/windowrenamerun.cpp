#include "windowrenamerun.h"

#include <cstdint>
#include <exception>

#include "renametexts.h"

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

void WindowRenameRun::CmnStartRename() {
  const std::optional<RunEnd> end = m_run.run();
  if (!end) return;
  try {
    closeRun(*end);
  } catch (const std::exception& e) {
    failedUnexpectedly(e.what());
  }
}

void WindowRenameRun::CmnStopRename() {
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
bool WindowRenameRun::confirmStart(long) {
  return m_func.toolkit().messageBox(confirmationText(), kAppTitle,
                                     mb::kOkCancel | mb::kQuestion) == mb::kIdOk;
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
    m_func.SetStatusText(m_host.statusBar(), fileStatusText(result), kStatusIntervalMs);
  else
    m_func.SetStatusText(m_host.statusBar(), fileStatusText(result));
}

bool WindowRenameRun::skipTakenName(const FileResult& result) {
  return m_func.ShowErrMsg(1, takenNameText(result, false), mb::kYesNo | mb::kExclamation,
                           kRenamePlace) != mb::kIdNo;
}

void WindowRenameRun::lastNameTaken(const FileResult& result) {
  m_func.ShowErrMsg(1, takenNameText(result, true), mb::kExclamation, kRenamePlace);
}

// The stop command reaches the run here, through the window's event processing.
void WindowRenameRun::betweenFiles() {
  m_func.toolkit().yield();
}

void WindowRenameRun::ended(const RunEnd& end) {
  m_func.SetStatusText(m_host.statusBar(), runEndStatusText(end));
}

void WindowRenameRun::failedUnexpectedly(std::string_view description) {
  m_func.ShowErrMsg(0, unexpectedFailureText(description), mb::kCritical, kRenamePlace);
  m_host.endAtOnce();
}

// No at the closing question: the folder is searched again, because the names have changed,
// and sorted by name so that the new names come in their order.
void WindowRenameRun::closeRun(const RunEnd& end) {
  const int answer =
      m_func.ShowErrMsg(1, closingQuestionText(end), mb::kYesNo | mb::kQuestion, kRenamePlace);
  if (answer == mb::kIdYes) {
    m_host.unloadWindow();
    return;
  }
  m_objCtrl.SetFileList(m_host.form(), m_host.folderPath(), m_host.findDirOption(),
                        m_host.statusBar());
  m_objCtrl.SortList(m_host.form(), 1, m_host.sortDescValue() == 1 ? 1 : 0);
  SetCtrlsEnabled(m_host.form(), true, renameLockExceptions());
  m_host.stopButton().setEnabled(false);
  m_host.stopButton().setCaption(m_savedStopCaption);
  m_host.stopMenuItem().setEnabled(false);
  m_host.stopMenuItem().setCaption(m_savedStopMenuCaption);
  m_func.toolkit().setMousePointer(kPointerDefault);
}

}  // namespace batora
