#include "terminaltoolkit.h"

#include "text.h"

namespace batora::cli {

namespace {

bool isConfirmation(int style) {
  return mb::buttonsOf(style) == mb::kOkCancel;
}

// Of the run's two Yes/No questions, the collision question carries the exclamation icon and
// the closing question the question mark.
bool isCollisionQuestion(int style) {
  return mb::buttonsOf(style) == mb::kYesNo && mb::iconOf(style) == mb::kExclamation;
}

std::string_view buttonName(int button) {
  switch (button) {
    case mb::kIdOk:
      return "OK";
    case mb::kIdCancel:
      return "キャンセル";
    case mb::kIdYes:
      return "はい";
    case mb::kIdNo:
      return "いいえ";
    default:
      return "";
  }
}

// Closing a box from its frame, or leaving a question unanswered, means its second button.
int negativeButton(int style) {
  return isConfirmation(style) ? mb::kIdCancel : mb::kIdNo;
}

}  // namespace

std::optional<AutoAnswer> automaticAnswer(int style, const AnswerPolicy& policy) {
  switch (mb::buttonsOf(style)) {
    case mb::kOkCancel:
      // The dry run only needs to know that the checks passed: the run asks for confirmation
      // after its checks and before it changes or logs anything.
      if (policy.dryRun) return AutoAnswer{mb::kIdCancel, false, {}};
      if (policy.yes) return AutoAnswer{mb::kIdOk, false, {}};
      if (policy.canAsk) return std::nullopt;
      return AutoAnswer{
          mb::kIdCancel, true,
          "端末がないため確認できません。リネームするには --yes を指定してください。"};
    case mb::kYesNo:
      if (!isCollisionQuestion(style)) {
        // "…を終了しますか？": the command ends after its run anyway, and Yes skips the rebuild
        // of a list that nobody would see.
        return AutoAnswer{mb::kIdYes, true, "自動"};
      }
      if (policy.onCollision == Collision::kSkip)
        return AutoAnswer{mb::kIdYes, true, "--on-collision skip"};
      if (policy.onCollision == Collision::kStop)
        return AutoAnswer{mb::kIdNo, true, "--on-collision stop"};
      if (policy.canAsk) return std::nullopt;
      return AutoAnswer{
          mb::kIdNo, true,
          "端末がないため中断します。続けるには --on-collision skip を指定してください。"};
    default:
      return AutoAnswer{mb::kIdOk, true, {}};
  }
}

std::optional<int> typedAnswer(std::string_view typed, int style) {
  const std::string answer = trimBlanks(typed);
  const bool confirmation = isConfirmation(style);
  const int positive = confirmation ? mb::kIdOk : mb::kIdYes;
  const int negative = negativeButton(style);
  if (answer.empty()) return positive;
  const std::string lower = [&] {
    std::string s = answer;
    for (char& c : s)
      if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
  }();
  if (lower == "y" || lower == "yes" || answer == buttonName(positive)) return positive;
  if (confirmation && lower == "ok") return positive;
  if (lower == "n" || lower == "no" || answer == buttonName(negative)) return negative;
  return std::nullopt;
}

TerminalToolkit::TerminalToolkit(TerminalOutput& output, AnswerPolicy policy,
                                 std::function<std::optional<std::string>()> readLine,
                                 std::function<bool()> stopSignalled)
    : m_output(output),
      m_policy(policy),
      m_readLine(std::move(readLine)),
      m_stopSignalled(std::move(stopSignalled)) {}

int TerminalToolkit::messageBox(std::string_view text, std::string_view, int style) {
  int answer;
  if (std::optional<AutoAnswer> automatic = automaticAnswer(style, m_policy)) {
    if (automatic->shown) {
      m_output.message(text);
      if (mb::buttonsOf(style) != mb::kOkOnly) {
        std::string line = "→ " + std::string(buttonName(automatic->button));
        if (!automatic->reason.empty()) line += "（" + automatic->reason + "）";
        m_output.message(line);
      }
    }
    answer = automatic->button;
  } else {
    answer = ask(text, style);
  }
  if (isConfirmation(style)) {
    m_confirmationAsked = true;
    m_confirmed = answer == mb::kIdOk;
  }
  return answer;
}

int TerminalToolkit::ask(std::string_view text, int style) {
  m_output.message(text);
  const std::string choices =
      isConfirmation(style) ? "OK(y) / キャンセル(n) [y]: " : "はい(y) / いいえ(n) [y]: ";
  for (;;) {
    m_output.prompt(choices);
    std::optional<std::string> line = m_readLine ? m_readLine() : std::nullopt;
    if (!line) {
      // The answer line never came (end of input, Ctrl+C): close the prompt's line.
      m_output.message("");
      return negativeButton(style);
    }
    if (std::optional<int> answer = typedAnswer(*line, style)) return *answer;
  }
}

// The run yields after every file; Ctrl+C reaches it here, as a click on the stop button
// reaches the window's run in its event processing. Asking again at every yield is harmless
// (the stop command only sets the flag) and covers a stop pressed before the run reset it.
void TerminalToolkit::yield() {
  if (m_stop && m_stopSignalled && m_stopSignalled()) m_stop();
}

}  // namespace batora::cli
