#pragma once
// batora-cli's side of a rename run: each event becomes the line the window's user would read,
// the questions are answered from the command line or asked on the terminal, and the exit
// status follows from the event values alone.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "bsfunc.h"
#include "cliarguments.h"
#include "renameevents.h"
#include "terminaloutput.h"

namespace batora::cli {

inline constexpr int kExitAllRenamed = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitRefused = 2;
inline constexpr int kExitInterrupted = 3;

// Above this many files a terminal shows one progress line instead of a line per file.
inline constexpr long kProgressThreshold = 300;

// What the command line says about the questions a run asks.
struct AnswerPolicy {
  bool yes = false;
  std::optional<Collision> onCollision = std::nullopt;
  // Standard input is a terminal.
  bool canAsk = false;
};

// A question answered without the user: yes or no, whether the question is shown, and why.
struct AutoAnswer {
  bool yes = true;
  bool shown = true;
  std::string reason;
  bool operator==(const AutoAnswer&) const = default;
};

// nullopt: the user is asked.
std::optional<AutoAnswer> confirmationAnswer(const AnswerPolicy& policy);
std::optional<AutoAnswer> takenNameAnswer(const AnswerPolicy& policy);

// One typed answer: yes, no, or nullopt when the text is neither. An empty answer takes the
// first button, as Enter does in a box. okCancel: the buttons are OK and キャンセル.
std::optional<bool> typedAnswer(std::string_view typed, bool okCancel);

enum class RunOutcome { kRefused, kCancelled, kFailed, kEnded };

struct RunFacts {
  RunOutcome outcome = RunOutcome::kRefused;
  // Ctrl+C was pressed, or standard output was lost: either is the stop command.
  bool stopRequested = false;
  RunEnd end;
};

int exitStatus(const RunFacts& facts);

class CliRenameEvents final : public RenameEvents {
 public:
  // readLine: a line typed on the terminal, nullopt at its end or on an interrupt.
  // stopSignalled: whether Ctrl+C was pressed.
  CliRenameEvents(bsFunc& func, TerminalOutput& output, AnswerPolicy policy,
                  std::function<std::optional<std::string>()> readLine,
                  std::function<bool()> stopSignalled);

  // What to do between files once Ctrl+C was pressed or standard output was lost: the stop
  // command.
  void onStop(std::function<void()> stop) { m_stop = std::move(stop); }
  // The question before the first rename, when it is not the run's own (an undo's).
  void confirmWith(std::string text) { m_confirmation = std::move(text); }
  // The closing question of a run that got to its end; the command ends anyway, so Yes.
  void close(const RunEnd& end);
  RunFacts facts() const;

  void refused(const RenameRefusal& refusal) override;
  bool confirmStart(long total) override;
  void started(long total) override;
  void fileDone(const FileResult& result) override;
  bool skipTakenName(const FileResult& result) override;
  void lastNameTaken(const FileResult& result) override;
  void betweenFiles() override;
  void ended(const RunEnd& end) override;
  void failedUnexpectedly(std::string_view description) override;

 private:
  bool answer(std::string_view text, bool okCancel, const std::optional<AutoAnswer>& automatic);
  bool ask(std::string_view text, bool okCancel);
  bool stopRequested() const;

  bsFunc& m_func;
  TerminalOutput& m_output;
  AnswerPolicy m_policy;
  std::function<std::optional<std::string>()> m_readLine;
  std::function<bool()> m_stopSignalled;
  std::function<void()> m_stop;
  std::string m_confirmation;
  RunOutcome m_outcome = RunOutcome::kRefused;
  RunEnd m_end;
  long m_total = 0;
  long m_done = 0;
  bool m_progressLine = false;
};

}  // namespace batora::cli
