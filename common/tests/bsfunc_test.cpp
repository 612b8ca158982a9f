#include "bsfunc.h"

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "faketoolkit.h"
#include "platform.h"
#include "tempdir.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using testing::FakeStatusBar;

class BsFuncTest : public ::testing::Test {
 protected:
  void readSettings(std::string_view text) {
    dir.write("Batora.ini", platform::utf8ToCp932(text));
    ASSERT_TRUE(settings.ReadIniFile(
        "Batora.ini", [this](auto place, auto msg) { func.OutputErrLog(place, msg); }));
  }
  std::string errorLog() { return testing::readBytes(dir / "BatoraEr.log"); }

  testing::TempDir dir;
  testing::FakeToolkit toolkit;
  testing::FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "Batora"};
};

TEST_F(BsFuncTest, CriticalMessageBeepsShowsAndLogsAfterTheBox) {
  clock.time = {2000, 5, 31, 9, 5, 7};
  toolkit.onBox = [this](const testing::BoxRecord&) {
    EXPECT_FALSE(fs::exists(dir / "BatoraEr.log")) << "logged before the box closed";
  };
  EXPECT_EQ(
      func.ShowErrMsg(0, "例外エラー！！ 強制終了します。\r\nno such file", 16, "CmnStartRename"),
      mb::kIdOk);
  // A path inside a message cannot break the record or carry an escape into it.
  func.OutputErrLog("B", "second (/p/a\n2000/05/31 forged\x1b[2J)");
  EXPECT_EQ(toolkit.beeps, 1);
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0].title, "Batora");
  EXPECT_EQ(toolkit.boxes[0].style, 16);
  EXPECT_TRUE(toolkit.pointers.empty());
  // The first record runs over two physical lines, as its message has them; every byte is code
  // page 932.
  EXPECT_EQ(errorLog(), platform::utf8ToCp932(
                            "2000/05/31 09:05:07 , EXE名称=Batora , 発生場所=CmnStartRename"
                            " , エラー内容=例外エラー！！ 強制終了します。\r\nno such file\r\n"
                            "2000/05/31 09:05:07 , EXE名称=Batora , 発生場所=B , エラー内容=second "
                            "(/p/a?2000/05/31 forged?[2J)\r\n"));
  EXPECT_NE(errorLog().find("\x83\x47\x83\x89\x81\x5B"), std::string::npos);  // エラー in SJIS
}

TEST_F(BsFuncTest, OnlyStyleSixteenIsLoggedAndOnlyWhileErrorLoggingIsOn) {
  toolkit.answers = {mb::kIdNo, mb::kIdYes};
  EXPECT_EQ(func.ShowErrMsg(1, "q", 36, "p"), mb::kIdNo);
  EXPECT_EQ(toolkit.pointers, std::vector<int>{kPointerDefault});
  EXPECT_EQ(func.ShowErrMsg(0, "q", 52, "p"), mb::kIdYes);
  EXPECT_EQ(toolkit.pointers.size(), 1u);  // option 0 leaves the pointer alone
  for (int style : {48, 64, 16 + 4}) func.ShowErrMsg(0, "m", style, "p");
  EXPECT_FALSE(fs::exists(dir / "BatoraEr.log"));
  readSettings("OUTPUT_LOG_ERROR=0\r\nINIT_FINDDIR_OPTION=9\r\n");
  func.ShowErrMsg(0, "critical", 16, "p");
  EXPECT_EQ(toolkit.beeps, 6);
  EXPECT_FALSE(fs::exists(dir / "BatoraEr.log"));
}

TEST_F(BsFuncTest, SettingsChecksLogToTheConfiguredFolder) {
  auto logs = dir.mkdir(platform::pathFromUtf8("ログ"));
  readSettings("DIRPATH_LOG_ERROR=" + platform::pathToUtf8(logs) + "\r\nINIT_FINDDIR_OPTION=4\r\n");
  EXPECT_FALSE(fs::exists(dir / "BatoraEr.log"));
  EXPECT_EQ(testing::readBytes(logs / "BatoraEr.log"),
            platform::utf8ToCp932("2000/12/31 09:05:07 , EXE名称=Batora , 発生場所=ReadIniFile , "
                                  "エラー内容=パラメータ(INIT_FINDDIR_OPTION)エラーが発生しました。"
                                  "値が不正です。\r\n"));
}

TEST_F(BsFuncTest, LogThatCannotBeWrittenShowsItsOwnBoxAfterTheMessage) {
  // A log folder that became a regular file after start-up cannot hold the log.
  auto folder = dir.mkdir("real");
  readSettings("DIRPATH_LOG_ERROR=" + folder.string() + "\r\n");
  fs::remove_all(folder);
  dir.write("real", "now a file");
  EXPECT_EQ(func.ShowErrMsg(0, "report", 16, "p"), mb::kIdOk);
  ASSERT_EQ(toolkit.boxes.size(), 2u);
  EXPECT_EQ(toolkit.boxes[0].text, "report");
  EXPECT_EQ(toolkit.boxes[1].text, "エラーログ出力エラーが発生しました。");
  EXPECT_EQ(toolkit.boxes[1].style, 16);
  EXPECT_EQ(toolkit.beeps, 2);
}

TEST_F(BsFuncTest, StatusTextThrottleSurvivesTheTickWrappingAround) {
  FakeStatusBar bar;
  struct Step {
    std::uint32_t tick;
    bool throttled;
    bool shown;
  } steps[] = {
      {5, true, true},                                // the first throttled text always shows
      {55, true, false},         {205, true, false},  // not more than 200 ms
      {206, true, true},         {210, false, true},  // without interval: always, and no reset
      {300, true, false},        {407, true, true},
      {0xFFFFFF00u, true, true}, {0x10u, true, true},  // 272 ms later, across the wrap
      {0x20u, true, false},
  };
  for (const auto& s : steps) {
    SCOPED_TRACE(s.tick);
    clock.tick = s.tick;
    size_t before = bar.history.size();
    func.SetStatusText(bar, "t" + std::to_string(s.tick),
                       s.throttled ? std::optional<std::uint32_t>(200) : std::nullopt);
    EXPECT_EQ(bar.history.size() > before, s.shown);
  }
  EXPECT_EQ(bar.panelText("stbpText"), "t16");
  EXPECT_EQ(bar.repaints, 6);
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
      {"index.html", 1, "エラーが発生しました。(原因不明のエラーです）"},
      {"index.html", 0, "エラーが発生しました。(メモリ又はリソース不足です）"},
      {"none.html", 42, "ファイルが見つかりません。(" + (help / "none.html").string() + ")"},
      {"", 42, "ファイルが見つかりません。(" + help.string() + ")"},  // a folder is no file
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.file + " " + std::to_string(row.code));
    toolkit.boxes.clear();
    toolkit.opened.clear();
    toolkit.openResult = row.code;
    func.ExecRefFile(row.file, help.string());
    ASSERT_EQ(toolkit.boxes.size(), row.message.empty() ? 0u : 1u);
    if (!row.message.empty()) {
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

}  // namespace
}  // namespace batora
