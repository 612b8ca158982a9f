#include "undorun.h"

#include <algorithm>
#include <exception>
#include <set>

#include "platform.h"
#include "renamelog.h"

namespace batora {
namespace fs = std::filesystem;

namespace {

std::string shown(const fs::path& path) {
  return platform::pathToUtf8(path);
}

// The steps an undo carries out in turn: the names they free and take, so that a chain the
// run renamed in order (b to c, then a to b) is judged as it will be met.
class PlannedDisk {
 public:
  bool occupied(const fs::path& path) const {
    if (m_taken.count(path)) return true;
    return !m_freed.count(path) && platform::fileIdentity(path).has_value();
  }
  void move(const fs::path& from, const fs::path& to) {
    m_taken.erase(from);
    m_freed.insert(from);
    m_freed.erase(to);
    m_taken.insert(to);
  }

 private:
  std::set<fs::path> m_freed, m_taken;
};

UndoCheck check(const JournalFile& file, const PlannedDisk& disk) {
  const auto now = platform::fileIdentity(file.newPath);
  const bool there = disk.occupied(file.newPath) && now;
  // Another file at the new name does not make this one "not the same" when it is back under its
  // old name already: a chain undone once has a file of the run at each of those names.
  if (file.identity && !(there && *now == *file.identity))
    return platform::fileIdentity(file.oldPath) == file.identity ? UndoCheck::kAlreadyBack
                                                                 : UndoCheck::kNotTheSame;
  // Died while renaming, and the rename never happened (or is undone already).
  if (!file.identity && !there) return UndoCheck::kAlreadyBack;
  return disk.occupied(file.oldPath) ? UndoCheck::kOldNameTaken : UndoCheck::kReady;
}

bool worthUndoing(const JournalFile& file) {
  if (file.oldPath == file.newPath) return false;
  return !file.outcome || *file.outcome == FileOutcome::kRenamed;
}

}  // namespace

std::vector<UndoStep> undoPlan(const JournalRun& recorded) {
  std::vector<UndoStep> steps;
  PlannedDisk disk;
  for (auto it = recorded.files.rbegin(); it != recorded.files.rend(); ++it) {
    if (!worthUndoing(*it)) continue;
    // A file the run died renaming, whose old name is still there, was never renamed.
    if (!it->outcome && platform::fileIdentity(it->oldPath)) continue;
    UndoStep step;
    step.file.index = static_cast<long>(steps.size());
    step.file.oldPath = it->newPath;
    step.file.newName = platform::pathToUtf8(it->oldPath.filename());
    step.file.newPath = it->oldPath;
    step.identity = it->identity;
    step.check = check(*it, disk);
    if (step.check == UndoCheck::kReady) disk.move(step.file.oldPath, step.file.newPath);
    steps.push_back(std::move(step));
  }
  return steps;
}

UndoRun::UndoRun(bsFunc& func, JournalRun recorded, RenameEvents& events)
    : m_func(func), m_recorded(std::move(recorded)), m_events(events) {}

std::optional<RunEnd> UndoRun::run() {
  try {
    std::vector<UndoStep> steps = undoPlan(m_recorded);
    m_alreadyBack = static_cast<long>(
        std::erase_if(steps, [](const UndoStep& s) { return s.check == UndoCheck::kAlreadyBack; }));
    for (size_t k = 0; k < steps.size(); ++k) steps[k].file.index = static_cast<long>(k);
    const long total = static_cast<long>(steps.size());
    if (!m_events.confirmStart(total)) return std::nullopt;
    // Cleared before the caller enables its stop commands, as a run does.
    m_stopRequested = false;
    m_events.started(total);
    if (m_journal)
      m_journal->start({0, RunKind::kUndo, m_func.clock().now(), m_recorded.start.folder, total,
                        m_recorded.start.id});
    OutputRenLog(m_func, "", "", "", true);
    RunEnd end;
    end.total = total;
    for (const UndoStep& step : steps) {
      if (m_stopRequested) {
        end.complete = false;
        break;
      }
      end.reached = step.file.index + 1;
      handleStep(step, end);
      m_events.betweenFiles();
    }
    finish(steps, end);
    return end;
  } catch (const std::exception& e) {
    if (m_journal) m_journal->end(JournalEnd::kFailed, RunEnd{});
    m_events.failedUnexpectedly(e.what());
    return std::nullopt;
  }
}

// The check is made again at the moment of the rename: the plan is as old as the question.
FileResult UndoRun::undoOne(const UndoStep& step) const {
  const PlannedName& file = step.file;
  const auto now = platform::fileIdentity(file.oldPath);
  if (!now || (step.identity && *now != *step.identity))
    return {file, FileOutcome::kNotTheSameFile};
  const platform::RenameOutcome outcome = platform::renameNoReplace(file.oldPath, file.newPath);
  switch (outcome.result) {
    case platform::RenameResult::kDone:
      return {file, FileOutcome::kRenamed};
    case platform::RenameResult::kTargetExists:
      return {file, FileOutcome::kNameTaken};
    default:
      return {file, FileOutcome::kFailed};
  }
}

// Nothing is asked for a taken name: the file is skipped and the caller told, as for the last
// file of a run.
void UndoRun::handleStep(const UndoStep& step, RunEnd& end) {
  if (m_journal) m_journal->before(step.file);
  const FileResult result = undoOne(step);
  if (m_journal) m_journal->after(result);
  const bool undone = result.outcome == FileOutcome::kRenamed;
  if (!undone) ++end.errors;
  m_events.fileDone(result);
  OutputRenLog(m_func, shown(step.file.oldPath), shown(step.file.newPath),
               undone ? kUndoneOk : kUndoFailed);
  if (result.outcome == FileOutcome::kNameTaken) m_events.lastNameTaken(result);
}

void UndoRun::finish(const std::vector<UndoStep>& steps, RunEnd& end) {
  if (m_journal) m_journal->end(end.complete ? JournalEnd::kComplete : JournalEnd::kStopped, end);
  if (end.complete) {
    m_events.ended(end);
    return;
  }
  if (end.reached < static_cast<long>(steps.size()))
    end.firstUntouched = steps[static_cast<size_t>(end.reached)].file;
  m_events.ended(end);
  const PlannedName next = end.firstUntouched.value_or(PlannedName{});
  OutputRenLog(m_func, shown(next.oldPath), shown(next.newPath), kUndoInterrupted);
}

}  // namespace batora
