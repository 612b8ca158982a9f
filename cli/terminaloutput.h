#pragma once
// Where batora-cli writes: results line by line to standard output, the window's box texts to
// standard error, and on a terminal one updating progress line.

#include <ostream>
#include <string_view>

namespace batora::cli {

class TerminalOutput {
 public:
  TerminalOutput(std::ostream& out, bool outIsTerminal, std::ostream& err, bool errIsTerminal);

  bool outIsTerminal() const { return m_outIsTerminal; }
  void result(std::string_view line);
  // A box text; its CR LF line breaks become plain line ends.
  void message(std::string_view text);
  // A question's last line, left open for the answer.
  void prompt(std::string_view text);
  void beep();
  void progress(long done, long total);
  void endProgress();

 private:
  void clearProgress();

  std::ostream& m_out;
  std::ostream& m_err;
  bool m_outIsTerminal;
  bool m_errIsTerminal;
  bool m_progressShown = false;
};

}  // namespace batora::cli
