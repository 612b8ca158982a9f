#include "terminaloutput.h"

#include <string>

#include "text.h"

namespace batora::cli {

namespace {

std::string withPlainLineEnds(std::string_view text) {
  std::string plain;
  plain.reserve(text.size());
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    plain += text[i];
  }
  return plain;
}

}  // namespace

TerminalOutput::TerminalOutput(std::ostream& out, bool outIsTerminal, std::ostream& err,
                               bool errIsTerminal)
    : m_out(out), m_err(err), m_outIsTerminal(outIsTerminal), m_errIsTerminal(errIsTerminal) {}

// Flushed line by line: a script or a person watching the output sees each file as it is done.
void TerminalOutput::result(std::string_view line) {
  clearProgress();
  m_out << printable(line) << '\n' << std::flush;
  m_outPending = false;
  noteOutState();
}

// One flushed write per line cost a listing of many files more than reading the folders did;
// a terminal still shows each line as it comes.
void TerminalOutput::listed(std::string_view line) {
  clearProgress();
  m_out << printable(line) << '\n';
  if (m_outIsTerminal) m_out << std::flush;
  m_outPending = !m_outIsTerminal;
  noteOutState();
}

void TerminalOutput::listedLines(std::string_view lines) {
  clearProgress();
  m_out.write(lines.data(), static_cast<std::streamsize>(lines.size()));
  if (m_outIsTerminal) m_out << std::flush;
  m_outPending = !m_outIsTerminal;
  noteOutState();
}

void TerminalOutput::flush() {
  m_out << std::flush;
  m_outPending = false;
  noteOutState();
}

void TerminalOutput::flushPending() {
  if (m_outPending) flush();
}

// The box texts break their lines with CR LF; a lone CR or LF comes from a file name.
void TerminalOutput::message(std::string_view text) {
  clearProgress();
  flushPending();
  m_err << withPlainLineEnds(printable(text, true)) << '\n' << std::flush;
}

void TerminalOutput::prompt(std::string_view text) {
  clearProgress();
  flushPending();
  m_err << printable(text) << std::flush;
}

// A bell in a pipe or a file would only be a stray control character.
void TerminalOutput::beep() {
  flushPending();
  if (m_errIsTerminal) m_err << '\a' << std::flush;
}

void TerminalOutput::progress(long done, long total) {
  if (!m_outIsTerminal) return;
  m_out << "\r\x1b[Kﾘﾈｰﾑ中 " << groupedNumber(done) << " / " << groupedNumber(total) << std::flush;
  m_progressShown = true;
  noteOutState();
}

void TerminalOutput::endProgress() {
  clearProgress();
}

// Any other output first takes the progress line away, so that it never ends up glued to the
// front of a message; the next progress call draws it again below.
void TerminalOutput::clearProgress() {
  if (!m_progressShown) return;
  m_out << "\r\x1b[K" << std::flush;
  m_progressShown = false;
  noteOutState();
}

void TerminalOutput::noteOutState() {
  if (!m_out) m_outLost = true;
}

}  // namespace batora::cli
