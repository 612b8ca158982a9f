#include "renamerun.h"

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "renamehostfake.h"
#include "renamelog.h"
#include "tempdir.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

const std::string kBadName =
    "ファイル名が不正です。次の文字は使用できません。\r\n\\ / : * ? \" < > |";

TEST(RenameRefusalTest, EveryCheckInItsOrderWithItsMessage) {
  const std::string digitsNaN = "桁数は数値を指定して下さい。";
  const std::string range = "桁数は１～４の範囲で指定して下さい。";
  const std::string tooMany = "対象ファイル数と桁数の関係が不正です。\r\n桁数が";
  struct Row {
    long selected;
    const char* digits;
    const char* name;
    std::optional<std::string> message;
  } rows[] = {
      {0, "x", "a:b", "リネームするファイルを指定してください。"},
      {3, "", "a:b", digitsNaN},
      {3, "a", "x", digitsNaN},
      {3, "0", "x", range},
      {3, "5", "x", range},
      {3, "５", "x", range},
      {10, "1", "a:b", tooMany + "１の場合、選択できるファイルの数は１～９です。"},
      {9, "1", "x", std::nullopt},
      {10000, "4", "x", tooMany + "４の場合、選択できるファイルの数は１～９９９９です。"},
      {9999, "４", "x", std::nullopt},
      {3, "2", "a:b", kBadName},
      {3, "2", " a|b ", kBadName},
      {3, "2", "写真　夏", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.selected << " " << row.digits << " " << row.name);
    EXPECT_EQ(renameRefusal(row.selected, row.digits, row.name), row.message);
  }
}

class RenameRunTest : public ::testing::Test {
 protected:
  RenameRunTest() {
    folder = dir.mkdir("photos");
    host.folder = folder;
    objCtrl.ListControl(&host.list);
    objCtrl.LabelSelFileNum(&label);
    objCtrl.SerchFileName("*.*");
    readSettings("OUTPUT_LOG_RENAME=1\r\n");
  }

  void readSettings(const std::string& text) {
    dir.write("Batora.ini", platform::utf8ToCp932(text));
    ASSERT_TRUE(
        settings.ReadIniFile("Batora.ini", [this](auto p, auto m) { func.OutputErrLog(p, m); }));
  }
  // Creates the files (content = own name), lists the folder and selects every row.
  void files(std::initializer_list<std::string> names, int depth = 1) {
    for (const auto& n : names) dir.write(fs::path("photos") / n, n);
    host.depth = depth;
    ASSERT_FALSE(objCtrl.SetFileList(host.window, folder, depth, host.status));
    for (auto& r : host.list.rows) r.selected = true;
  }
  void rule(std::string name, std::string digits, std::string ext = "jpg") {
    txtName.value = std::move(name);
    txtSeq.value = std::move(digits);
    txtExp.value = std::move(ext);
  }
  // OK at the confirmation and No at the closing question unless told otherwise.
  void start(std::deque<int> answers = {mb::kIdOk, mb::kIdNo}) {
    toolkit.answers = std::move(answers);
    run.CmnStartRename();
  }
  // "name=content" per file, sorted.
  Rows content(const fs::path& where) const {
    Rows names;
    for (const auto& e : fs::directory_iterator(where))
      names.push_back(e.path().filename().string() +
                      (e.is_regular_file() ? "=" + testing::readBytes(e.path()) : "/"));
    std::sort(names.begin(), names.end());
    return names;
  }
  Rows logLines() const {
    std::string text = platform::cp932ToUtf8(testing::readBytes(dir / "Batora.log"));
    Rows lines;
    size_t pos = 0;
    for (size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
      lines.push_back(text.substr(pos, end - pos));
    return lines;
  }
  // A file line for two names in the listed folder.
  std::string logLine(const std::string& from, const std::string& to, std::string_view result) {
    return renameLogFileLine(clock.time, file(from), file(to), result);
  }
  std::string file(const std::string& name) const { return (folder / name).string(); }
  // "style text" per box.
  Rows boxes() const {
    Rows texts;
    for (const auto& b : toolkit.boxes) texts.push_back(std::to_string(b.style) + " " + b.text);
    return texts;
  }
  bool statusShowed(const std::string& text) const {
    const Rows& shown = host.status.history;
    return std::find(shown.begin(), shown.end(), text) != shown.end();
  }
  static std::string closing(const std::string& summary) {
    return "36 処理が完了しました。\r\n\r\n　(処理件数:" + summary +
           ")\r\n\r\nBatoraを終了しますか？";
  }

  testing::TempDir dir;
  fs::path folder;
  testing::FakeToolkit toolkit;
  testing::FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "Batora"};
  testing::FakeRenameHost host{toolkit};
  testing::FakeLabel label;
  clsObjCtrl objCtrl{func};
  testing::FakeTextField txtName{"x"}, txtExp{"jpg"}, txtSeq{"2"}, txtSample;
  testing::FakeCheckField chbBackSeq{1};
  NamingRule namingRule{txtName, txtExp, txtSeq, chbBackSeq, txtSample, clock};
  RenameRun run{func, objCtrl, namingRule, host};
};

