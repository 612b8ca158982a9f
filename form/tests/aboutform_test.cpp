#include "aboutform.h"

#include <gtest/gtest.h>

#include <tuple>

#include "faketoolkit.h"
#include "formlayout.h"
#include "tableformhost.h"

namespace batora {
namespace {

TEST(AboutCentre, HalvesTheRoundedDifferenceDroppingTheRemainderTowardsZero) {
  const std::tuple<const char*, double, double, long> rows[] = {
      {"even difference", 20000, 5490, 7255},
      {"odd difference drops the half", 1001, 0, 500},
      {"fraction rounds before halving", 1000, 332.3, 334},
      {"window wider than the screen", 100, 301, -100},
  };
  for (const auto& [name, screen, window, left] : rows) {
    SCOPED_TRACE(name);
    EXPECT_EQ(centredTwips(screen, window), left);
  }
}

TEST(AboutForm, LoadCentresAndTitlesEveryShowingAlikeAndTheButtonsAct) {
  testing::FakeToolkit toolkit;
  toolkit.screen = {20000, 12000};
  for (int showing = 0; showing < 2; ++showing) {
    SCOPED_TRACE(showing);
    testing::TableFormHost host(fmAboutLayout(), toolkit);
    int closes = 0;
    AboutForm about(toolkit, host.window(), host.label("lblTitle"), [&] { ++closes; });
    about.Form_Load();
    EXPECT_EQ(host.label("lblTitle").caption(), "Batora　Ver. 1.1.2");
    EXPECT_EQ(host.table().left, (20000 - 5490) / 2);
    EXPECT_EQ(host.table().top, (12000 - 2625) / 2);
    EXPECT_TRUE(about.handle({"cmdOK", FormEventKind::kClick}));
    EXPECT_EQ(closes, 1);
  }
  EXPECT_EQ(aboutTitle(10, 0, 305), "Batora　Ver. 10.0.305");
}

}  // namespace
}  // namespace batora
