#include "renamerun.h"

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "renamehostfake.h"
#include "renamelog.h"
#include "tempdir.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using testing::FakeCheckField;
using testing::FakeTextField;
using testing::TempDir;
using Rows = std::vector<std::string>;

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
  // Creates the files (content = own name) and lists the folder.
  void files(std::initializer_list<std::string> names, int depth = 1) {
    for (const auto& n : names) dir.write(fs::path("photos") / n, n);
    host.depth = depth;
    ASSERT_FALSE(objCtrl.SetFileList(host.window, folder, depth, host.status));
  }
  void selectAll() {
    for (auto& r : host.list.rows) r.selected = true;
  }
  void rule(std::string name, std::string digits, std::string ext = "jpg", int back = 1) {
    txtName.value = std::move(name);
    txtSeq.value = std::move(digits);
    txtExp.value = std::move(ext);
    chbBackSeq.state = back;
  }
  Rows folderContent(const fs::path& where) const {
    Rows names;
    for (const auto& e : fs::directory_iterator(where))
      names.push_back(e.path().filename().string() +
                      (e.is_regular_file() ? "=" + testing::readBytes(e.path()) : "/"));
    std::sort(names.begin(), names.end());
    return names;
  }
  // The log without its time stamps.
  Rows logLines() const {
    std::string text = platform::cp932ToUtf8(testing::readBytes(dir / "Batora.log"));
    Rows lines;
    size_t pos = 0;
    for (size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
      lines.push_back(text.substr(pos, end - pos));
    return lines;
  }
  std::string file(const std::string& name) const { return (folder / name).string(); }
  Rows boxTexts() const {
    Rows texts;
    for (const auto& b : toolkit.boxes) texts.push_back(b.text);
    return texts;
  }
  std::string logFileLine(const std::string& from, const std::string& to, std::string_view result) {
    return renameLogFileLine(clock.time, from, to, result);
  }

  TempDir dir;
  fs::path folder;
  testing::FakeToolkit toolkit;
  testing::FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "Batora"};
  testing::FakeRenameHost host{toolkit};
  testing::FakeLabel label;
  clsObjCtrl objCtrl{func};
  FakeTextField txtName{"x"}, txtExp{"jpg"}, txtSeq{"2"}, txtSample;
  FakeCheckField chbBackSeq{1};
  NamingRule namingRule{txtName, txtExp, txtSeq, chbBackSeq, txtSample, clock};
  RenameRun run{func, objCtrl, namingRule, host};
};

constexpr std::string_view kConfirm =
    "ファイル名の順番は間違いないですね？\r\nリネームを開始します。";

TEST_F(RenameRunTest, EveryCheckRefusesWithItsMessageBeforeAnythingChanges) {
  files({"a.jpg", "b.jpg", "c.jpg", "d.jpg", "e.jpg", "f.jpg", "g.jpg", "h.jpg", "i.jpg", "j.jpg"});
  struct Row {
    int selected;
    const char* name;
    const char* digits;
    const char* message;
  } rows[] = {
      {0, "x", "2", "リネームするファイルを指定してください。"},
      {3, "x", "", "桁数は数値を指定して下さい。"},
      {3, "x", "a", "桁数は数値を指定して下さい。"},
      {3, "x", "0", "桁数は１～４の範囲で指定して下さい。"},
      {3, "x", "5", "桁数は１～４の範囲で指定して下さい。"},
      {3, "x", "５", "桁数は１～４の範囲で指定して下さい。"},
      {10, "x", "1",
       "対象ファイル数と桁数の関係が不正です。\r\n桁数が１の場合、選択できるファイルの数は１～９で"
       "す。"},
      {3, "a:b", "2", "ファイル名が不正です。次の文字は使用できません。\r\n\\ / : * ? \" < > |"},
      {3, " a|b ", "2", "ファイル名が不正です。次の文字は使用できません。\r\n\\ / : * ? \" < > |"},
  };
  const Rows before = folderContent(folder);
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message);
    toolkit.boxes.clear();
    for (int i = 0; i < host.list.rowCount(); ++i) host.list.rows[i].selected = i < row.selected;
    rule(row.name, row.digits);
    run.CmnStartRename();
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, row.message);
    EXPECT_EQ(toolkit.boxes[0].style, 48);
  }
  EXPECT_EQ(folderContent(folder), before);
  EXPECT_FALSE(fs::exists(dir / "Batora.log"));
  EXPECT_FALSE(fs::exists(dir / "BatoraEr.log"));
  EXPECT_TRUE(toolkit.pointers.empty());
  EXPECT_TRUE(host.window.lockHistory == std::vector<bool>({true, false}));  // the search only
}

