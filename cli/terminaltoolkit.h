#pragma once
// The window toolkit on a terminal: boxes become texts on standard error, questions are asked
// on the terminal or answered from the command line, and a yield is where Ctrl+C reaches the run.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "cliarguments.h"
#include "terminaloutput.h"
#include "toolkit.h"

namespace batora::cli {

// What the command line says about the questions a run can ask.
struct AnswerPolicy {
  bool dryRun = false;
  bool yes = false;
  std::optional<Collision> onCollision = std::nullopt;
  // Standard input is a terminal.
  bool canAsk = false;
};

// A box answered without the user: the button, whether its text is shown, and why.
struct AutoAnswer {
  int button = mb::kIdOk;
  bool shown = true;
  std::string reason;
  bool operator==(const AutoAnswer&) const = default;
};

// nullopt: the user is asked.
std::optional<AutoAnswer> automaticAnswer(int style, const AnswerPolicy& policy);

// One typed answer to a box with these buttons: the button, or nullopt when the text is none
// of them. An empty answer takes the default button, as Enter does in a box.
std::optional<int> typedAnswer(std::string_view typed, int style);

class TerminalToolkit final : public Toolkit {
 public:
  // readLine: a line typed on the terminal, nullopt at its end or on an interrupt.
  // stopSignalled: whether Ctrl+C was pressed.
  TerminalToolkit(TerminalOutput& output, AnswerPolicy policy,
                  std::function<std::optional<std::string>()> readLine,
                  std::function<bool()> stopSignalled);

  // What a yield does once Ctrl+C was pressed: the stop command.
  void onStopRequest(std::function<void()> stop) { m_stop = std::move(stop); }
  // Whether the run got past its checks to the confirmation, and the answer it got there.
  bool confirmationAsked() const { return m_confirmationAsked; }
  bool confirmed() const { return m_confirmed; }

  int messageBox(std::string_view text, std::string_view title, int style) override;
  void beep() override { m_output.beep(); }
  void setMousePointer(int) override {}
  void yield() override;
  bool clipboardHasText() override { return false; }
  std::string clipboardText() override { return {}; }
  void setClipboardText(std::string_view) override {}
  bool startProgram(const std::string&, const std::vector<std::string>&) override { return false; }
  // 0: the shell's "out of memory or resources", the one code that names no file.
  int openDocument(const std::string&, const std::string&) override { return 0; }
  bool previousInstance() override { return false; }
  Size screenSizeTwips() override { return {}; }

 private:
  int ask(std::string_view text, int style);

  TerminalOutput& m_output;
  AnswerPolicy m_policy;
  std::function<std::optional<std::string>()> m_readLine;
  std::function<bool()> m_stopSignalled;
  std::function<void()> m_stop;
  bool m_confirmationAsked = false;
  bool m_confirmed = false;
};

}  // namespace batora::cli
