#pragma once
// The window toolkit on a terminal: a box becomes its text on standard error. Only notices get
// here (a search failure, a log that cannot be written, a fatal message); a run's questions
// come through its events.

#include <string>
#include <string_view>

#include "terminaloutput.h"
#include "toolkit.h"

namespace batora::cli {

class TerminalToolkit final : public Toolkit {
 public:
  explicit TerminalToolkit(TerminalOutput& output) : m_output(output) {}

  // Shows the text and answers the box's first button, as Enter would.
  int messageBox(std::string_view text, std::string_view title, int style) override;
  void beep() override { m_output.beep(); }
  void setMousePointer(int) override {}
  // The command line takes no input while it works: nothing is pending.
  void yield() override {}
  bool clipboardHasText() override { return false; }
  std::string clipboardText() override { return {}; }
  void setClipboardText(std::string_view) override {}
  bool startProgram(const std::string&, const std::vector<std::string>&) override { return false; }
  // 0: the shell's "out of memory or resources", the one code that names no file.
  int openDocument(const std::string&, const std::string&) override { return 0; }
  bool previousInstance() override { return false; }
  Size screenSizeTwips() override { return {}; }

 private:
  TerminalOutput& m_output;
};

}  // namespace batora::cli
