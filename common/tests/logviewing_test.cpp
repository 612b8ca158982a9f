#include <gtest/gtest.h>

#include "fakeclock.h"
#include "faketoolkit.h"
#include "logswitches.h"
#include "tempdir.h"

namespace batora {
namespace {

class ScriptedViewer : public LogViewer {
 public:
  bool succeeds = true;
  std::vector<std::filesystem::path> shown;
  bool showLog(const std::filesystem::path& log) override {
    shown.push_back(log);
    return succeeds;
  }
};

class LogViewingTest : public ::testing::Test {
 protected:
  LogViewingTest() {
    dir.write("Batora.ini", "");
    EXPECT_TRUE(settings.ReadIniFile("Batora.ini", [](auto, auto) {}));
  }
  testing::TempDir dir;
  testing::FakeToolkit toolkit;
  testing::FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "Batora"};
  testing::FakeMenuItem menu;
  testing::FakeStatusBar bar;
  LogSwitches switches{settings, menu, bar, Picture{1}};
  ScriptedViewer viewer;
};

TEST_F(LogViewingTest, MissingLogIsAWarningNotAnError) {
  switches.mnViewRenLog_Click(func, viewer);
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0].text, "リネームログファイルがありません。\r\n");
  EXPECT_EQ(toolkit.boxes[0].style, 48);
  EXPECT_TRUE(viewer.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "BatoraEr.log"));
}

TEST_F(LogViewingTest, ExistingLogIsShownAndAFailingViewerIsReported) {
  dir.write("Batora.log", "x\r\n");
  switches.mnViewRenLog_Click(func, viewer);
  EXPECT_TRUE(toolkit.boxes.empty());
  EXPECT_EQ(viewer.shown, std::vector<std::filesystem::path>{dir / "Batora.log"});
  viewer.succeeds = false;
  switches.mnViewRenLog_Click(func, viewer);
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0].text, "ログファイルの表示に失敗しました。\r\n");
  EXPECT_EQ(toolkit.boxes[0].style, 16);
  EXPECT_NE(testing::readBytes(dir / "BatoraEr.log").find("mnViewRenLog_Click"), std::string::npos);
}

}  // namespace
}  // namespace batora
