#include "bsfunc.h"

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "faketoolkit.h"
#include "platform.h"
#include "tempdir.h"

namespace batora {
namespace {

using testing::FakeClock;
using testing::FakeStatusBar;
using testing::FakeToolkit;
using testing::TempDir;

class BsFuncTest : public ::testing::Test {
 protected:
  void readSettings(std::string_view text) {
    dir.write("Batora.ini", platform::utf8ToCp932(text));
    ASSERT_TRUE(settings.ReadIniFile(
        "Batora.ini", [this](auto place, auto msg) { func.OutputErrLog(place, msg); }));
  }
  std::string errorLog() { return testing::readBytes(dir / "BatoraEr.log"); }

  TempDir dir;
  FakeToolkit toolkit;
  FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "Batora"};
};

TEST_F(BsFuncTest, CriticalMessageBeepsShowsAndLogsAfterTheBox) {
  clock.time = {2000, 5, 31, 9, 5, 7};
  toolkit.onBox = [this](const testing::BoxRecord&) {
    EXPECT_FALSE(std::filesystem::exists(dir / "BatoraEr.log")) << "logged before the box closed";
  };
  EXPECT_EQ(
      func.ShowErrMsg(0, "例外エラー！！ 強制終了します。\r\nno such file", 16, "CmnStartRename"),
      mb::kIdOk);
  EXPECT_EQ(toolkit.beeps, 1);
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0].title, "Batora");
  EXPECT_EQ(toolkit.boxes[0].style, 16);
  EXPECT_TRUE(toolkit.pointers.empty());
  // The record runs over two physical lines; every byte is code page 932.
  EXPECT_EQ(errorLog(), platform::utf8ToCp932(
                            "2000/05/31 09:05:07 , EXE名称=Batora , 発生場所=CmnStartRename"
                            " , エラー内容=例外エラー！！ 強制終了します。\r\nno such file\r\n"));
  EXPECT_EQ(errorLog().substr(0, 20), "2000/05/31 09:05:07 ");
  EXPECT_NE(errorLog().find("\x83\x47\x83\x89\x81\x5B"), std::string::npos);  // エラー in SJIS
}

TEST_F(BsFuncTest, OnlyStyleSixteenIsLogged) {
  for (int style : {48, 64, 36, 52, 16 + 4}) {
    SCOPED_TRACE(style);
    func.ShowErrMsg(0, "message", style, "place");
  }
  EXPECT_FALSE(std::filesystem::exists(dir / "BatoraEr.log"));
  EXPECT_EQ(toolkit.beeps, 5);
}

TEST_F(BsFuncTest, AnswersAndMousePointer) {
  toolkit.answers = {mb::kIdNo, mb::kIdYes};
  EXPECT_EQ(func.ShowErrMsg(1, "q", 36, "p"), mb::kIdNo);
  EXPECT_EQ(toolkit.pointers, std::vector<int>{kPointerDefault});
  EXPECT_EQ(func.ShowErrMsg(0, "q", 52, "p"), mb::kIdYes);
  EXPECT_EQ(toolkit.pointers.size(), 1u);  // option 0 leaves the pointer alone
}

TEST_F(BsFuncTest, RecordsAppendInCallOrderWithTheSameSecond) {
  func.OutputErrLog("A", "first");
  func.OutputErrLog("B", "second");
  EXPECT_EQ(errorLog(),
            platform::utf8ToCp932(
                "2000/12/31 09:05:07 , EXE名称=Batora , 発生場所=A , エラー内容=first\r\n"
                "2000/12/31 09:05:07 , EXE名称=Batora , 発生場所=B , エラー内容=second\r\n"));
}

TEST_F(BsFuncTest, ErrorLogSwitchedOffWritesNothing) {
  readSettings("OUTPUT_LOG_ERROR=0\r\nINIT_FINDDIR_OPTION=9\r\n");
  func.ShowErrMsg(0, "critical", 16, "p");
  EXPECT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.beeps, 1);
  EXPECT_FALSE(std::filesystem::exists(dir / "BatoraEr.log"));
}