const std::string kConfirm = "33 ファイル名の順番は間違いないですね？\r\nリネームを開始します。";

TEST_F(RenameRunTest, RenameLogLinesByteForByteInCodePage932) {
  clock.time = {2000, 1, 2, 3, 4, 5};
  EXPECT_TRUE(OutputRenLog(func, "", "", "", true));
  EXPECT_TRUE(OutputRenLog(func, "/写真 2000/a b.jpg", "/写真 2000/夏　01.jpg", kRenamedOk));
  EXPECT_EQ(testing::readBytes(dir / "Batora.log"),
            platform::utf8ToCp932(
                "*** Rename Start !!  [2000/01/02 03:04:05] ***\r\n"
                "*** 2000/01/02 03:04:05, [/写真 2000/a b.jpg -> /写真 2000/夏　01.jpg] "
                "リネーム正常終了 ***\r\n"));
  EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(RenameRunTest, RefusalOrCancelChangesNothing) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  host.list.rows[1].selected = false;
  rule("a:b", "2");
  run.CmnStartRename();
  rule("x", "2");
  start({mb::kIdCancel});
  for (auto& row : host.list.rows) row.selected = false;  // the count comes from the list
  run.CmnStartRename();
  EXPECT_EQ(boxes(),
            (Rows{"48 " + kBadName, kConfirm, "48 リネームするファイルを指定してください。"}));
  EXPECT_EQ(toolkit.boxes[1].title, "Batora");
  EXPECT_EQ(toolkit.beeps, 2);  // the confirmation is a plain box, not a reported message
  EXPECT_EQ(content(folder), (Rows{"a.jpg=a.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg"}));
  EXPECT_FALSE(fs::exists(dir / "Batora.log"));
  EXPECT_FALSE(fs::exists(dir / "BatoraEr.log"));
  EXPECT_TRUE(toolkit.pointers.empty());
  EXPECT_EQ(host.window.lockHistory, (std::vector<bool>{true, false}));  // the search only
  EXPECT_TRUE(host.window.isEnabled("cmdGo"));
}

TEST_F(RenameRunTest, ListOrderDecidesTheNumbersAndTheWholeRunIsReported) {
  files({"A.jpg", "B.jpg", "C.jpg"});
  objCtrl.SwapFilesList(0, 2);  // C B A
  objCtrl.SwapFilesList(1, 2);  // C A B
  bool lockedWhileRunning = false;
  toolkit.onYield = [&] { lockedWhileRunning = !host.window.isEnabled("cmdGo"); };
  host.sortDesc = 1;
  start();
  EXPECT_TRUE(lockedWhileRunning);
  EXPECT_EQ(content(folder), (Rows{"x01.jpg=C.jpg", "x02.jpg=A.jpg", "x03.jpg=B.jpg"}));
  EXPECT_EQ(
      logLines(),
      (Rows{renameLogStartLine(clock.time), logLine("C.jpg", "x01.jpg", kRenamedOk),
            logLine("A.jpg", "x02.jpg", kRenamedOk), logLine("B.jpg", "x03.jpg", kRenamedOk)}));
  EXPECT_EQ(boxes(), (Rows{kConfirm, closing("３件中 エラー０件")}));
  EXPECT_TRUE(statusShowed("ﾘﾈｰﾑ処理が完了しました。　(処理件数:３件中 エラー０件)"));
  // Time stands still: the search's progress text leaves no room for a success text.
  EXPECT_FALSE(statusShowed(file("C.jpg") + "のﾘﾈｰﾑ 正常終了"));
  // No at the closing question: searched again, sorted by name in the box's direction.
  EXPECT_FALSE(host.unloaded);
  EXPECT_EQ(host.list.texts(), (Rows{"x03.jpg", "x02.jpg", "x01.jpg"}));
  EXPECT_EQ(host.status.panelText("stbpText"), folder.string());
  EXPECT_TRUE(host.window.isEnabled("cmdGo"));
  EXPECT_FALSE(host.stop.isEnabled());
  EXPECT_FALSE(host.stopItem.isEnabled());
  EXPECT_EQ(toolkit.pointers, (std::vector<int>{13, 0, 0}));
}

