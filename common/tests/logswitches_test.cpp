#include "logswitches.h"

#include <gtest/gtest.h>

#include "faketoolkit.h"
#include "tempdir.h"

namespace batora {
namespace {

class LogSwitchesTest : public ::testing::Test {
 protected:
  void start(const std::string& ini) {
    dir.write("Batora.ini", ini);
    ASSERT_TRUE(settings.ReadIniFile("Batora.ini", [](auto, auto) {}));
    bar.setPanelPicture(kRenameLogPanel, kIcon);
    bar.setPanelPicture(kErrorLogPanel, Picture{2});
    switches.CmnShowOutLogRen(settings.OutputLogRename());
    switches.CmnShowOutLogError();
  }
  bool shownOn() const {
    EXPECT_EQ(menu.isChecked(), settings.OutputLogRename());
    EXPECT_EQ(static_cast<bool>(bar.panelPicture(kRenameLogPanel)), settings.OutputLogRename());
    return settings.OutputLogRename();
  }

  static constexpr Picture kIcon{1};
  testing::TempDir dir;
  clsIniFile settings{dir.path()};
  testing::FakeMenuItem menu{"ﾘﾈｰﾑﾛｸﾞを出力(&E)"};
  testing::FakeStatusBar bar;
  LogSwitches switches{settings, menu, bar, kIcon};
};

TEST_F(LogSwitchesTest, TwoTogglesRestoreSwitchCheckMarkAndPicture) {
  start("OUTPUT_LOG_RENAME=yes\r\n");  // no truth value: on
  EXPECT_TRUE(shownOn());
  switches.CmnChangeOutLogRen();
  EXPECT_FALSE(shownOn());
  switches.stbStatus_PanelClick("stbpOutLogRen");
  EXPECT_TRUE(shownOn());
  EXPECT_EQ(bar.panelPicture(kRenameLogPanel), kIcon);
  EXPECT_EQ(testing::readBytes(dir / "Batora.ini"), "OUTPUT_LOG_RENAME=yes\r\n");
}

TEST_F(LogSwitchesTest, OtherPanelsDoNothing) {
  start("");
  for (const char* key : {"stbpText", "stbpOutLogError", "stbpDate", "stbpTime", "stbpoutlogren"})
    switches.stbStatus_PanelClick(key);
  EXPECT_FALSE(shownOn());
}

TEST_F(LogSwitchesTest, ErrorLogPictureGoesOnlyWhenErrorLoggingIsOff) {
  start("");
  EXPECT_EQ(bar.panelPicture(kErrorLogPanel), Picture{2});
  start("OUTPUT_LOG_ERROR=0\r\n");
  EXPECT_FALSE(bar.panelPicture(kErrorLogPanel));
}

}  // namespace
}  // namespace batora
