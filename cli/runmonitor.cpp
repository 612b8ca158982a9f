#include "runmonitor.h"

namespace batora::cli {

namespace {

// The fixed texts the run writes into the status bar, the only place it reports each file.
constexpr std::string_view kFileRenamed = "のﾘﾈｰﾑ 正常終了";
constexpr std::string_view kFileFailed = "のﾘﾈｰﾑ 異常終了";
constexpr std::string_view kRunComplete = "ﾘﾈｰﾑ処理が完了しました。";
constexpr std::string_view kRunLeftEarly = "ﾘﾈｰﾑは中断されました。";

}  // namespace

RunMonitor::RunMonitor(TerminalOutput& output, long fileCount)
    : m_output(output),
      m_fileCount(fileCount),
      m_progressLine(output.outIsTerminal() && fileCount > kProgressThreshold) {}

void RunMonitor::statusText(std::string_view text) {
  bool routine = false;
  if (text.ends_with(kFileRenamed)) {
    ++m_observed.renamed;
    routine = true;
  } else if (text.ends_with(kFileFailed)) {
    ++m_observed.failed;
  } else if (text.starts_with(kRunComplete)) {
    m_observed.end = RunEnd::kComplete;
  } else if (text.starts_with(kRunLeftEarly)) {
    m_observed.end = RunEnd::kLeftEarly;
  }
  if (!m_progressLine || !routine) m_output.result(text);
  if (m_progressLine && m_observed.end == RunEnd::kNotReached)
    m_output.progress(m_observed.renamed + m_observed.failed, m_fileCount);
}

// A stop by Ctrl+C outranks failures: the user asked for the end, whatever else happened.
int exitStatus(const RunFacts& facts) {
  if (facts.endedAtOnce) return kExitSomeFailed;
  if (!facts.confirmationAsked) return kExitRefused;
  if (!facts.confirmed) return facts.stopSignalled ? kExitInterrupted : kExitRefused;
  if (facts.observed.end == RunEnd::kLeftEarly)
    return facts.stopSignalled ? kExitInterrupted : kExitSomeFailed;
  return facts.observed.failed > 0 ? kExitSomeFailed : kExitAllRenamed;
}

}  // namespace batora::cli
