#pragma once
// What a rename run reported, read from its status texts as the window's user reads them, and
// the exit status that follows from it.

#include <string_view>

#include "terminaloutput.h"

namespace batora::cli {

inline constexpr int kExitAllRenamed = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitRefused = 2;
inline constexpr int kExitInterrupted = 3;

// Above this many files a terminal shows one progress line instead of a line per file.
inline constexpr long kProgressThreshold = 300;

enum class RunEnd { kNotReached, kComplete, kLeftEarly };

struct RunObservation {
  long renamed = 0;
  long failed = 0;
  RunEnd end = RunEnd::kNotReached;
  bool operator==(const RunObservation&) const = default;
};

// Passes the run's status texts on as result lines (or, for a big run on a terminal, as one
// progress line plus the failures and the final text) and keeps count of them.
class RunMonitor {
 public:
  RunMonitor(TerminalOutput& output, long fileCount);
  void statusText(std::string_view text);
  void finish() { m_output.endProgress(); }
  const RunObservation& observed() const { return m_observed; }

 private:
  TerminalOutput& m_output;
  long m_fileCount;
  bool m_progressLine;
  RunObservation m_observed;
};

struct RunFacts {
  bool confirmationAsked = false;
  bool confirmed = false;
  bool endedAtOnce = false;
  bool stopSignalled = false;
  RunObservation observed;
};

int exitStatus(const RunFacts& facts);

}  // namespace batora::cli