TEST_F(RenameRunTest, YesAtTheClosingQuestionUnloadsWithoutRebuilding) {
  files({"a.jpg"});
  start({mb::kIdOk, mb::kIdYes});
  EXPECT_TRUE(host.unloaded);
  EXPECT_EQ(host.list.texts(), Rows{"a.jpg"});  // not rebuilt
}

TEST_F(RenameRunTest, LockLeavesTheStopCommandAndTopMenusUsable) {
  files({"a.jpg", "b.jpg"});
  Rows disabled;
  toolkit.onYield = [&] {
    disabled.clear();
    for (const auto& c : host.window.controls)
      if (!c.enabled) disabled.push_back(c.info.name);
  };
  host.window.controls[1].enabled = false;  // DrvLstBox disabled before the run
  start();
  // Labels, frames, the status bar and separators are passed over.
  EXPECT_EQ(disabled, (Rows{"DrvLstBox", "DirLstBox", "txtSerchFile", "optSearch", "lstFile",
                            "cmdSortName", "cmdGo", "mnEnd", "mnGo"}));
  EXPECT_TRUE(host.window.isEnabled("DrvLstBox"));  // unlocking enables whatever it reaches
}

TEST_F(RenameRunTest, CollisionAnsweredYesSkipsAndTheLastOneIsOnlyNoticed) {
  files({"a01.jpg", "a02.jpg"});
  objCtrl.SwapFilesList(0, 1);  // a02 a01: both targets are taken by the other
  rule("a", "2");
  start({mb::kIdOk, mb::kIdYes, mb::kIdOk, mb::kIdNo});
  const std::string collision = "エラーが発生しました。\r\n同名のファイルが他に存在します。\r\n　(";
  EXPECT_EQ(boxes(), (Rows{kConfirm,
                           "52 " + collision + file("a02.jpg") + " --> a01.jpg)" +
                               "\r\n\r\n該当ファイルをスキップして処理を続行しますか？",
                           "48 " + collision + file("a01.jpg") + " --> a02.jpg)" +
                               "\r\n\r\n該当ファイルはスキップされました。",
                           closing("２件中 エラー２件")}));
  // Nothing overwritten: each file still holds its own content.
  EXPECT_EQ(content(folder), (Rows{"a01.jpg=a01.jpg", "a02.jpg=a02.jpg"}));
  EXPECT_EQ(logLines(),
            (Rows{renameLogStartLine(clock.time), logLine("a02.jpg", "a01.jpg", kRenameFailed),
                  logLine("a01.jpg", "a02.jpg", kRenameFailed)}));
  // Failures always show, even while time stands still.
  EXPECT_TRUE(statusShowed(file("a02.jpg") + "のﾘﾈｰﾑ 異常終了"));
  EXPECT_TRUE(statusShowed(file("a01.jpg") + "のﾘﾈｰﾑ 異常終了"));
}

TEST_F(RenameRunTest, CollisionAnsweredNoLeavesTheRestUntouched) {
  files({"a01.jpg", "b.jpg", "c.jpg"});
  objCtrl.SwapFilesList(0, 1);  // b a01 c: b wants a01
  rule("a", "2");
  start({mb::kIdOk, mb::kIdNo, mb::kIdNo});
  EXPECT_EQ(content(folder), (Rows{"a01.jpg=a01.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg"}));
  EXPECT_EQ(logLines(),
            (Rows{renameLogStartLine(clock.time), logLine("b.jpg", "a01.jpg", kRenameFailed),
                  logLine("a01.jpg", "a02.jpg", kRenameInterrupted)}));
  EXPECT_EQ(host.status.history[host.status.history.size() - 2],
            "ﾘﾈｰﾑは中断されました。(３件中 １件処理済み 未処理の先頭:" + file("a01.jpg") + ")");
  EXPECT_EQ(boxes().back(), closing("３件中 エラー１件"));
}

