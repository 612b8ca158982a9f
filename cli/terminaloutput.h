#pragma once
// Where batora-cli writes: results line by line to standard output, the window's box texts to
// standard error, and on a terminal one updating progress line. A control character of a text
// (from a file name) is written as "?", so that no name can forge a line or steer a terminal.

#include <ostream>
#include <string_view>

namespace batora::cli {

class TerminalOutput {
 public:
  TerminalOutput(std::ostream& out, bool outIsTerminal, std::ostream& err, bool errIsTerminal);

  bool outIsTerminal() const { return m_outIsTerminal; }
  // True once a write to standard output failed (the reader of a pipe has gone).
  bool outLost() const { return m_outLost; }
  void result(std::string_view line);
  // A line of a listing: on a terminal shown at once, into a pipe or a file written with the
  // next flush or any other output.
  void listed(std::string_view line);
  // Lines of a listing, each with its line end, that hold no control character already.
  void listedLines(std::string_view lines);
  void flush();
  // A box text; its CR LF line breaks become plain line ends.
  void message(std::string_view text);
  // A question's last line, left open for the answer.
  void prompt(std::string_view text);
  void beep();
  void progress(long done, long total);
  void endProgress();

 private:
  void clearProgress();
  void noteOutState();
  // Standard output first, so that the two streams keep their order where they end up together.
  void flushPending();

  std::ostream& m_out;
  std::ostream& m_err;
  bool m_outIsTerminal;
  bool m_errIsTerminal;
  bool m_progressShown = false;
  bool m_outLost = false;
  bool m_outPending = false;
};

}  // namespace batora::cli