TEST_F(RenameRunTest, DigitLimitsAllowNineAndRefuseTen) {
  files({"1", "2", "3", "4", "5", "6", "7", "8", "9"});
  selectAll();
  rule("n", "1");
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  run.CmnStartRename();
  EXPECT_EQ(toolkit.boxes[0].text, kConfirm);
  EXPECT_EQ(folderContent(folder), (Rows{"n1.jpg=1", "n2.jpg=2", "n3.jpg=3", "n4.jpg=4", "n5.jpg=5",
                                         "n6.jpg=6", "n7.jpg=7", "n8.jpg=8", "n9.jpg=9"}));
}

TEST_F(RenameRunTest, CancelAtTheConfirmationChangesNothing) {
  files({"a.jpg", "b.jpg"});
  selectAll();
  toolkit.answers = {mb::kIdCancel};
  run.CmnStartRename();
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0].text, kConfirm);
  EXPECT_EQ(toolkit.boxes[0].title, "Batora");
  EXPECT_EQ(toolkit.boxes[0].style, 33);
  EXPECT_EQ(toolkit.beeps, 0);  // a plain box, not a reported message
  EXPECT_EQ(folderContent(folder), (Rows{"a.jpg=a.jpg", "b.jpg=b.jpg"}));
  EXPECT_FALSE(fs::exists(dir / "Batora.log"));
  EXPECT_TRUE(host.window.isEnabled("cmdGo"));
  EXPECT_TRUE(toolkit.pointers.empty());
}

TEST_F(RenameRunTest, ListOrderDecidesTheNumbersAndTheWholeRunIsReported) {
  files({"A.jpg", "B.jpg", "C.jpg"});
  objCtrl.SwapFilesList(0, 2);  // C B A
  objCtrl.SwapFilesList(1, 2);  // C A B
  selectAll();
  rule("x", "2");
  bool lockedWhileRunning = false;
  toolkit.onYield = [&] { lockedWhileRunning = !host.window.isEnabled("cmdGo"); };
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  host.sortDesc = 1;
  run.CmnStartRename();

  EXPECT_EQ(folderContent(folder), (Rows{"x01.jpg=C.jpg", "x02.jpg=A.jpg", "x03.jpg=B.jpg"}));
  EXPECT_TRUE(lockedWhileRunning);
  EXPECT_EQ(logLines(), (Rows{renameLogStartLine(clock.time),
                              logFileLine(file("C.jpg"), file("x01.jpg"), kRenamedOk),
                              logFileLine(file("A.jpg"), file("x02.jpg"), kRenamedOk),
                              logFileLine(file("B.jpg"), file("x03.jpg"), kRenamedOk)}));
  ASSERT_EQ(toolkit.boxes.size(), 2u);
  EXPECT_EQ(
      toolkit.boxes[1].text,
      "処理が完了しました。\r\n\r\n　(処理件数:３件中 エラー０件)\r\n\r\nBatoraを終了しますか？");
  EXPECT_EQ(toolkit.boxes[1].style, 36);
  EXPECT_NE(std::find(host.status.history.begin(), host.status.history.end(),
                      "ﾘﾈｰﾑ処理が完了しました。　(処理件数:３件中 エラー０件)"),
            host.status.history.end());
  // No at the closing question: searched again, sorted by name in the box's direction.
  EXPECT_FALSE(host.unloaded);
  EXPECT_EQ(host.list.texts(), (Rows{"x03.jpg", "x02.jpg", "x01.jpg"}));
  EXPECT_EQ(host.list.selectedCount(), 0);
  EXPECT_EQ(host.status.panelText("stbpText"), folder.string());
  EXPECT_TRUE(host.window.isEnabled("cmdGo"));
  EXPECT_FALSE(host.stop.isEnabled());
  EXPECT_FALSE(host.stopItem.isEnabled());
  EXPECT_EQ(toolkit.pointers, (std::vector<int>{13, 0, 0}));
}

