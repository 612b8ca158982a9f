#include "clirenameevents.h"

#include "renametexts.h"
#include "text.h"

namespace batora::cli {

namespace {

std::string_view buttonName(bool yes, bool okCancel) {
  if (okCancel) return yes ? "OK" : "キャンセル";
  return yes ? "はい" : "いいえ";
}

std::string lowerAscii(std::string text) {
  for (char& c : text)
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  return text;
}

}  // namespace

std::optional<AutoAnswer> confirmationAnswer(const AnswerPolicy& policy) {
  if (policy.yes) return AutoAnswer{true, false, {}};
  if (policy.canAsk) return std::nullopt;
  return AutoAnswer{false, true,
                    "端末がないため確認できません。リネームするには --yes を指定してください。"};
}

std::optional<AutoAnswer> takenNameAnswer(const AnswerPolicy& policy) {
  if (policy.onCollision == Collision::kSkip) return AutoAnswer{true, true, "--on-collision skip"};
  if (policy.onCollision == Collision::kStop) return AutoAnswer{false, true, "--on-collision stop"};
  if (policy.canAsk) return std::nullopt;
  return AutoAnswer{
      false, true, "端末がないため中断します。続けるには --on-collision skip を指定してください。"};
}

std::optional<bool> typedAnswer(std::string_view typed, bool okCancel) {
  const std::string answer = trimBlanks(typed);
  if (answer.empty()) return true;
  const std::string lower = lowerAscii(answer);
  if (lower == "y" || lower == "yes" || answer == buttonName(true, okCancel)) return true;
  if (okCancel && lower == "ok") return true;
  if (lower == "n" || lower == "no" || answer == buttonName(false, okCancel)) return false;
  return std::nullopt;
}

// A stop by Ctrl+C outranks failures: the user asked for the end, whatever else happened.
int exitStatus(const RunFacts& facts) {
  switch (facts.outcome) {
    case RunOutcome::kRefused:
      return kExitRefused;
    case RunOutcome::kCancelled:
      return facts.stopRequested ? kExitInterrupted : kExitRefused;
    case RunOutcome::kFailed:
      return kExitSomeFailed;
    case RunOutcome::kEnded:
      if (!facts.end.complete) return facts.stopRequested ? kExitInterrupted : kExitSomeFailed;
      return facts.end.errors > 0 ? kExitSomeFailed : kExitAllRenamed;
  }
  return kExitSomeFailed;
}

CliRenameEvents::CliRenameEvents(bsFunc& func, TerminalOutput& output, AnswerPolicy policy,
                                 std::function<std::optional<std::string>()> readLine,
                                 std::function<bool()> stopSignalled)
    : m_func(func),
      m_output(output),
      m_policy(policy),
      m_readLine(std::move(readLine)),
      m_stopSignalled(std::move(stopSignalled)) {}

RunFacts CliRenameEvents::facts() const {
  return {m_outcome, stopRequested(), m_end};
}

// A reader that has gone (`batora-cli … | head -1`) cannot learn of any later file: the run
// stops as at Ctrl+C, after the file under way and its record, rather than rename on unseen.
bool CliRenameEvents::stopRequested() const {
  return m_output.outLost() || (m_stopSignalled && m_stopSignalled());
}

void CliRenameEvents::refused(const RenameRefusal& refusal) {
  m_outcome = RunOutcome::kRefused;
  m_func.ShowErrMsg(0, refusalMessage(refusal), mb::kExclamation, kRenamePlace);
}

bool CliRenameEvents::confirmStart(long) {
  const bool yes = answer(m_confirmation.empty() ? confirmationText() : m_confirmation, true,
                          confirmationAnswer(m_policy));
  if (!yes) m_outcome = RunOutcome::kCancelled;
  return yes;
}

void CliRenameEvents::started(long total) {
  m_total = total;
  m_progressLine = m_output.outIsTerminal() && total > kProgressThreshold;
}

// Every file is a result line a script may rely on, so none is dropped; only a big run on a
// terminal folds the successes into one progress line.
void CliRenameEvents::fileDone(const FileResult& result) {
  ++m_done;
  if (!m_progressLine || result.outcome != FileOutcome::kRenamed)
    m_output.result(fileStatusText(result));
  if (m_progressLine) m_output.progress(m_done, m_total);
}

bool CliRenameEvents::skipTakenName(const FileResult& result) {
  m_output.beep();
  return answer(takenNameText(result, false), false, takenNameAnswer(m_policy));
}

void CliRenameEvents::lastNameTaken(const FileResult& result) {
  m_output.beep();
  m_output.message(takenNameText(result, true));
}

void CliRenameEvents::betweenFiles() {
  if (m_stop && stopRequested()) m_stop();
}

void CliRenameEvents::ended(const RunEnd& end) {
  m_outcome = RunOutcome::kEnded;
  m_end = end;
  m_output.result(runEndStatusText(end));
}

void CliRenameEvents::failedUnexpectedly(std::string_view description) {
  m_outcome = RunOutcome::kFailed;
  m_output.endProgress();
  m_func.ShowErrMsg(0, unexpectedFailureText(description), mb::kCritical, kRenamePlace);
}

void CliRenameEvents::close(const RunEnd& end) {
  m_output.endProgress();
  m_output.beep();
  answer(closingQuestionText(end), false, AutoAnswer{true, true, "自動"});
}

bool CliRenameEvents::answer(std::string_view text, bool okCancel,
                             const std::optional<AutoAnswer>& automatic) {
  if (!automatic) return ask(text, okCancel);
  if (automatic->shown) {
    m_output.message(text);
    std::string line = "→ " + std::string(buttonName(automatic->yes, okCancel));
    if (!automatic->reason.empty()) line += "（" + automatic->reason + "）";
    m_output.message(line);
  }
  return automatic->yes;
}

bool CliRenameEvents::ask(std::string_view text, bool okCancel) {
  m_output.message(text);
  const std::string choices =
      okCancel ? "OK(y) / キャンセル(n) [y]: " : "はい(y) / いいえ(n) [y]: ";
  for (;;) {
    m_output.prompt(choices);
    std::optional<std::string> line = m_readLine ? m_readLine() : std::nullopt;
    if (!line) {
      // The answer line never came (end of input, Ctrl+C): close the prompt's line.
      m_output.message("");
      return false;
    }
    if (std::optional<bool> yes = typedAnswer(*line, okCancel)) return *yes;
  }
}

}  // namespace batora::cli
