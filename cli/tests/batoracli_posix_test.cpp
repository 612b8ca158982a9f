// The real batora-cli on what only POSIX has: names that hold control characters, and a pipe
// whose reader has gone.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "clifixture.h"

namespace batora::cli {
namespace {

namespace fs = std::filesystem;
using CliPosixExecutable = testing::CliExecutable;

// Runs batora-cli with standard output into a pipe that has no reader from the start, as
// `batora-cli … | head -0` would give it; returns the exit status.
int runIntoClosedPipe(const std::vector<std::string>& args, const fs::path& folder) {
  int out[2];
  if (::pipe2(out, O_CLOEXEC) != 0) return -2;
  ::close(out[0]);
  std::vector<char*> argv{const_cast<char*>(BATORA_CLI_PATH)};
  for (const std::string& arg : args) argv.push_back(const_cast<char*>(arg.c_str()));
  argv.push_back(nullptr);
  const std::string folderText = folder.string();
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int null = ::open("/dev/null", O_RDWR);
    if (null < 0 || ::dup2(null, STDIN_FILENO) < 0 || ::dup2(out[1], STDOUT_FILENO) < 0 ||
        ::dup2(null, STDERR_FILENO) < 0 || ::chdir(folderText.c_str()) != 0)
      ::_exit(127);
    ::execv(BATORA_CLI_PATH, argv.data());
    ::_exit(127);
  }
  ::close(out[1]);
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// The write of the first result line fails: that file is renamed and recorded, and the run
// stops there, as at Ctrl+C, instead of being killed between a rename and its record.
TEST_F(CliPosixExecutable, ClosedPipeStopsTheRunAfterTheFileUnderWay) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  EXPECT_EQ(runIntoClosedPipe(withIni({"photos", "--yes", "--name", "r"}), dir.path()), 3);
  EXPECT_EQ(content(), (testing::Lines{"b.jpg=b.jpg", "c.jpg=c.jpg", "r01.jpg=a.jpg"}));
  EXPECT_EQ(logLines(), (testing::Lines{"*** Rename Start !!  [T] ***",
                                        fileLine("a.jpg", "r01.jpg", "リネーム正常終了"),
                                        fileLine("b.jpg", "r02.jpg", "リネームは中断されました")}));
}

TEST_F(CliPosixExecutable, ListShowsControlCharactersAsMarks) {
  expect({"legal names on Linux that would forge a row or retitle the terminal",
          {"a\n* 9  forged.jpg", "\x1b]0;owned\x07.jpg"},
          "photos --list",
          "* 1  ?]0;owned?.jpg\n* 2  a?* 9  forged.jpg\n選択ファイル数 : 2\n",
          "",
          0});
}

}  // namespace
}  // namespace batora::cli
