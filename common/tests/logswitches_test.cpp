#include "logswitches.h"

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "faketoolkit.h"
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

class LogSwitchesTest : public ::testing::Test {
 protected:
  void start(const std::string& ini) {
    dir.write("Batora.ini", ini);
    ASSERT_TRUE(settings.ReadIniFile("Batora.ini", [](auto, auto) {}));
    bar.setPanelPicture(kPanelOutLogRen, kIcon);
    bar.setPanelPicture(kPanelOutLogError, Picture{2});
    switches.CmnShowOutLogRen(settings.OutputLogRename());
    switches.CmnShowOutLogError();
  }
  bool shownOn() const {
    EXPECT_EQ(menu.isChecked(), settings.OutputLogRename());
    EXPECT_EQ(static_cast<bool>(bar.panelPicture(kPanelOutLogRen)), settings.OutputLogRename());
    return settings.OutputLogRename();
  }

  static constexpr Picture kIcon{1};
  testing::TempDir dir;
  testing::FakeToolkit toolkit;
  testing::FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "Batora"};
  testing::FakeMenuItem menu{"ﾘﾈｰﾑﾛｸﾞを出力(&E)"};
  testing::FakeStatusBar bar;
  LogSwitches switches{settings, menu, bar, kIcon};
  ScriptedViewer viewer;
};

TEST_F(LogSwitchesTest, TwoTogglesRestoreSwitchCheckMarkAndPicture) {
  start("OUTPUT_LOG_RENAME=yes\r\n");  // no truth value: on
  EXPECT_TRUE(shownOn());
  EXPECT_EQ(bar.panelPicture(kPanelOutLogError), Picture{2});
  switches.CmnChangeOutLogRen();
  EXPECT_FALSE(shownOn());
  for (const char* key : {"stbpText", "stbpOutLogError", "stbpoutlogren"})
    switches.stbStatus_PanelClick(key);  // other panels do nothing
  EXPECT_FALSE(shownOn());
  switches.stbStatus_PanelClick("stbpOutLogRen");
  EXPECT_TRUE(shownOn());
  EXPECT_EQ(bar.panelPicture(kPanelOutLogRen), kIcon);
  // The switch lives in memory only.
  EXPECT_EQ(testing::readBytes(dir / "Batora.ini"), "OUTPUT_LOG_RENAME=yes\r\n");
  // The error log's picture goes only when error logging is off.
  start("OUTPUT_LOG_ERROR=0\r\n");
  EXPECT_FALSE(bar.panelPicture(kPanelOutLogError));
}

TEST_F(LogSwitchesTest, ViewingAMissingLogWarnsAFailingViewerIsAnError) {
  start("");
  switches.mnViewRenLog_Click(func, viewer);
  EXPECT_TRUE(viewer.shown.empty());
  EXPECT_FALSE(std::filesystem::exists(dir / "BatoraEr.log"));
  dir.write("Batora.log", "x\r\n");
  switches.mnViewRenLog_Click(func, viewer);
  EXPECT_EQ(viewer.shown, std::vector<std::filesystem::path>{dir / "Batora.log"});
  viewer.succeeds = false;
  switches.mnViewRenLog_Click(func, viewer);
  ASSERT_EQ(toolkit.boxes.size(), 2u);  // nothing for the log that was shown
  EXPECT_EQ(toolkit.boxes[0].text, "リネームログファイルがありません。\r\n");
  EXPECT_EQ(toolkit.boxes[0].style, 48);
  EXPECT_EQ(toolkit.boxes[1].text, "ログファイルの表示に失敗しました。\r\n");
  EXPECT_EQ(toolkit.boxes[1].style, 16);
  EXPECT_NE(testing::readBytes(dir / "BatoraEr.log").find("mnViewRenLog_Click"), std::string::npos);
}

}  // namespace
}  // namespace batora