TEST_F(RenameRunTest, YesAtTheClosingQuestionUnloadsWithoutRebuilding) {
  files({"a.jpg"});
  selectAll();
  toolkit.answers = {mb::kIdOk, mb::kIdYes};
  run.CmnStartRename();
  EXPECT_TRUE(host.unloaded);
  EXPECT_EQ(host.list.texts(), Rows{"a.jpg"});  // not rebuilt
}

TEST_F(RenameRunTest, LockLeavesTheStopCommandAndTopMenusUsable) {
  files({"a.jpg", "b.jpg"});
  selectAll();
  std::map<std::string, bool> during;
  toolkit.onYield = [&] {
    for (const auto& c : host.window.controls) during[c.info.name] = c.enabled;
  };
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  host.window.controls[1].enabled = false;  // DrvLstBox disabled before the run
  run.CmnStartRename();
  for (const char* name : {"cmdStop", "mnStop", "mnFile", "mnEdit", "mnActive", "mnHelp",
                           "lblDrive", "stbStatus", "mnDiv"})
    EXPECT_TRUE(during[name]) << name;
  for (const char* name : {"DrvLstBox", "lstFile", "cmdGo", "mnEnd", "mnGo", "optSearch"})
    EXPECT_FALSE(during[name]) << name;
  EXPECT_TRUE(host.window.isEnabled("DrvLstBox"));  // unlocking enables whatever it reaches
}

TEST_F(RenameRunTest, CollisionAnsweredYesSkipsAndTheLastOneIsOnlyNoticed) {
  files({"a01.jpg", "a02.jpg"});
  objCtrl.SwapFilesList(0, 1);  // a02 a01: both targets are taken by the other
  selectAll();
  rule("a", "2");
  toolkit.answers = {mb::kIdOk, mb::kIdYes, mb::kIdOk, mb::kIdNo};
  run.CmnStartRename();
  const std::string collision1 =
      "エラーが発生しました。\r\n同名のファイルが他に存在します。\r\n　(" + file("a02.jpg") +
      " --> a01.jpg)";
  const std::string collision2 =
      "エラーが発生しました。\r\n同名のファイルが他に存在します。\r\n　(" + file("a01.jpg") +
      " --> a02.jpg)";
  ASSERT_EQ(toolkit.boxes.size(), 4u);
  EXPECT_EQ(toolkit.boxes[1].text,
            collision1 + "\r\n\r\n該当ファイルをスキップして処理を続行しますか？");
  EXPECT_EQ(toolkit.boxes[1].style, 52);
  EXPECT_EQ(toolkit.boxes[2].text, collision2 + "\r\n\r\n該当ファイルはスキップされました。");
  EXPECT_EQ(toolkit.boxes[2].style, 48);
  EXPECT_NE(toolkit.boxes[3].text.find("　(処理件数:２件中 エラー２件)"), std::string::npos);
  // Nothing overwritten: each file still holds its own content.
  EXPECT_EQ(folderContent(folder), (Rows{"a01.jpg=a01.jpg", "a02.jpg=a02.jpg"}));
  EXPECT_EQ(logLines().size(), 3u);
  EXPECT_EQ(logLines()[1], logFileLine(file("a02.jpg"), file("a01.jpg"), kRenameFailed));
  EXPECT_NE(std::find(host.status.history.begin(), host.status.history.end(),
                      file("a02.jpg") + "のﾘﾈｰﾑ 異常終了"),
            host.status.history.end());
}

