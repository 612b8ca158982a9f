#include "renamelog.h"

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "faketoolkit.h"
#include "tempdir.h"

namespace batora {
namespace {

using testing::TempDir;

class RenameLogTest : public ::testing::Test {
 protected:
  void readSettings(const std::string& text) {
    dir.write("Batora.ini", platform::utf8ToCp932(text));
    ASSERT_TRUE(settings.ReadIniFile("Batora.ini", [](auto, auto) {}));
  }
  std::string log() { return testing::readBytes(dir / "Batora.log"); }

  TempDir dir;
  testing::FakeToolkit toolkit;
  testing::FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "Batora"};
};

TEST_F(RenameLogTest, LinesByteForByteInCodePage932) {
  readSettings("OUTPUT_LOG_RENAME=1\r\n");
  clock.time = {2000, 1, 2, 3, 4, 5};
  EXPECT_TRUE(OutputRenLog(func, "", "", "", true));
  EXPECT_TRUE(OutputRenLog(func, "/写真 2000/a b.jpg", "/写真 2000/夏　01.jpg", kRenamedOk));
  EXPECT_EQ(log(), platform::utf8ToCp932(
                       "*** Rename Start !!  [2000/01/02 03:04:05] ***\r\n"
                       "*** 2000/01/02 03:04:05, [/写真 2000/a b.jpg -> /写真 2000/夏　01.jpg] "
                       "リネーム正常終了 ***\r\n"));
  EXPECT_EQ(log().substr(0, 48), "*** Rename Start !!  [2000/01/02 03:04:05] ***\r\n");
  EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(RenameLogTest, SwitchedOffWritesNothingAndSucceeds) {
  EXPECT_TRUE(OutputRenLog(func, "a", "b", kRenamedOk));
  EXPECT_FALSE(std::filesystem::exists(dir / "Batora.log"));
}

TEST_F(RenameLogTest, LineThatCannotBeWrittenShowsItsOwnBoxNotLogged) {
  auto logs = dir.mkdir("logs");
  readSettings("OUTPUT_LOG_RENAME=1\r\nDIRPATH_LOG_RENAME=" + logs.string() + "\r\n");
  std::filesystem::remove_all(logs);
  dir.write("logs", "a file where the folder was");
  EXPECT_FALSE(OutputRenLog(func, "a", "b", kRenamedOk));
  EXPECT_FALSE(OutputRenLog(func, "", "", "", true));
  ASSERT_EQ(toolkit.boxes.size(), 2u);
  EXPECT_EQ(toolkit.boxes[0].text, "リネームログ出力エラーが発生しました。");
  EXPECT_EQ(toolkit.boxes[0].title, "Batora");
  EXPECT_EQ(toolkit.boxes[0].style, 16);
  EXPECT_EQ(toolkit.beeps, 2);
  EXPECT_FALSE(std::filesystem::exists(dir / "BatoraEr.log"));
}

}  // namespace
}  // namespace batora