TEST_F(RenameRunTest, StopAfterFileKLeavesTheRestUntouched) {
  files({"f1", "f2", "f3", "f4", "f5", "f6", "f7"});
  rule("r", "3");
  int yields = 0;
  toolkit.onYield = [&] {
    // The first yield comes before the loop; the fifth file's yield is the sixth.
    if (++yields != 6) return;
    EXPECT_TRUE(host.stop.isEnabled());
    run.CmnStopRename();
  };
  start();
  EXPECT_EQ(content(folder), (Rows{"f6=f6", "f7=f7", "r001.jpg=f1", "r002.jpg=f2", "r003.jpg=f3",
                                   "r004.jpg=f4", "r005.jpg=f5"}));
  const Rows lines = logLines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[6], logLine("f6", "r006.jpg", kRenameInterrupted));
  EXPECT_EQ(boxes().back(), closing("７件中 エラー０件"));
  EXPECT_TRUE(
      statusShowed("ﾘﾈｰﾑは中断されました。(７件中 ５件処理済み 未処理の先頭:" + file("f6") + ")"));
  EXPECT_EQ(host.stop.caption(), "ﾘﾈｰﾑ中断(&X)");  // restored after the stop changed it
  EXPECT_EQ(host.stopItem.caption(), "ﾘﾈｰﾑ中断(&X)");
  EXPECT_FALSE(host.stop.isEnabled());
}

TEST_F(RenameRunTest, StopPressedWhileABoxIsOpenEndsBeforeTheNextFile) {
  files({"a01.jpg", "b.jpg", "c.jpg", "d.jpg"});
  objCtrl.SwapFilesList(0, 1);  // b a01 c d
  rule("a", "2");
  toolkit.onBox = [&](const testing::BoxRecord& box) {
    if (box.style != 52) return;
    run.CmnStopRename();
    EXPECT_EQ(host.stop.caption(), "待機中 . . .");
    EXPECT_FALSE(host.stopItem.isEnabled());
  };
  start({mb::kIdOk, mb::kIdYes, mb::kIdNo});
  EXPECT_EQ(content(folder),
            (Rows{"a01.jpg=a01.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg", "d.jpg=d.jpg"}));
  EXPECT_EQ(logLines().back(), logLine("a01.jpg", "a02.jpg", kRenameInterrupted));
}

TEST_F(RenameRunTest, StopDuringTheLastFileComesTooLate) {
  files({"a.jpg", "b.jpg"});
  int yields = 0;
  toolkit.onYield = [&] {
    if (++yields == 3) run.CmnStopRename();
  };
  start();
  EXPECT_EQ(logLines().size(), 3u);  // no interruption line
  EXPECT_TRUE(statusShowed("ﾘﾈｰﾑ処理が完了しました。　(処理件数:２件中 エラー０件)"));
}

TEST_F(RenameRunTest, LogSwitchedOffAndOnMidRunFollowsTheSwitch) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  int yields = 0;
  toolkit.onYield = [&] {
    ++yields;
    if (yields == 2) settings.OutputLogRename(false);  // after file 1
    if (yields == 3) settings.OutputLogRename(true);   // after file 2
  };
  start();
  EXPECT_EQ(logLines(),
            (Rows{renameLogStartLine(clock.time), logLine("a.jpg", "x01.jpg", kRenamedOk),
                  logLine("c.jpg", "x03.jpg", kRenamedOk)}));
}

