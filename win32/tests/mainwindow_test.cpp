// The main window and the About box built from their tables with the Win32 controls, with the
// form logic over them: what the builder makes, and the window's behaviour through real
// controls and scripted boxes.

#include <windows.h>
// after windows.h, which it needs
#include <commctrl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <deque>
#include <filesystem>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "aboutform.h"
#include "fakeclock.h"
#include "formlayout.h"
#include "tempdir.h"
#include "winaboutbox.h"
#include "windowrenamerun.h"
#include "winfixture.h"
#include "winmainwindow.h"
#include "winsupport_win.h"

namespace batora {
namespace {

using Rows = std::vector<std::string>;

std::string windowText(HWND window) {
  wchar_t text[64] = {};
  ::GetWindowTextW(window, text, 64);
  return win::narrow(text);
}
LOGFONTW fontOf(HWND control) {
  LOGFONTW font{};
  ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof font,
               &font);
  return font;
}

class MainWindowTest : public ::testing::Test {
 protected:
  MainWindowTest() {
    for (const char* name : {"b.jpg", "a.jpg", "c.txt"}) dir.write(name, name);
    toolkit.setBoxFunction([this](HWND, const std::wstring& text, const std::wstring&, UINT) {
      boxes.push_back(win::narrow(text));
      if (onBox) onBox();
      if (answers.empty()) return IDCANCEL;
      const int answer = answers.front();
      answers.pop_front();
      return answer;
    });
  }
  // A destroyed main window asks the thread to quit; that request must not end a later test's
  // box or loop.
  ~MainWindowTest() override {
    main.reset();
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
  }

  void build(const std::string& settings) {
    dir.write("Batora.ini", settings);
    main = std::make_unique<WinMainWindow>(
        WinMainServices{toolkit, clock, dir.path(), "Batora", [] { FAIL() << "ended"; }});
  }
  void open(const std::string& settings) {
    build(settings);
    ASSERT_TRUE(main->Form_Load());
    main->show();
  }
  HWND hwnd(std::string_view name, int index = 0) const {
    return main->controls().control(name, index)->hwnd();
  }
  std::string text(std::string_view name) const { return main->controls().textField(name).text(); }
  void click(std::string_view name) { ::SendMessageW(hwnd(name), BM_CLICK, 0, 0); }
  void chooseMenu(std::string_view name) {
    ::SendMessageW(main->frame().hwnd(), WM_COMMAND, main->controls().menuItem(name).id(), 0);
  }
  // What the list box holds and shows: its own row count, and each row as drawn.
  Rows listRows() const {
    const HWND list = hwnd("lstFile");
    Rows rows;
    const auto count = ::SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (int row = 0; row < count; ++row)
      rows.push_back(main->controls().listBox("lstFile").rowText(row));
    return rows;
  }