TEST_F(RenameRunTest, CollisionAnsweredNoLeavesTheRestUntouched) {
  files({"a01.jpg", "b.jpg", "c.jpg"});
  objCtrl.SwapFilesList(0, 1);  // b a01 c: b wants a01
  selectAll();
  rule("a", "2");
  toolkit.answers = {mb::kIdOk, mb::kIdNo, mb::kIdNo};
  run.CmnStartRename();
  EXPECT_EQ(folderContent(folder), (Rows{"a01.jpg=a01.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg"}));
  EXPECT_EQ(logLines(), (Rows{renameLogStartLine(clock.time),
                              logFileLine(file("b.jpg"), file("a01.jpg"), kRenameFailed),
                              logFileLine(file("a01.jpg"), file("a02.jpg"), kRenameInterrupted)}));
  EXPECT_EQ(host.status.history[host.status.history.size() - 2],
            "ﾘﾈｰﾑは中断されました。(３件中 １件処理済み 未処理の先頭:" + file("a01.jpg") + ")");
  EXPECT_EQ(
      toolkit.boxes.back().text,
      "処理が完了しました。\r\n\r\n　(処理件数:３件中 エラー１件)\r\n\r\nBatoraを終了しますか？");
}

TEST_F(RenameRunTest, StopAfterFileKLeavesTheRestUntouched) {
  std::initializer_list<std::string> names = {"f01", "f02", "f03", "f04", "f05", "f06",
                                              "f07", "f08", "f09", "f10", "f11", "f12"};
  files(names);
  selectAll();
  rule("r", "3");
  int yields = 0;
  toolkit.onYield = [&] {
    // The first yield comes before the loop; the fifth file's yield is the sixth.
    if (++yields != 6) return;
    EXPECT_TRUE(host.stop.isEnabled());
    run.CmnStopRename();
  };
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  run.CmnStartRename();
  const Rows content = folderContent(folder);
  EXPECT_EQ(std::count_if(content.begin(), content.end(), [](auto& n) { return n[0] == 'r'; }), 5);
  EXPECT_EQ(std::count_if(content.begin(), content.end(), [](auto& n) { return n[0] == 'f'; }), 7);
  EXPECT_TRUE(fs::exists(folder / "f06"));
  const Rows lines = logLines();
  ASSERT_EQ(lines.size(), 7u);
  EXPECT_EQ(lines[6], logFileLine(file("f06"), file("r006.jpg"), kRenameInterrupted));
  EXPECT_EQ(
      toolkit.boxes.back().text,
      "処理が完了しました。\r\n\r\n　(処理件数:１２件中 エラー０件)\r\n\r\nBatoraを終了しますか？");
  EXPECT_NE(
      std::find(host.status.history.begin(), host.status.history.end(),
                "ﾘﾈｰﾑは中断されました。(１２件中 ５件処理済み 未処理の先頭:" + file("f06") + ")"),
      host.status.history.end());
  EXPECT_EQ(host.stop.caption(), "ﾘﾈｰﾑ中断(&X)");  // restored after the stop changed it
  EXPECT_EQ(host.stopItem.caption(), "ﾘﾈｰﾑ中断(&X)");
  EXPECT_FALSE(host.stop.isEnabled());
}

