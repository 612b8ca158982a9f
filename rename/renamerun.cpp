#include "renamerun.h"

#include <exception>

#include "fileoutcome.h"
#include "namingplan.h"
#include "platform.h"
#include "renamelog.h"

namespace batora {
namespace fs = std::filesystem;

namespace {

constexpr std::string_view kForbiddenInName = "\\/:*?\"<>|";
constexpr long kMaxDigits = 4;

std::string shown(const fs::path& path) {
  return platform::pathToUtf8(path);
}

}  // namespace

std::optional<RenameRefusal> renameRefusal(long selectedCount, std::string_view digitsText,
                                           std::string_view commonPart) {
  if (selectedCount <= 0) return RenameRefusal{RefusalKind::kNothingSelected};
  const std::optional<long> digits = numberValue(digitsText);
  if (!digits) return RenameRefusal{RefusalKind::kDigitsNotANumber};
  if (*digits < 1 || *digits > kMaxDigits)
    return RenameRefusal{RefusalKind::kDigitsOutOfRange, *digits, kMaxDigits};
  // The limit as the first d + 1 characters of "100000": 10 to the power d.
  const long limit = std::stol(std::string("100000").substr(0, static_cast<size_t>(*digits) + 1));
  if (selectedCount >= limit)
    return RenameRefusal{RefusalKind::kTooManyFiles, *digits, kMaxDigits, limit - 1};
  if (commonPart.find_first_of(kForbiddenInName) != std::string_view::npos)
    return RenameRefusal{RefusalKind::kForbiddenCharacter, *digits};
  return std::nullopt;
}

RenameRun::RenameRun(bsFunc& func, clsObjCtrl& objCtrl, const NamingRule& rule, ListBox& list,
                     RenameEvents& events)
    : m_func(func), m_objCtrl(objCtrl), m_rule(rule), m_list(list), m_events(events) {}

std::optional<RunEnd> RenameRun::run() {
  try {
    const long selectedCount = m_list.selectedCount();
    if (const auto refusal =
            renameRefusal(selectedCount, m_rule.digitsText(), m_rule.commonPartText())) {
      m_events.refused(*refusal);
      return std::nullopt;
    }
    if (!m_events.confirmStart(selectedCount)) return std::nullopt;
    // Cleared before the caller enables its stop commands: a stop that comes during the
    // start-up's first yield (a key typed ahead, a click queued at OK) must hold.
    m_stopRequested = false;
    m_events.started(selectedCount);

    const NamingPlan plan(m_objCtrl, m_rule, selectedRows(m_list),
                          *numberValue(m_rule.digitsText()));
    journalStart(plan);
    m_log.emplace(m_func);
    m_log->write("", "", "", true);
    // Open only while the run renames: a folder held open afterwards would keep the user from
    // ejecting the card the photos are on.
    m_folders.emplace();

    // The count of the checks is the count the summary reports, even when the run ends early.
    RunEnd end;
    end.total = selectedCount;
    for (long k = 0; k < selectedCount; ++k) {
      if (m_stopRequested) {
        end.complete = false;
        break;
      }
      end.reached = k + 1;
      const bool goOn = handleFile(plan.at(k), end);
      m_events.betweenFiles();
      if (!goOn) {
        end.complete = false;
        break;
      }
    }
    m_folders.reset();
    journalEnd(end);
    if (!end.complete) {
      leaveEarly(plan, end);
    } else {
      m_events.ended(end);
    }
    return end;
  } catch (const std::exception& e) {
    m_folders.reset();
    if (m_journal) m_journal->end(JournalEnd::kFailed, RunEnd{});
    m_events.failedUnexpectedly(e.what());
    return std::nullopt;
  }
}

void RenameRun::journalStart(const NamingPlan& plan) {
  // A journal that cannot be written leaves the run unrecorded, and the run takes no identities.
  m_recording = m_journal && m_journal->start({0, RunKind::kRename, m_func.clock().now(),
                                               m_objCtrl.CurrentPath(), plan.size()},
                                              [&plan](long k) { return &plan.ahead(k); });
}

void RenameRun::journalEnd(const RunEnd& end) {
  if (!m_journal) return;
  const JournalEnd how = end.complete      ? JournalEnd::kComplete
                         : m_stopRequested ? JournalEnd::kStopped
                                           : JournalEnd::kLeftEarly;
  m_journal->end(how, end);
}

FileResult RenameRun::renameOne(PlannedName file) {
  return settleFile(std::move(file), [this](const fs::path& from, const fs::path& to) {
    return m_folders->renameNoReplace(from, to).result;
  });
}

bool RenameRun::handleFile(PlannedName file, RunEnd& end) {
  if (m_recording) m_journal->before(file);
  const FileResult result = renameOne(std::move(file));
  const PlannedName& done = result.file;
  if (m_recording)
    m_journal->after(result, movedEntry(result) ? m_folders->identity(done.newPath) : std::nullopt);
  const bool renamed = result.outcome == FileOutcome::kRenamed;
  if (!renamed) ++end.errors;
  m_events.fileDone(result);
  m_log->write(shown(done.oldPath), shown(done.newPath), renamed ? kRenamedOk : kRenameFailed);
  if (result.outcome != FileOutcome::kNameTaken) return true;
  if (done.index < end.total - 1) return m_events.skipTakenName(result);
  m_events.lastNameTaken(result);
  return true;
}

// The log line of the interruption names the first file left untouched and the name it would
// have got, so that a reader of the log can tell where to pick up.
void RenameRun::leaveEarly(const NamingPlan& plan, RunEnd& end) {
  if (end.reached < plan.size()) end.firstUntouched = plan.at(end.reached);
  m_events.ended(end);
  const PlannedName next = end.firstUntouched.value_or(PlannedName{});
  m_log->write(shown(next.oldPath), shown(next.newPath), kRenameInterrupted);
}

}  // namespace batora