TEST_F(BsFuncTest, SettingsChecksLogToTheConfiguredFolder) {
  auto logs = dir.mkdir(platform::pathFromUtf8("ログ"));
  readSettings("DIRPATH_LOG_ERROR=" + platform::pathToUtf8(logs) + "\r\nINIT_FINDDIR_OPTION=4\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir / "BatoraEr.log"));
  EXPECT_EQ(testing::readBytes(logs / "BatoraEr.log"),
            platform::utf8ToCp932("2000/12/31 09:05:07 , EXE名称=Batora , 発生場所=ReadIniFile , "
                                  "エラー内容=パラメータ(INIT_FINDDIR_OPTION)エラーが発生しました。"
                                  "値が不正です。\r\n"));
}

TEST_F(BsFuncTest, LogThatCannotBeWrittenShowsItsOwnBoxAfterTheMessage) {
  // A log folder that became a regular file after start-up cannot hold the log.
  auto folder = dir.mkdir("real");
  readSettings("DIRPATH_LOG_ERROR=" + folder.string() + "\r\n");
  std::filesystem::remove_all(folder);
  dir.write("real", "now a file");
  EXPECT_EQ(func.ShowErrMsg(0, "report", 16, "p"), mb::kIdOk);
  ASSERT_EQ(toolkit.boxes.size(), 2u);
  EXPECT_EQ(toolkit.boxes[0].text, "report");
  EXPECT_EQ(toolkit.boxes[1].text, "エラーログ出力エラーが発生しました。");
  EXPECT_EQ(toolkit.boxes[1].title, "Batora");
  EXPECT_EQ(toolkit.boxes[1].style, 16);
  EXPECT_EQ(toolkit.beeps, 2);
}

TEST_F(BsFuncTest, StatusTextThrottle) {
  FakeStatusBar bar;
  struct Step {
    std::uint32_t tick;
    bool throttled;
    bool shown;
  } steps[] = {
      {5, true, true},  // the first throttled text always shows
      {55, true, false},  {105, true, false}, {205, true, false},  // not more than 200 ms
      {206, true, true},  {210, false, true},  // without interval: always, and no reset
      {300, true, false}, {407, true, true},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.tick);
    clock.tick = s.tick;
    size_t before = bar.history.size();
    func.SetStatusText(bar, "t" + std::to_string(s.tick),
                       s.throttled ? std::optional<std::uint32_t>(200) : std::nullopt);
    EXPECT_EQ(bar.history.size() > before, s.shown);
  }
  EXPECT_EQ(bar.panelText("stbpText"), "t407");
  EXPECT_EQ(bar.repaints, 4);
}

TEST_F(BsFuncTest, StatusTextThrottleSurvivesTheTickWrappingAround) {
  FakeStatusBar bar;
  clock.tick = 0xFFFFFF00u;
  func.SetStatusText(bar, "before", 100);
  clock.tick = 0x10u;  // 272 ms later
  func.SetStatusText(bar, "after", 100);
  clock.tick = 0x20u;
  func.SetStatusText(bar, "too soon", 100);
  EXPECT_EQ(bar.history, (std::vector<std::string>{"before", "after"}));
}

TEST_F(BsFuncTest, ExecRefFileReportsMissingFilesAndShellCodes) {
  auto help = dir.mkdir("help");
  dir.write("help/index.html", "<html></html>");
  struct Row {
    std::string file;
    int code;
    std::string message;  // empty: nothing shown
  } rows[] = {
      {"index.html", 42, ""},
      {"index.html", 31, "エラーが発生しました。(関連付けされたｱﾌﾟﾘｹｰｼｮﾝが存在しません）"},
      {"index.html", 26, "エラーが発生しました。(共有違反が発生しました）"},
      {"index.html", 1, "エラーが発生しました。(原因不明のエラーです）"},
      {"index.html", 0, "エラーが発生しました。(メモリ又はリソース不足です）"},
      {"none.html", 42, "ファイルが見つかりません。(" + (help / "none.html").string() + ")"},
      {"", 42, "ファイルが見つかりません。(" + help.string() + ")"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file + " " + std::to_string(row.code));
    toolkit.boxes.clear();
    toolkit.opened.clear();
    toolkit.openResult = row.code;
    func.ExecRefFile(row.file, help.string());
    if (row.message.empty()) {
      EXPECT_TRUE(toolkit.boxes.empty());
    } else {
      ASSERT_EQ(toolkit.boxes.size(), 1u);
      EXPECT_EQ(toolkit.boxes[0].text, row.message);
      EXPECT_EQ(toolkit.boxes[0].style, 16);
    }
    if (row.file == "index.html") {
      ASSERT_EQ(toolkit.opened.size(), 1u);
      EXPECT_EQ(toolkit.opened[0].file, "index.html");  // the name as passed, not the full path
      EXPECT_EQ(toolkit.opened[0].folder, help.string());
    }
  }
  EXPECT_NE(errorLog().find(platform::utf8ToCp932("発生場所=ExecRefFile")), std::string::npos);
}

TEST(IsExistFileTest, OnlyReadableFilesExist) {
  TempDir dir;
  auto file = dir.write("a file.txt", "x");
  EXPECT_TRUE(IsExistFile(file.string()));
  EXPECT_TRUE(IsExistFile("  " + file.string() + "  "));
  EXPECT_FALSE(IsExistFile(dir.path().string()));  // a folder is not a readable file
  EXPECT_FALSE(IsExistFile((dir / "missing").string()));
  EXPECT_FALSE(IsExistFile(""));
  EXPECT_FALSE(IsExistFile("   "));
}

}  // namespace
}  // namespace batora