TEST_F(RenameRunTest, StopPressedWhileABoxIsOpenEndsBeforeTheNextFile) {
  files({"a01.jpg", "b.jpg", "c.jpg", "d.jpg"});
  objCtrl.SwapFilesList(0, 1);  // b a01 c d
  selectAll();
  rule("a", "2");
  toolkit.onBox = [&](const testing::BoxRecord& box) {
    if (box.style == 52) {
      run.CmnStopRename();
      EXPECT_EQ(host.stop.caption(), "待機中 . . .");
      EXPECT_FALSE(host.stopItem.isEnabled());
    }
  };
  toolkit.answers = {mb::kIdOk, mb::kIdYes, mb::kIdNo};
  run.CmnStartRename();
  EXPECT_EQ(folderContent(folder),
            (Rows{"a01.jpg=a01.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg", "d.jpg=d.jpg"}));
  EXPECT_EQ(logLines().back(), logFileLine(file("a01.jpg"), file("a02.jpg"), kRenameInterrupted));
}

TEST_F(RenameRunTest, StopDuringTheLastFileComesTooLate) {
  files({"a.jpg", "b.jpg"});
  selectAll();
  int yields = 0;
  toolkit.onYield = [&] {
    if (++yields == 3) run.CmnStopRename();
  };
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  run.CmnStartRename();
  EXPECT_EQ(logLines().size(), 3u);  // no interruption line
  EXPECT_NE(std::find(host.status.history.begin(), host.status.history.end(),
                      "ﾘﾈｰﾑ処理が完了しました。　(処理件数:２件中 エラー０件)"),
            host.status.history.end());
}

TEST_F(RenameRunTest, LogSwitchedOffAndOnMidRunFollowsTheSwitch) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  selectAll();
  int yields = 0;
  toolkit.onYield = [&] {
    ++yields;
    if (yields == 2) settings.OutputLogRename(false);  // after file 1
    if (yields == 3) settings.OutputLogRename(true);   // after file 2
  };
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  run.CmnStartRename();
  EXPECT_EQ(logLines(), (Rows{renameLogStartLine(clock.time),
                              logFileLine(file("a.jpg"), file("x01.jpg"), kRenamedOk),
                              logFileLine(file("c.jpg"), file("x03.jpg"), kRenamedOk)}));
}

TEST_F(RenameRunTest, LogThatCannotBeWrittenShowsABoxPerLineAndRenamesEverything) {
  auto logs = dir.mkdir("logs");
  readSettings("OUTPUT_LOG_RENAME=1\r\nDIRPATH_LOG_RENAME=" + logs.string() + "\r\n");
  fs::remove_all(logs);
  dir.write("logs", "not a folder");
  files({"a.jpg", "b.jpg", "c.jpg"});
  selectAll();
  toolkit.answers = {mb::kIdOk, mb::kIdOk, mb::kIdOk, mb::kIdOk, mb::kIdOk, mb::kIdNo};
  run.CmnStartRename();
  const Rows texts = boxTexts();
  EXPECT_EQ(std::count(texts.begin(), texts.end(), "リネームログ出力エラーが発生しました。"), 4);
  EXPECT_EQ(folderContent(folder), (Rows{"x01.jpg=a.jpg", "x02.jpg=b.jpg", "x03.jpg=c.jpg"}));
  EXPECT_FALSE(fs::exists(dir / "BatoraEr.log"));
}

TEST_F(RenameRunTest, FileFromASubfolderMovesUpIntoTheListedFolder) {
  files({"top.jpg", "sub/deep.jpg"}, 2);
  ASSERT_EQ(host.list.texts(),
            (Rows{"top.jpg", std::string("sub") + platform::kSeparator + "deep.jpg"}));
  host.list.rows[1].selected = true;
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  run.CmnStartRename();
  EXPECT_EQ(folderContent(folder), (Rows{"sub/", "top.jpg=top.jpg", "x01.jpg=sub/deep.jpg"}));
  EXPECT_TRUE(fs::is_empty(folder / "sub"));
}

