// The real batora-cli on what only POSIX has: names that hold control characters, and a pipe
// whose reader has gone.

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include "childprocess.h"
#include "platform.h"
#include "tempdir.h"

namespace batora::cli {
namespace {

namespace fs = std::filesystem;
using batora::testing::TempDir;

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

std::vector<std::string> logLines(const fs::path& log) {
  std::vector<std::string> lines;
  const std::string text = platform::cp932ToUtf8(batora::testing::readBytes(log));
  for (size_t pos = 0, end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
    lines.push_back(text.substr(pos, end - pos));
  return lines;
}

// The write of the first result line fails: that file is renamed and recorded, and the run
// stops there, as at Ctrl+C, instead of being killed between a rename and its record.
TEST(CliPosixExecutable, ClosedPipeStopsTheRunAfterTheFileUnderWay) {
  TempDir dir;
  const fs::path folder = dir.mkdir("photos");
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"}) dir.write(folder / name, name);
  dir.write("Batora.ini", "OUTPUT_LOG_RENAME = 1\r\n");
  EXPECT_EQ(
      runIntoClosedPipe({"--ini", (dir / "Batora.ini").string(), "photos", "--yes", "--name", "r"},
                        dir.path()),
      3);
  EXPECT_TRUE(fs::exists(folder / "r01.jpg"));
  EXPECT_TRUE(fs::exists(folder / "b.jpg"));
  EXPECT_TRUE(fs::exists(folder / "c.jpg"));
  const std::vector<std::string> log = logLines(dir / "Batora.log");
  ASSERT_EQ(log.size(), 3u);
  EXPECT_TRUE(log[1].ends_with(folder.string() + "/r01.jpg] リネーム正常終了 ***")) << log[1];
  EXPECT_TRUE(log[2].ends_with(folder.string() + "/r02.jpg] リネームは中断されました ***"))
      << log[2];
}

// Legal names on Linux that would forge a row of the list or retitle the terminal.
TEST(CliPosixExecutable, ListShowsControlCharactersAsMarks) {
  TempDir dir;
  dir.write("photos/a\n* 9  forged.jpg", "x");
  dir.write("photos/\x1b]0;owned\x07.jpg", "x");
  dir.write("Batora.ini", "");
  const testing::ProcessResult result = testing::runProcess(
      BATORA_CLI_PATH, {"--ini", (dir / "Batora.ini").string(), "photos", "--list"}, dir.path());
  EXPECT_EQ(result.out, "* 1  ?]0;owned?.jpg\n* 2  a?* 9  forged.jpg\n選択ファイル数 : 2\n");
  EXPECT_EQ(result.exitStatus, 0);
}

}  // namespace
}  // namespace batora::cli
