#include "clirenameevents.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>

#include "fakeclock.h"
#include "tempdir.h"
#include "terminaltoolkit.h"
#include "text.h"

namespace batora::cli {
namespace {

namespace fs = std::filesystem;

TEST(CliAnswers, EachQuestionIsAnsweredAsTheCommandLineSays) {
  const AutoAnswer noTerminalConfirm{
      false, true, "端末がないため確認できません。リネームするには --yes を指定してください。"};
  const AutoAnswer noTerminalCollision{
      false, true, "端末がないため中断します。続けるには --on-collision skip を指定してください。"};
  const AutoAnswer skip{true, true, "--on-collision skip"},
      stop{false, true, "--on-collision stop"};
  const std::optional<AutoAnswer> asked;
  const Collision kSkip = Collision::kSkip, kStop = Collision::kStop;
  const struct {
    const char* name;
    bool confirmation;
    AnswerPolicy policy;
    std::optional<AutoAnswer> expected;
  } cases[] = {
      {"--yes: confirmation skipped", true, {true, {}, true}, AutoAnswer{true, false, ""}},
      {"terminal: confirmation asked", true, {.canAsk = true}, asked},
      {"no terminal: nothing renamed", true, {}, noTerminalConfirm},
      {"--on-collision skip, even on a terminal", false, {false, kSkip, true}, skip},
      {"--on-collision stop", false, {.yes = true, .onCollision = kStop}, stop},
      {"terminal: collision asked", false, {.yes = true, .canAsk = true}, asked},
      {"no terminal: the run stops", false, {.yes = true}, noTerminalCollision},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(c.confirmation ? confirmationAnswer(c.policy) : takenNameAnswer(c.policy),
              c.expected);
  }
}

TEST(CliAnswers, TypedAnswersAndTheDefaultButton) {
  const std::tuple<const char*, bool, std::optional<bool>> cases[] = {
      {"", false, true},     {" Y ", false, true},
      {"はい", false, true}, {"いいえ", false, false},
      {"", true, true},      {"ok", true, true},
      {"N", true, false},    {"ok", false, std::nullopt},
      {"OK", true, true},    {"キャンセル", true, false},
  };
  for (const auto& [typed, okCancel, expected] : cases) {
    SCOPED_TRACE(typed);
    EXPECT_EQ(typedAnswer(typed, okCancel), expected);
  }
}

class CliEventsTest : public ::testing::Test {
 protected:
  CliRenameEvents events(AnswerPolicy policy, TerminalOutput& on) {
    return CliRenameEvents(
        func, on, policy,
        [this]() -> std::optional<std::string> {
          if (typed.empty()) return std::nullopt;
          std::string line = typed.front();
          typed.pop_front();
          return line;
        },
        [this] { return signalled; });
  }
  static FileResult file(long index, FileOutcome outcome, std::string old = "/p/f") {
    return {{index, static_cast<int>(index), old + std::to_string(index + 1), "n.jpg", "/p/n.jpg"},
            outcome};
  }
  static RunEnd end(bool complete, long total, long errors) {
    RunEnd e;
    e.complete = complete;
    e.total = e.reached = total;
    e.errors = errors;
    return e;
  }

  batora::testing::TempDir dir;
  std::ostringstream out, err;
  TerminalOutput output{out, false, err, false};
  TerminalToolkit toolkit{output};
  batora::testing::FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "batora-cli"};
  std::deque<std::string> typed;
  bool signalled = false;
};

TEST_F(CliEventsTest, AsksAgainUntilTheAnswerIsOneOfTheButtons) {
  CliRenameEvents cli = events({.canAsk = true}, output);
  typed = {"perhaps", "n"};
  EXPECT_FALSE(cli.skipTakenName(file(0, FileOutcome::kNameTaken)));
  EXPECT_TRUE(
      err.str().ends_with("該当ファイルをスキップして処理を続行しますか？\nはい(y) / いいえ(n) "
                          "[y]: はい(y) / いいえ(n) [y]: "))
      << err.str();
  // The end of the input cancels the confirmation.
  EXPECT_FALSE(cli.confirmStart(1));
  EXPECT_EQ(exitStatus(cli.facts()), kExitRefused);
  EXPECT_EQ(out.str(), "");
}

// The exit status comes from the outcomes, never from a text: a file whose path reads like a
// success line still counts as failed. The plain cases (a refusal, a cancelled confirmation, a
// complete run, a stop at a collision or by Ctrl+C) are tested on the executable.
TEST_F(CliEventsTest, ExitStatusFollowsTheEventValues) {
  const FileResult taken = file(0, FileOutcome::kNameTaken, "/p/xのﾘﾈｰﾑ 正常終了");
  struct Case {
    const char* name;
    std::function<void(CliRenameEvents&)> run;
    bool ctrlC;
    int status;
  } cases[] = {
      {"Ctrl+C at the confirmation", [](auto& e) { e.confirmStart(3); }, true, kExitInterrupted},
      {"a file failed, named like a success",
       [&](auto& e) {
         e.fileDone(taken);
         e.lastNameTaken(taken);
         e.ended(end(true, 1, 1));
       },
       false, kExitSomeFailed},
      {"Ctrl+C during the last file: complete", [](auto& e) { e.ended(end(true, 3, 0)); }, true,
       kExitAllRenamed},
      {"unexpected failure", [](auto& e) { e.failedUnexpectedly("broken"); }, false,
       kExitSomeFailed},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    signalled = c.ctrlC;
    CliRenameEvents cli = events({}, output);
    c.run(cli);
    EXPECT_EQ(exitStatus(cli.facts()), c.status);
  }
}

TEST_F(CliEventsTest, ATerminalShowsABigRunAsOneProgressLine) {
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
    std::ostringstream runOut, runErr;
    TerminalOutput on(runOut, c.terminal, runErr, c.terminal);
    CliRenameEvents cli = events({.yes = true}, on);
    cli.started(c.files);
    for (long i = 0; i < c.files; ++i)
      cli.fileDone(file(i, i == 1 ? FileOutcome::kFailed : FileOutcome::kRenamed));
    cli.ended(end(true, c.files, 1));
    std::string shown = runOut.str();
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
    EXPECT_TRUE(shown.ends_with("ﾘﾈｰﾑ処理が完了しました。　(処理件数:" + fullWidthNumber(c.files) +
                                "件中 エラー１件)\n"))
        << shown;
    EXPECT_EQ(runErr.str(), "");
  }
}

}  // namespace
}  // namespace batora::cli
