#pragma once
// Runs a program as the user would, with standard input from /dev/null and both outputs
// collected, so that tests see its real exit status and texts.

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace batora::cli::testing {

struct ProcessResult {
  int exitStatus = -1;  // -1: ended by a signal
  std::string out;
  std::string err;
};

class ChildProcess {
 public:
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::filesystem::path& workingFolder);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Kills a child that is still running.
  ~ChildProcess();

  // Reads until the standard output collected so far satisfies `enough`; false when the
  // output ended first.
  bool readOutputUntil(const std::function<bool(const std::string& out)>& enough);
  void sendSignal(int signal);
  // Reads both outputs to their end and waits for the exit.
  ProcessResult finish();

 private:
  // Reads whatever one of the outputs has; false when both have ended.
  bool pump();

  pid_t m_pid = -1;
  int m_outFd = -1;
  int m_errFd = -1;
  ProcessResult m_result;
};

ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workingFolder);

}  // namespace batora::cli::testing
