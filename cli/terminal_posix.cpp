#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <csignal>

#include "terminal.h"

namespace batora::cli {

namespace {

// A signal handler can reach nothing but a global; it only sets this flag, which is all a
// handler may safely do.
volatile std::sig_atomic_t g_stopSignalled = 0;

void onInterrupt(int) {
  g_stopSignalled = 1;
}

}  // namespace

std::vector<std::string> commandLineArguments(int argc, char* argv[]) {
  return std::vector<std::string>(argv + 1, argv + argc);
}

// Terminals here read UTF-8 already, and the C library writes bytes as they are. A closed pipe
// must not kill the program between a rename and its log record: the write fails instead, and
// the run takes that as the stop command.
void setUpOutputs() {
  ::signal(SIGPIPE, SIG_IGN);
}

bool isTerminal(Stream stream) {
  switch (stream) {
    case Stream::kIn:
      return ::isatty(STDIN_FILENO) == 1;
    case Stream::kOut:
      return ::isatty(STDOUT_FILENO) == 1;
    case Stream::kErr:
      return ::isatty(STDERR_FILENO) == 1;
  }
  return false;
}

// poll, unlike a read restarted by SA_RESTART, returns when a signal arrives, so that Ctrl+C
// at a question ends the wait.
std::optional<std::string> readInputLine(const std::function<bool()>& interrupted) {
  std::string line;
  for (;;) {
    pollfd input{STDIN_FILENO, POLLIN, 0};
    if (::poll(&input, 1, -1) < 0) {
      if (errno == EINTR && !interrupted()) continue;
      return std::nullopt;
    }
    char c = 0;
    const ssize_t n = ::read(STDIN_FILENO, &c, 1);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return std::nullopt;
    if (c == '\n') return line;
    line += c;
  }
}

// SA_RESTART: an interrupt must not break the write of a result line that is under way.
// SA_RESETHAND: a second Ctrl+C, for a rename that hangs, ends the program at once.
void armStopSignal() {
  struct sigaction action {};
  action.sa_handler = onInterrupt;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART | SA_RESETHAND;
  ::sigaction(SIGINT, &action, nullptr);
}

bool stopSignalled() {
  return g_stopSignalled != 0;
}

}  // namespace batora::cli
