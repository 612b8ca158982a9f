#include "windowrenamerun.h"

#include <gtest/gtest.h>

#include "renamehostfake.h"
#include "runfolderfixture.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

const std::string kConfirm = "33 ファイル名の順番は間違いないですね？\r\nリネームを開始します。";
const std::string kCollision = "エラーが発生しました。\r\n同名のファイルが他に存在します。\r\n　(";

class WindowRenameRunTest : public testing::RunFolderFixture {
 protected:
  WindowRenameRunTest() { host.folder = folder; }

  // OK at the confirmation and No at the closing question unless told otherwise.
  void start(std::deque<int> answers = {mb::kIdOk, mb::kIdNo}) {
    toolkit.answers = std::move(answers);
    run.CmnStartRename();
  }
  bool statusShowed(const std::string& text) const {
    return std::find(status.history.begin(), status.history.end(), text) != status.history.end();
  }
  static std::string closing(const std::string& summary) {
    return "36 処理が完了しました。\r\n\r\n　(処理件数:" + summary +
           ")\r\n\r\nBatoraを終了しますか？";
  }

  testing::FakeRenameHost host{window, list, status};
  WindowRenameRun run{func, objCtrl, namingRule, host};
};

TEST_F(WindowRenameRunTest, RefusalOrCancelShowsItsBoxAndLocksNothing) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  list.rows[1].selected = false;
  rule("a:b", "2");
  run.CmnStartRename();
  rule("x", "2");
  start({mb::kIdCancel});
  for (auto& row : list.rows) row.selected = false;  // the count comes from the list
  run.CmnStartRename();
  EXPECT_EQ(boxes(),
            (Rows{"48 ファイル名が不正です。次の文字は使用できません。\r\n\\ / : * ? \" < > |",
                  kConfirm, "48 リネームするファイルを指定してください。"}));
  EXPECT_EQ(toolkit.boxes[1].title, "Batora");
  EXPECT_EQ(toolkit.beeps, 2);  // the confirmation is a plain box, not a reported message
  EXPECT_FALSE(fs::exists(dir / "BatoraEr.log"));
  EXPECT_TRUE(toolkit.pointers.empty());
  EXPECT_EQ(window.lockHistory, (std::vector<bool>{true, false}));  // the search only
  EXPECT_TRUE(window.isEnabled("cmdGo"));
}

TEST_F(WindowRenameRunTest, WholeRunIsReportedAndTheListRebuilt) {
  files({"A.jpg", "B.jpg", "C.jpg"});
  bool lockedWhileRunning = false;
  toolkit.onYield = [&] { lockedWhileRunning = !window.isEnabled("cmdGo"); };
  host.sortDesc = 1;
  start();
  EXPECT_TRUE(lockedWhileRunning);
  EXPECT_EQ(boxes(), (Rows{kConfirm, closing("３件中 エラー０件")}));
  EXPECT_TRUE(statusShowed("ﾘﾈｰﾑ処理が完了しました。　(処理件数:３件中 エラー０件)"));
  // Time stands still: the search's progress text leaves no room for a success text.
  EXPECT_FALSE(statusShowed(file("A.jpg") + "のﾘﾈｰﾑ 正常終了"));
  // No at the closing question: searched again, sorted by name in the box's direction.
  EXPECT_FALSE(host.unloaded);
  EXPECT_EQ(list.texts(), (Rows{"x03.jpg", "x02.jpg", "x01.jpg"}));
  EXPECT_EQ(status.panelText("stbpText"), folder.string());
  EXPECT_TRUE(window.isEnabled("cmdGo"));
  EXPECT_FALSE(host.stop.isEnabled());
  EXPECT_FALSE(host.stopItem.isEnabled());
  EXPECT_EQ(toolkit.pointers, (std::vector<int>{13, 0, 0}));
}

TEST_F(WindowRenameRunTest, SuccessTextsAreThrottledFailuresAlwaysShown) {
  dir.write("photos/x03.jpg", "in the way");
  files({"a.jpg", "b.jpg", "c.jpg"});
  list.rows[3].selected = false;  // a b c x03: c meets x03
  // 60 ms per file: a success right after a shown one is dropped, a failure never.
  clock.tick = 1000;
  toolkit.onYield = [&] { clock.tick += 60; };
  start({mb::kIdOk, mb::kIdOk, mb::kIdNo});
  EXPECT_TRUE(statusShowed(file("a.jpg") + "のﾘﾈｰﾑ 正常終了"));
  EXPECT_FALSE(statusShowed(file("b.jpg") + "のﾘﾈｰﾑ 正常終了"));
  EXPECT_TRUE(statusShowed(file("c.jpg") + "のﾘﾈｰﾑ 異常終了"));
}

TEST_F(WindowRenameRunTest, YesAtTheClosingQuestionUnloadsWithoutRebuilding) {
  files({"a.jpg"});
  start({mb::kIdOk, mb::kIdYes});
  EXPECT_TRUE(host.unloaded);
  EXPECT_EQ(list.texts(), Rows{"a.jpg"});  // not rebuilt
}

TEST_F(WindowRenameRunTest, LockLeavesTheStopCommandAndTopMenusUsable) {
  files({"a.jpg", "b.jpg"});
  Rows disabled;
  toolkit.onYield = [&] {
    disabled.clear();
    for (const auto& c : window.controls)
      if (!c.enabled) disabled.push_back(c.info.name);
  };
  window.controls[1].enabled = false;  // DrvLstBox disabled before the run
  start();
  // Labels, frames, the status bar and separators are passed over.
  EXPECT_EQ(disabled, (Rows{"DrvLstBox", "DirLstBox", "txtSerchFile", "optSearch", "lstFile",
                            "cmdSortName", "cmdGo", "mnEnd", "mnGo"}));
  EXPECT_TRUE(window.isEnabled("DrvLstBox"));  // unlocking enables whatever it reaches
}