TEST_F(RenameRunTest, NamesThatWouldLeaveTheFolderAreOrdinaryFailures) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  selectAll();
  struct Row {
    const char* name;
    const char* ext;
  } rows[] = {{"x", "../../escape"}, {"", ""}, {"x", "a/b"}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.ext);
    toolkit.boxes.clear();
    selectAll();
    rule(row.name, "1", row.ext);
    toolkit.answers = {mb::kIdOk, mb::kIdNo};
    run.CmnStartRename();
    ASSERT_EQ(toolkit.boxes.size(), 2u);  // confirmation and closing question only
    EXPECT_NE(toolkit.boxes[1].text.find("３件中 エラー３件"), std::string::npos);
    EXPECT_EQ(folderContent(folder), (Rows{"a.jpg=a.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg"}));
    EXPECT_EQ(folderContent(dir.path()).size(), 3u);  // Batora.ini, Batora.log, photos
  }
}

TEST_F(RenameRunTest, FileThatAlreadyHasItsNameIsNotACollision) {
  files({"x01.jpg", "y.jpg"});
  selectAll();
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  run.CmnStartRename();
  ASSERT_EQ(toolkit.boxes.size(), 2u);
  EXPECT_NE(toolkit.boxes[1].text.find("２件中 エラー０件"), std::string::npos);
  EXPECT_EQ(logLines()[1], logFileLine(file("x01.jpg"), file("x01.jpg"), kRenamedOk));
  EXPECT_EQ(folderContent(folder), (Rows{"x01.jpg=x01.jpg", "x02.jpg=y.jpg"}));
}

TEST_F(RenameRunTest, NameThatIsNotUtf8IsRenamed) {
  files({std::string("photo\xFF.jpg")});
  selectAll();
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  run.CmnStartRename();
  EXPECT_EQ(folderContent(folder), (Rows{std::string("x01.jpg=photo\xFF.jpg")}));
  // Shown with a replacement character, which code page 932 writes as "?".
  EXPECT_EQ(logLines()[1], logFileLine(file("photo?.jpg"), file("x01.jpg"), kRenamedOk));
}

TEST_F(RenameRunTest, SuccessTextsAreThrottledFailuresAlwaysShown) {
  files({"a.jpg", "b.jpg", "c.jpg", "x02.jpg"});
  for (int i = 0; i < 3; ++i) host.list.rows[i].selected = true;
  clock.tick = 5000;  // time stands still during the run
  toolkit.answers = {mb::kIdOk, mb::kIdYes, mb::kIdNo};
  run.CmnStartRename();
  Rows perFile;
  for (const auto& t : host.status.history)
    if (t.find("のﾘﾈｰﾑ") != std::string::npos) perFile.push_back(t);
  EXPECT_EQ(perFile, (Rows{file("a.jpg") + "のﾘﾈｰﾑ 正常終了", file("b.jpg") + "のﾘﾈｰﾑ 異常終了"}));
}

TEST_F(RenameRunTest, UnexpectedFailureReportsLogsAndEndsAtOnce) {
  files({"a.jpg", "b.jpg"});
  selectAll();
  toolkit.answers = {mb::kIdOk};
  // The list breaks down once the run has locked the window.
  toolkit.onYield = [&] { host.list.broken = true; };
  EXPECT_THROW(run.CmnStartRename(), testing::ProcessEnded);
  ASSERT_EQ(toolkit.boxes.size(), 2u);
  EXPECT_EQ(toolkit.boxes[1].text, "例外エラー！！ 強制終了します。\r\nlist box failed");
  EXPECT_EQ(toolkit.boxes[1].style, 16);
  EXPECT_NE(testing::readBytes(dir / "BatoraEr.log")
                .find(platform::utf8ToCp932("発生場所=CmnStartRename , エラー内容=例外エラー！！")),
            std::string::npos);
  EXPECT_FALSE(host.window.isEnabled("cmdGo"));  // nothing is unlocked on the way out
  EXPECT_EQ(folderContent(folder), (Rows{"a.jpg=a.jpg", "b.jpg=b.jpg"}));
}

}  // namespace
}  // namespace batora