TEST_F(RenameRunTest, LogThatCannotBeWrittenShowsABoxPerLineAndRenamesEverything) {
  auto logs = dir.mkdir("logs");
  readSettings("OUTPUT_LOG_RENAME=1\r\nDIRPATH_LOG_RENAME=" + logs.string() + "\r\n");
  fs::remove_all(logs);
  dir.write("logs", "not a folder");
  files({"a.jpg", "b.jpg", "c.jpg"});
  start({mb::kIdOk, mb::kIdOk, mb::kIdOk, mb::kIdOk, mb::kIdOk, mb::kIdNo});
  const std::string failed = "16 リネームログ出力エラーが発生しました。";
  EXPECT_EQ(boxes(),
            (Rows{kConfirm, failed, failed, failed, failed, closing("３件中 エラー０件")}));
  EXPECT_EQ(toolkit.beeps, 5);  // the four log boxes and the closing question
  EXPECT_EQ(content(folder), (Rows{"x01.jpg=a.jpg", "x02.jpg=b.jpg", "x03.jpg=c.jpg"}));
  EXPECT_FALSE(fs::exists(dir / "BatoraEr.log"));  // its own box, not a reported error
}

TEST_F(RenameRunTest, FileFromASubfolderMovesUpIntoTheListedFolder) {
  files({"top.jpg", "sub/deep.jpg"}, 2);
  ASSERT_EQ(host.list.texts(),
            (Rows{"top.jpg", std::string("sub") + platform::kSeparator + "deep.jpg"}));
  host.list.rows[0].selected = false;
  start();
  EXPECT_EQ(content(folder), (Rows{"sub/", "top.jpg=top.jpg", "x01.jpg=sub/deep.jpg"}));
  EXPECT_TRUE(fs::is_empty(folder / "sub"));
}

TEST_F(RenameRunTest, NamesThatWouldLeaveTheFolderAreOrdinaryFailures) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  struct Row {
    const char* name;
    const char* ext;
  } rows[] = {{"x", "../../escape"}, {"", ""}, {"x", "a/b"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ext);
    toolkit.boxes.clear();
    for (auto& r : host.list.rows) r.selected = true;
    rule(row.name, "1", row.ext);
    start();
    EXPECT_EQ(boxes(), (Rows{kConfirm, closing("３件中 エラー３件")}));
    EXPECT_EQ(content(folder), (Rows{"a.jpg=a.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg"}));
    EXPECT_EQ(content(dir.path()).size(), 3u);  // Batora.ini, Batora.log, photos
  }
}

TEST_F(RenameRunTest, FileThatAlreadyHasItsNameIsNotACollision) {
  files({"x01.jpg", "y.jpg"});
  start();
  EXPECT_EQ(boxes(), (Rows{kConfirm, closing("２件中 エラー０件")}));
  EXPECT_EQ(logLines()[1], logLine("x01.jpg", "x01.jpg", kRenamedOk));
  EXPECT_EQ(content(folder), (Rows{"x01.jpg=x01.jpg", "x02.jpg=y.jpg"}));
}

TEST_F(RenameRunTest, NameThatIsNotUtf8IsRenamed) {
  files({std::string("photo\xFF.jpg")});
  start();
  EXPECT_EQ(content(folder), (Rows{std::string("x01.jpg=photo\xFF.jpg")}));
  // Shown with a replacement character, which code page 932 writes as "?".
  EXPECT_EQ(logLines()[1], logLine("photo?.jpg", "x01.jpg", kRenamedOk));
}

TEST_F(RenameRunTest, UnexpectedFailureReportsLogsAndEndsAtOnce) {
  files({"a.jpg", "b.jpg"});
  toolkit.answers = {mb::kIdOk};
  // The list breaks down once the run has locked the window.
  toolkit.onYield = [&] { host.list.broken = true; };
  EXPECT_THROW(run.CmnStartRename(), testing::ProcessEnded);
  EXPECT_EQ(boxes(), (Rows{kConfirm, "16 例外エラー！！ 強制終了します。\r\nlist box failed"}));
  EXPECT_NE(testing::readBytes(dir / "BatoraEr.log")
                .find(platform::utf8ToCp932("発生場所=CmnStartRename , エラー内容=例外エラー！！")),
            std::string::npos);
  EXPECT_FALSE(host.window.isEnabled("cmdGo"));  // nothing is unlocked on the way out
  EXPECT_EQ(content(folder), (Rows{"a.jpg=a.jpg", "b.jpg=b.jpg"}));
}

}  // namespace
}  // namespace batora
