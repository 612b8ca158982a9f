#include "runmonitor.h"

#include <gtest/gtest.h>

#include <sstream>

namespace batora::cli {
namespace {

// The status texts of a complete run of `files` files whose second file fails.
std::vector<std::string> statusTexts(long files) {
  std::vector<std::string> texts;
  for (long i = 1; i <= files; ++i)
    texts.push_back("/p/f" + std::to_string(i) + (i == 2 ? "のﾘﾈｰﾑ 異常終了" : "のﾘﾈｰﾑ 正常終了"));
  texts.push_back("ﾘﾈｰﾑ処理が完了しました。　(…)");
  return texts;
}

TEST(CliRunMonitor, ATerminalShowsABigRunAsOneProgressLine) {
  struct Case {
    const char* name;
    long files;
    bool terminal;
    size_t lines;
    bool progress;
  } cases[] = {
      {"small run on a terminal: a line per file", kProgressThreshold, true, kProgressThreshold + 1,
       false},
      {"big run on a terminal: failures and the end only", kProgressThreshold + 1, true, 2, true},
      {"big run into a pipe: a line per file", kProgressThreshold + 1, false,
       kProgressThreshold + 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::ostringstream out, err;
    TerminalOutput output(out, c.terminal, err, c.terminal);
    RunMonitor monitor(output, c.files);
    for (const std::string& text : statusTexts(c.files)) monitor.statusText(text);
    monitor.finish();
    std::string shown = out.str();
    const bool progress = shown.find("ﾘﾈｰﾑ中 ") != std::string::npos;
    // What stays on the screen once each progress line has been wiped by the next output.
    for (size_t at; (at = shown.find("\r\x1b[K")) != std::string::npos;) {
      const size_t lineStart =
          shown.rfind('\n', at) == std::string::npos ? 0 : shown.rfind('\n', at) + 1;
      shown.erase(lineStart, at + 4 - lineStart);
    }
    EXPECT_EQ(progress, c.progress);
    EXPECT_EQ(static_cast<size_t>(std::count(shown.begin(), shown.end(), '\n')), c.lines);
    EXPECT_NE(shown.find("/p/f2のﾘﾈｰﾑ 異常終了\n"), std::string::npos);
    EXPECT_TRUE(shown.ends_with("ﾘﾈｰﾑ処理が完了しました。　(…)\n")) << shown;
    EXPECT_EQ(monitor.observed(), (RunObservation{c.files - 1, 1, RunEnd::kComplete}));
    EXPECT_EQ(err.str(), "");
  }
}

TEST(CliRunMonitor, ExitStatusFollowsHowTheRunEnded) {
  const RunObservation allDone{3, 0, RunEnd::kComplete}, oneFailed{2, 1, RunEnd::kComplete},
      leftEarly{1, 1, RunEnd::kLeftEarly};
  struct Case {
    const char* name;
    RunFacts facts;
    int status;
  } cases[] = {
      {"refused by a check", {}, kExitRefused},
      {"cancelled at the confirmation", {true, false, false, false, {}}, kExitRefused},
      {"Ctrl+C at the confirmation", {true, false, false, true, {}}, kExitInterrupted},
      {"every file renamed", {true, true, false, false, allDone}, kExitAllRenamed},
      {"a file failed", {true, true, false, false, oneFailed}, kExitSomeFailed},
      {"stopped at a collision", {true, true, false, false, leftEarly}, kExitSomeFailed},
      {"stopped by Ctrl+C", {true, true, false, true, leftEarly}, kExitInterrupted},
      {"Ctrl+C during the last file: complete",
       {true, true, false, true, allDone},
       kExitAllRenamed},
      {"ended at once by an unexpected failure", {true, true, true, false, {}}, kExitSomeFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(exitStatus(c.facts), c.status);
  }
}

}  // namespace
}  // namespace batora::cli
