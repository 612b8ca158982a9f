#include "terminaltoolkit.h"

#include <gtest/gtest.h>

#include <deque>
#include <sstream>

namespace batora::cli {
namespace {

constexpr int kConfirmation = mb::kOkCancel | mb::kQuestion;
constexpr int kCollision = mb::kYesNo | mb::kExclamation;
constexpr int kClosing = mb::kYesNo | mb::kQuestion;

TEST(CliAnswers, EachQuestionIsAnsweredAsTheCommandLineSays) {
  const AutoAnswer cancelSilently{mb::kIdCancel, false, {}};
  struct Case {
    const char* name;
    int style;
    AnswerPolicy policy;
    std::optional<AutoAnswer> expected;
  } cases[] = {
      {"dry run: confirmation cancelled unseen",
       kConfirmation,
       {.dryRun = true, .yes = true, .canAsk = true},
       cancelSilently},
      {"--yes: confirmation skipped",
       kConfirmation,
       {.yes = true, .canAsk = true},
       AutoAnswer{mb::kIdOk, false, {}}},
      {"terminal: confirmation asked", kConfirmation, {.canAsk = true}, std::nullopt},
      {"no terminal: nothing renamed",
       kConfirmation,
       {},
       AutoAnswer{mb::kIdCancel, true,
                  "端末がないため確認できません。リネームするには --yes を指定してください。"}},
      {"--on-collision skip, even on a terminal",
       kCollision,
       {.onCollision = Collision::kSkip, .canAsk = true},
       AutoAnswer{mb::kIdYes, true, "--on-collision skip"}},
      {"--on-collision stop",
       kCollision,
       {.onCollision = Collision::kStop},
       AutoAnswer{mb::kIdNo, true, "--on-collision stop"}},
      {"terminal: collision asked", kCollision, {.canAsk = true}, std::nullopt},
      {"no terminal: the run stops",
       kCollision,
       {},
       AutoAnswer{mb::kIdNo, true,
                  "端末がないため中断します。続けるには --on-collision skip を指定してください。"}},
      {"closing question: Yes, also on a terminal",
       kClosing,
       {.canAsk = true},
       AutoAnswer{mb::kIdYes, true, "自動"}},
      {"a notice", mb::kExclamation, {.canAsk = true}, AutoAnswer{mb::kIdOk, true, {}}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(automaticAnswer(c.style, c.policy), c.expected);
  }
}

TEST(CliAnswers, TypedAnswersAndTheDefaultButton) {
  const std::tuple<const char*, int, std::optional<int>> cases[] = {
      {"", kCollision, mb::kIdYes},        {" Y ", kCollision, mb::kIdYes},
      {"はい", kCollision, mb::kIdYes},    {"いいえ", kCollision, mb::kIdNo},
      {"", kConfirmation, mb::kIdOk},      {"ok", kConfirmation, mb::kIdOk},
      {"N", kConfirmation, mb::kIdCancel}, {"ok", kCollision, std::nullopt},
  };
  for (const auto& [typed, style, expected] : cases) {
    SCOPED_TRACE(typed);
    EXPECT_EQ(typedAnswer(typed, style), expected);
  }
}

class CliTerminalToolkit : public ::testing::Test {
 protected:
  TerminalToolkit toolkit(AnswerPolicy policy) {
    return TerminalToolkit(
        output, policy,
        [this]() -> std::optional<std::string> {
          if (typed.empty()) return std::nullopt;
          std::string line = typed.front();
          typed.pop_front();
          return line;
        },
        [this] { return signalled; });
  }
  std::ostringstream out, err;
  TerminalOutput output{out, false, err, false};
  std::deque<std::string> typed;
  bool signalled = false;
};

TEST_F(CliTerminalToolkit, AsksAgainUntilTheAnswerIsOneOfTheButtons) {
  TerminalToolkit terminal = toolkit({.canAsk = true});
  typed = {"perhaps", "n"};
  EXPECT_EQ(terminal.messageBox("同名です。\r\n続行しますか？", "Batora", kCollision), mb::kIdNo);
  EXPECT_EQ(err.str(),
            "同名です。\n続行しますか？\nはい(y) / いいえ(n) [y]: はい(y) / いいえ(n) [y]: ");
  EXPECT_FALSE(terminal.confirmationAsked());
}

TEST_F(CliTerminalToolkit, ConfirmationWithoutAnAnswerIsCancelled) {
  TerminalToolkit terminal = toolkit({.canAsk = true});
  EXPECT_EQ(terminal.messageBox("開始します。", "Batora", kConfirmation), mb::kIdCancel);
  EXPECT_TRUE(terminal.confirmationAsked());
  EXPECT_FALSE(terminal.confirmed());
  EXPECT_EQ(out.str(), "");
}

TEST_F(CliTerminalToolkit, YieldStopsTheRunOnlyAfterCtrlC) {
  TerminalToolkit terminal = toolkit({});
  int stops = 0;
  terminal.onStopRequest([&] { ++stops; });
  terminal.yield();
  EXPECT_EQ(stops, 0);
  signalled = true;
  terminal.yield();
  terminal.yield();
  EXPECT_EQ(stops, 2);
}

}  // namespace
}  // namespace batora::cli
