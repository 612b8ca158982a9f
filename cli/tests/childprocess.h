#pragma once
// Runs a program as the user would, with standard input from the null device and both outputs
// collected, so that tests see its real exit status and texts. One implementation file per
// platform (childprocess_posix.cpp, childprocess_win.cpp).

#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace batora::cli::testing {

struct ProcessResult {
  int exitStatus = -1;  // -1: ended by a signal (POSIX)
  std::string out;
  std::string err;
};

class ChildProcess {
 public:
  // outputRead false: standard output is a pipe whose reader has gone before the program starts.
  ChildProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
               const std::filesystem::path& workingFolder, bool outputRead = true);
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  // Kills a child that is still running.
  ~ChildProcess();

  // Reads until the standard output collected so far satisfies `enough`; false when the
  // output ended first.
  bool readOutputUntil(const std::function<bool(const std::string& out)>& enough);
  // POSIX: the signal. Windows, which has no signals: SIGINT is Ctrl+Break to the child's
  // process group, the one console interrupt that can be aimed at a single program.
  void sendSignal(int signal);
  // Reads both outputs to their end and waits for the exit.
  ProcessResult finish();

 private:
  // Reads whatever one of the outputs has; false when both have ended.
  bool pump();

  // The child and the reading ends of its outputs, as the platform knows them.
  struct Child;
  std::unique_ptr<Child> m_child;
  ProcessResult m_result;
};

ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workingFolder);

}  // namespace batora::cli::testing