  testing::TempDir dir;
  WinToolkit toolkit{"batora-win32-test-mainwindow"};
  testing::FakeClock clock;  // 2000-12-31
  std::unique_ptr<WinMainWindow> main;
  std::vector<std::string> boxes;
  std::deque<int> answers;
  std::function<void()> onBox;
};

// Everything of the table is made, walked in the table's order with the table's captions.
TEST_F(MainWindowTest, EveryRowOfTheTableIsMadeAndWalkedInItsOrder) {
  build("");
  // The menu bar takes no room from the layout's client area.
  RECT client{};
  ::GetClientRect(main->frame().hwnd(), &client);
  const SIZE layout = WinFormBuilder::clientPixels(fmMainLayout());
  EXPECT_EQ(client.right, layout.cx);
  EXPECT_EQ(client.bottom, layout.cy);
  const std::vector<ControlInfo> expected = controlWalk(fmMainLayout());
  const Window& walk = main->frame();
  ASSERT_EQ(walk.controlCount(), static_cast<int>(expected.size()));
  for (int i = 0; i < walk.controlCount(); ++i) {
    SCOPED_TRACE(expected[static_cast<size_t>(i)].name);
    const ControlInfo made = walk.controlAt(i);
    EXPECT_EQ(made.name, expected[static_cast<size_t>(i)].name);
    EXPECT_EQ(made.kind, expected[static_cast<size_t>(i)].kind);
    EXPECT_EQ(made.caption, expected[static_cast<size_t>(i)].caption);
  }
  EXPECT_THROW(walk.controlAt(walk.controlCount()), std::out_of_range);
}

// The z-order is the tab order, so Tab and the access keys of labels and frames move the focus
// as the table says; only the first option of the set starts a group.
TEST_F(MainWindowTest, TabOrderAccessKeysAndFontsFollowTheTable) {
  open("");
  const std::vector<const ControlSpec*> order = tabOrder(fmMainLayout());
  const HWND window = main->frame().hwnd();
  // The arrow keys go round the option set and never leave it.
  EXPECT_EQ(::GetNextDlgGroupItem(window, hwnd("optSearch", 1), FALSE), hwnd("optSearch", 2));
  EXPECT_EQ(::GetNextDlgGroupItem(window, hwnd("optSearch", 3), FALSE), hwnd("optSearch", 1));
  EXPECT_EQ(::GetNextDlgGroupItem(window, hwnd("optSearch", 1), TRUE), hwnd("optSearch", 3));
  for (const ControlSpec& layoutRow : fmMainLayout().controls) {
    const size_t amp = layoutRow.caption.find('&');
    if (amp == std::string_view::npos ||
        (layoutRow.type != ControlType::kLabel && layoutRow.type != ControlType::kFrame))
      continue;
    SCOPED_TRACE(layoutRow.name);
    const auto next = std::find_if(order.begin(), order.end(), [&](const ControlSpec* c) {
      return c->tabIndex > layoutRow.tabIndex && c->type != ControlType::kLabel &&
             c->type != ControlType::kFrame;
    });
    ASSERT_NE(next, order.end());
    ::SetFocus(hwnd("lstFile"));
    const auto key = static_cast<WPARAM>(std::tolower(layoutRow.caption[amp + 1]));
    MSG msg{hwnd("lstFile"), WM_SYSCHAR, key, 1 << 29, 0, {}};
    EXPECT_TRUE(main->frame().preTranslate(msg));
    EXPECT_EQ(::GetFocus(), hwnd((*next)->name, (*next)->index.value_or(0)));
  }
  struct FontRow {
    const char* control;
    const wchar_t* face;
    double points;
  } fonts[] = {
      {"lstFile", L"ＭＳ ゴシック", 9},
      {"txtSample", L"ＭＳ ゴシック", 8.25},
      {"lblDrive", L"ＭＳ Ｐゴシック", 9},
      {"stbStatus", L"ＭＳ Ｐゴシック", 9},
  };
  const int dpi = ScreenResolution::current().dpiY();
  for (const FontRow& row : fonts) {
    SCOPED_TRACE(row.control);
    const LOGFONTW font = fontOf(hwnd(row.control));
    EXPECT_EQ(std::wstring(font.lfFaceName), row.face);
    EXPECT_EQ(font.lfHeight, -std::lround(row.points * dpi / 72.0));
  }
}

TEST_F(MainWindowTest, StartUpFillsTheListAndTheNamingRuleAndTypingShowsTheSample) {
  open("INIT_SERCH_FILE_NAME=*.jpg\r\nOUTPUT_LOG_RENAME=1\r\n");
  EXPECT_EQ(listRows(), (Rows{"a.jpg", "b.jpg"}));
  EXPECT_EQ(windowText(main->frame().hwnd()), "Batora");
  EXPECT_EQ(::SendMessageW(hwnd("optSearch", 1), BM_GETCHECK, 0, 0), BST_CHECKED);
  EXPECT_NE(::SendMessageW(hwnd("stbStatus"), SB_GETICON, 1, 0), 0) << "rename log picture";
  EXPECT_EQ(::GetMenuState(::GetMenu(main->frame().hwnd()),
                           main->controls().menuItem("mnOutLogRen").id(), MF_BYCOMMAND) &
                MF_CHECKED,
            static_cast<UINT>(MF_CHECKED));
  EXPECT_FALSE(::IsWindowEnabled(hwnd("cmdStop")));
  EXPECT_TRUE(boxes.empty());

  struct Step {
    const char* what;
    std::function<void()> act;
    const char* sample;
  } steps[] = {
      {"start values", [] {}, "20001231_01.jpg"},
      {"common part typed",
       [&] { ::SendMessageW(hwnd("txtName"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"旅行_")); },
       "旅行_01.jpg"},
      {"number in front", [&] { click("chbBackSeq"); }, "01旅行_.jpg"},
  };
  for (const Step& step : steps) {
    SCOPED_TRACE(step.what);
    step.act();
    EXPECT_EQ(text("txtSample"), step.sample);
  }
}

// A name taken halfway through asks whether to skip: at that moment every control and menu item
// of the table is locked but the eight, and the close box is refused; afterwards the list is
// searched again. What the run renames and unlocks is tested headless with the form.
TEST_F(MainWindowTest, RenameRunLocksTheTableButTheEightAndRebuildsTheList) {
  dir.write("20001231_02.txt", "taken");
  open("INIT_SERCH_FILE_NAME=*.jpg\r\n");
  ::SendMessageW(hwnd("txtExp"), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"txt"));
  click("cmdSelectAll");
  toolkit.yield();
  ASSERT_EQ(main->controls().listBox("lstFile").selectedCount(), 2);