TEST_F(WindowRenameRunTest, CollisionQuestionThenTheLastOneOnlyNoticed) {
  files({"a01.jpg", "a02.jpg"});
  objCtrl.SwapFilesList(0, 1);  // a02 a01: both targets are taken by the other
  rule("a", "2");
  start({mb::kIdOk, mb::kIdYes, mb::kIdOk, mb::kIdNo});
  EXPECT_EQ(boxes(), (Rows{kConfirm,
                           "52 " + kCollision + file("a02.jpg") + " --> a01.jpg)" +
                               "\r\n\r\n該当ファイルをスキップして処理を続行しますか？",
                           "48 " + kCollision + file("a01.jpg") + " --> a02.jpg)" +
                               "\r\n\r\n該当ファイルはスキップされました。",
                           closing("２件中 エラー２件")}));
  // Failures always show, even while time stands still.
  EXPECT_TRUE(statusShowed(file("a02.jpg") + "のﾘﾈｰﾑ 異常終了"));
  EXPECT_TRUE(statusShowed(file("a01.jpg") + "のﾘﾈｰﾑ 異常終了"));
}

TEST_F(WindowRenameRunTest, NoAtACollisionLeavesTheRun) {
  files({"a01.jpg", "b.jpg", "c.jpg"});
  objCtrl.SwapFilesList(0, 1);  // b a01 c: b wants a01
  rule("a", "2");
  start({mb::kIdOk, mb::kIdNo, mb::kIdNo});
  EXPECT_EQ(status.history[status.history.size() - 2],
            "ﾘﾈｰﾑは中断されました。(３件中 １件処理済み 未処理の先頭:" + file("a01.jpg") + ")");
  EXPECT_EQ(boxes().back(), closing("３件中 エラー１件"));
}

// The first yield comes before the loop, with the stop command just enabled: a stop typed
// ahead or queued at OK arrives there and must hold as well as one after file k.
TEST_F(WindowRenameRunTest, StopShowsWhereItStoppedAndRestoresTheCaptions) {
  struct Case {
    const char* name;
    int stopAtYield;
    const char* done;
    const char* firstUntouched;
  } cases[] = {{"during the start-up yield", 1, "０", "f1"}, {"after file 5", 6, "５", "f6"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder);
    status.history.clear();
    files({"f1", "f2", "f3", "f4", "f5", "f6", "f7"});
    rule("r", "3");
    int yields = 0;
    toolkit.onYield = [&] {
      if (++yields != c.stopAtYield) return;
      EXPECT_TRUE(host.stop.isEnabled());
      run.CmnStopRename();
      EXPECT_TRUE(run.bStopRename());
    };
    start();
    EXPECT_EQ(boxes().back(), closing("７件中 エラー０件"));
    EXPECT_TRUE(statusShowed(std::string("ﾘﾈｰﾑは中断されました。(７件中 ") + c.done +
                             "件処理済み 未処理の先頭:" + file(c.firstUntouched) + ")"));
    EXPECT_TRUE(fs::exists(folder / c.firstUntouched));
    EXPECT_EQ(host.stop.caption(), "ﾘﾈｰﾑ中断(&X)");  // restored after the stop changed it
    EXPECT_EQ(host.stopItem.caption(), "ﾘﾈｰﾑ中断(&X)");
    EXPECT_FALSE(host.stop.isEnabled());
  }
}

TEST_F(WindowRenameRunTest, StopPressedWhileABoxIsOpenEndsBeforeTheNextFile) {
  files({"a01.jpg", "b.jpg", "c.jpg", "d.jpg"});
  objCtrl.SwapFilesList(0, 1);  // b a01 c d
  rule("a", "2");
  toolkit.onBox = [&](const testing::BoxRecord& box) {
    if (box.style != 52) return;
    run.CmnStopRename();
    EXPECT_EQ(host.stop.caption(), "待機中 . . .");
    EXPECT_EQ(host.stopItem.caption(), "待機中 . . .");
    EXPECT_FALSE(host.stopItem.isEnabled());
  };
  start({mb::kIdOk, mb::kIdYes, mb::kIdNo});
  EXPECT_EQ(logLines().back(), logLine("a01.jpg", "a02.jpg", kRenameInterrupted));
}

TEST_F(WindowRenameRunTest, UnexpectedFailureReportsLogsAndEndsAtOnce) {
  files({"a.jpg", "b.jpg"});
  toolkit.answers = {mb::kIdOk};
  // The list breaks down once the run has locked the window.
  toolkit.onYield = [&] { list.broken = true; };
  EXPECT_THROW(run.CmnStartRename(), testing::ProcessEnded);
  EXPECT_EQ(boxes(), (Rows{kConfirm, "16 例外エラー！！ 強制終了します。\r\nlist box failed"}));
  EXPECT_NE(testing::readBytes(dir / "BatoraEr.log")
                .find(platform::utf8ToCp932("発生場所=CmnStartRename , エラー内容=例外エラー！！")),
            std::string::npos);
  EXPECT_FALSE(window.isEnabled("cmdGo"));  // nothing is unlocked on the way out
}

}  // namespace
}  // namespace batora
