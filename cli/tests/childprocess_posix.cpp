#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <stdexcept>

#include "childprocess.h"

namespace batora::cli::testing {

struct ChildProcess::Child {
  pid_t pid = -1;
  int outFd = -1;
  int errFd = -1;
};

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& args,
                           const std::filesystem::path& workingFolder, bool outputRead)
    : m_child(std::make_unique<Child>()) {
  int out[2], err[2];
  if (::pipe2(out, O_CLOEXEC) != 0 || ::pipe2(err, O_CLOEXEC) != 0)
    throw std::runtime_error("pipe failed");
  // Closed before the child exists, so that not even its first line finds a reader.
  if (!outputRead) {
    ::close(out[0]);
    out[0] = -1;
  }
  // Everything the child needs is prepared before the fork: after it, only calls that are safe
  // in a forked child are made.
  const std::string programText = program.string();
  const std::string folderText = workingFolder.string();
  std::vector<char*> argv{const_cast<char*>(programText.c_str())};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);

  m_child->pid = ::fork();
  if (m_child->pid < 0) throw std::runtime_error("fork failed");
  if (m_child->pid == 0) {
    int null = ::open("/dev/null", O_RDONLY);
    if (null < 0 || ::dup2(null, STDIN_FILENO) < 0 || ::dup2(out[1], STDOUT_FILENO) < 0 ||
        ::dup2(err[1], STDERR_FILENO) < 0 || ::chdir(folderText.c_str()) != 0)
      ::_exit(127);
    ::execv(programText.c_str(), argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  ::close(err[1]);
  m_child->outFd = out[0];
  m_child->errFd = err[0];
}

ChildProcess::~ChildProcess() {
  if (m_child->outFd >= 0) ::close(m_child->outFd);
  if (m_child->errFd >= 0) ::close(m_child->errFd);
  if (m_child->pid > 0) {
    ::kill(m_child->pid, SIGKILL);
    ::waitpid(m_child->pid, nullptr, 0);
  }
}

bool ChildProcess::pump() {
  pollfd fds[2] = {{m_child->outFd, POLLIN, 0}, {m_child->errFd, POLLIN, 0}};
  std::string* sinks[2] = {&m_result.out, &m_result.err};
  int* owners[2] = {&m_child->outFd, &m_child->errFd};
  if (m_child->outFd < 0 && m_child->errFd < 0) return false;
  if (::poll(fds, 2, -1) < 0) return errno == EINTR;
  for (int i = 0; i < 2; ++i) {
    if (fds[i].fd < 0 || fds[i].revents == 0) continue;
    char buffer[65536];
    const ssize_t n = ::read(fds[i].fd, buffer, sizeof buffer);
    if (n > 0) {
      sinks[i]->append(buffer, static_cast<size_t>(n));
    } else if (n == 0 || errno != EINTR) {
      ::close(*owners[i]);
      *owners[i] = -1;
    }
  }
  return true;
}

bool ChildProcess::readOutputUntil(const std::function<bool(const std::string&)>& enough) {
  while (!enough(m_result.out))
    if (m_child->outFd < 0 || !pump()) return false;
  return true;
}

void ChildProcess::sendSignal(int signal) {
  ::kill(m_child->pid, signal);
}

ProcessResult ChildProcess::finish() {
  while (pump()) {
  }
  int status = 0;
  ::waitpid(m_child->pid, &status, 0);
  m_child->pid = -1;
  m_result.exitStatus = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return m_result;
}

ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workingFolder) {
  return ChildProcess(program, args, workingFolder).finish();
}

}  // namespace batora::cli::testing