  const std::vector<std::string>& kept = renameLockExceptions();
  // Each name of the lock list with its index in an indexed set, counted as the walk meets it.
  using Row = std::pair<std::string, int>;
  std::vector<Row> locked;
  std::map<std::string, int> seen;
  for (const std::string& name : lockList(fmMainLayout(), kept))
    locked.emplace_back(name, main->controls().control(name) ? 0 : ++seen[name]);
  auto enabled = [this](const Row& row) {
    if (WinControl* control = main->controls().control(row.first, row.second))
      return control->isEnabled();
    return main->controls().menuItem(row.first).isEnabled();
  };
  int checked = 0;
  onBox = [&] {
    if (boxes.size() != 2) return;  // the question about the taken name
    ++checked;
    for (const Row& row : locked) {
      SCOPED_TRACE(row.first + std::to_string(row.second));
      EXPECT_FALSE(enabled(row));
    }
    for (const std::string& name : kept) {
      SCOPED_TRACE(name);
      EXPECT_TRUE(enabled({name, 0}));
    }
    ::SendMessageW(main->frame().hwnd(), WM_CLOSE, 0, 0);
    EXPECT_NE(main->frame().hwnd(), nullptr) << "the close box is refused during a run";
  };
  answers = {IDOK, IDYES, IDNO};
  click("cmdGo");
  ASSERT_EQ(checked, 1);
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_EQ(listRows(), (Rows{"b.jpg"}));
  EXPECT_TRUE(enabled({"cmdGo", 0}));
  EXPECT_FALSE(enabled({"cmdStop", 0}));
}

// The close box closes the window when no run is under way, and so does the program's own end.
TEST_F(MainWindowTest, CloseBoxAndEndCommandCloseTheIdleWindow) {
  struct Row {
    const char* how;
    std::function<void(WinMainWindow&)> close;
  } rows[] = {
      {"close box", [](WinMainWindow& w) { ::SendMessageW(w.frame().hwnd(), WM_CLOSE, 0, 0); }},
      {"end command", [this](WinMainWindow&) { chooseMenu("mnEnd"); }},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.how);
    open("");
    row.close(*main);
    EXPECT_EQ(main->frame().hwnd(), nullptr);
    main.reset();
  }
}

// The About box is built from its table; each showing from the menu closes with Enter, Esc and
// the close box.
TEST_F(MainWindowTest, AboutBoxIsBuiltFromItsTableAndClosesWithEnterEscAndTheCloseBox) {
  open("");
  {
    WinAboutBox about(toolkit, main->frame().hwnd());
    EXPECT_EQ(windowText(about.window().hwnd()), "ﾊﾞｰｼﾞｮﾝ情報");
    EXPECT_EQ(about.controls().label("lblTitle").caption(), programAboutTitle());
    EXPECT_EQ(about.window().controlCount(), static_cast<int>(controlWalk(fmAboutLayout()).size()));
    EXPECT_EQ(::SendMessageW(about.controls().control("cmdOK")->hwnd(), WM_GETDLGCODE, 0, 0) &
                  DLGC_DEFPUSHBUTTON,
              DLGC_DEFPUSHBUTTON);
    const LOGFONTW font = fontOf(about.controls().control("lblTitle")->hwnd());
    EXPECT_EQ(std::wstring(font.lfFaceName), L"ＭＳ Ｐ明朝");
    EXPECT_EQ(font.lfWeight, FW_BOLD);
  }
  for (UINT how : {UINT{VK_RETURN}, UINT{VK_ESCAPE}, UINT{WM_CLOSE}}) {
    SCOPED_TRACE(how);
    testing::OnNextActivation user([how](HWND box) {
      if (how == WM_CLOSE)
        ::PostMessageW(box, WM_CLOSE, 0, 0);
      else
        ::PostMessageW(box, WM_KEYDOWN, how, 1);
    });
    chooseMenu("mnVersion");  // returns once the box is closed
    EXPECT_TRUE(user.happened());
    EXPECT_TRUE(::IsWindowEnabled(main->frame().hwnd()));
  }
}

}  // namespace
}  // namespace batora
