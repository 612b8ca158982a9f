// The status bar: panels by key, widths from twips, texts, pictures, clock panels, clicks.

#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "resourceids.h"
#include "winfixture.h"
#include "winstatusbar.h"

namespace batora {
namespace {

class StatusBarTest : public testing::WinFixture {
 protected:
  StatusBarTest() {
    clock.time = {2026, 12, 7, 9, 5, 30};
    bar.emplace(place("stbStatus", {0, 0, 0, 0}),
                std::vector<PanelPlace>{{"stbpText", 6000, ""},
                                        {"stbpOutLogRen", 300, ""},
                                        {"stbpOutLogError", 300, ""},
                                        {"stbpDate", 900, "0000/00/00"},
                                        {"stbpTime", 600, "00:00"}},
                clock);
  }
  std::string shownText(int part) {
    wchar_t buffer[256] = {};
    ::SendMessageW(bar->hwnd(), SB_GETTEXTW, static_cast<WPARAM>(part),
                   reinterpret_cast<LPARAM>(buffer));
    return win::narrow(buffer);
  }
  static HICON icon(int id) {
    return static_cast<HICON>(::LoadImageW(::GetModuleHandleW(nullptr), MAKEINTRESOURCEW(id),
                                           IMAGE_ICON, 16, 16, LR_SHARED));
  }

  testing::FakeClock clock;
  std::optional<WinStatusBar> bar;
};

// A click reports the key of the panel under it.
TEST_F(StatusBarTest, PanelWidthsComeFromTwipsAtTheScreensResolutionAndClicksFromThePanel) {
  HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  EXPECT_EQ(bar->panelWidth("stbpText"), 6000 * dpi / 1440);
  EXPECT_EQ(bar->panelWidth("stbpOutLogRen"), 300 * dpi / 1440);
  EXPECT_GE(bar->panelWidth("stbpDate"), 900 * dpi / 1440);

  bar->setPanelWidth("stbpText", 200);
  int edges[5] = {};
  ASSERT_EQ(::SendMessageW(bar->hwnd(), SB_GETPARTS, 5, reinterpret_cast<LPARAM>(edges)), 5);
  EXPECT_EQ(edges[0], 200);
  EXPECT_EQ(edges[1], 200 + bar->panelWidth("stbpOutLogRen"));
  EXPECT_EQ(edges[4] - edges[3], bar->panelWidth("stbpTime"));
  EXPECT_THROW(bar->panelWidth("stbpNone"), std::out_of_range);

  std::vector<std::string> clicked;
  bar->onPanelClick = [&](const std::string& key) { clicked.push_back(key); };
  for (int x : {edges[0] + 2, edges[3] + 2}) {
    ::SendMessageW(bar->hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, 5));
    ::SendMessageW(bar->hwnd(), WM_LBUTTONUP, 0, MAKELPARAM(x, 5));
  }
  EXPECT_EQ(clicked, (std::vector<std::string>{"stbpOutLogRen", "stbpTime"}));
}

TEST_F(StatusBarTest, TextsPicturesAndTheClock) {
  bar->setPanelText("stbpText", "ﾘﾈｰﾑ中 a.jpg");
  EXPECT_EQ(bar->panelText("stbpText"), "ﾘﾈｰﾑ中 a.jpg");
  EXPECT_EQ(shownText(0), "ﾘﾈｰﾑ中 a.jpg");
  EXPECT_EQ(shownText(3), "2026/12/07");
  EXPECT_EQ(shownText(4), "09:05");
  clock.time = {2027, 1, 1, 0, 0, 0};
  ::SendMessageW(bar->hwnd(), WM_TIMER, 1, 0);
  EXPECT_EQ(bar->panelText("stbpDate"), "2027/01/01");
  EXPECT_EQ(bar->panelText("stbpTime"), "00:00");

  const HICON renameIcon = icon(BATORA_ICON_LOG_RENAME);
  ASSERT_NE(renameIcon, nullptr) << "the icons come from the executable's resources";
  ASSERT_NE(icon(BATORA_ICON_LOG_ERROR), nullptr);
  const Picture picture = bar->registerPicture(renameIcon);
  bar->setPanelPicture("stbpOutLogRen", picture);
  EXPECT_EQ(bar->panelPicture("stbpOutLogRen"), picture);
  EXPECT_EQ(reinterpret_cast<HICON>(::SendMessageW(bar->hwnd(), SB_GETICON, 1, 0)), renameIcon);
  bar->setPanelPicture("stbpOutLogRen", Picture{});
  EXPECT_FALSE(bar->panelPicture("stbpOutLogRen"));
  EXPECT_EQ(::SendMessageW(bar->hwnd(), SB_GETICON, 1, 0), 0);
  EXPECT_THROW(bar->setPanelPicture("stbpOutLogRen", Picture{7}), std::out_of_range);
}

}  // namespace
}  // namespace batora
