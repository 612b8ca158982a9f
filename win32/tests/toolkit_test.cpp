// The application-wide services: real message boxes answered as a user would, the scripted
// box, pointer, yield, clipboard, and the manifest's common controls.

#include <windows.h>
// after windows.h, which they need
#include <commctrl.h>

#include <gtest/gtest.h>

#include "winfixture.h"
#include "wintoolkit.h"

namespace batora {
namespace {

using testing::OnNextActivation;

class ToolkitTest : public testing::WinFixture {
 protected:
  ToolkitTest() { toolkit.setMainWindow(&window); }
  ~ToolkitTest() override { toolkit.setMainWindow(nullptr); }

  WinToolkit toolkit{"batora-win32-test-toolkit"};
};

TEST_F(ToolkitTest, SystemBoxesOfferTheStylesButtonsAndCloseAsCancel) {
  struct Case {
    const char* name;
    int style;
    std::vector<int> buttons;
    int press;
    int answer;
  } cases[] = {
      {"OK pressed", mb::kOkOnly | mb::kInformation, {IDOK}, IDOK, mb::kIdOk},
      {"OK box closed", mb::kOkOnly | mb::kCritical, {IDOK}, 0, mb::kIdCancel},
      {"Cancel pressed",
       mb::kOkCancel | mb::kExclamation,
       {IDOK, IDCANCEL},
       IDCANCEL,
       mb::kIdCancel},
      {"Yes pressed", mb::kYesNo | mb::kQuestion, {IDYES, IDNO}, IDYES, mb::kIdYes},
      {"No pressed", mb::kYesNo | mb::kExclamation, {IDYES, IDNO}, IDNO, mb::kIdNo},
      {"Yes/No box closed", mb::kYesNo | mb::kQuestion, {IDYES, IDNO}, 0, mb::kIdCancel},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::vector<int> buttons;
    // The user's visit: what the box offers, then the button pressed or the frame's close.
    OnNextActivation user([&](HWND box) {
      EXPECT_EQ(::GetWindow(box, GW_OWNER), window.hwnd());
      wchar_t title[64] = {};
      ::GetWindowTextW(box, title, 64);
      EXPECT_EQ(std::wstring(title), L"Batora");
      for (int id : {IDOK, IDCANCEL, IDYES, IDNO})
        if (::GetDlgItem(box, id) != nullptr) buttons.push_back(id);
      if (c.press != 0)
        ::PostMessageW(box, WM_COMMAND, MAKEWPARAM(c.press, BN_CLICKED),
                       reinterpret_cast<LPARAM>(::GetDlgItem(box, c.press)));
      else
        ::PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    EXPECT_EQ(toolkit.messageBox("本文\r\n2行目", "Batora", c.style), c.answer);
    ASSERT_TRUE(user.happened());
    EXPECT_EQ(buttons, c.buttons);
  }
}

TEST_F(ToolkitTest, ScriptedBoxesGetTheFlagsAndAnswersOutsideTheTableCountAsCancel) {
  std::vector<UINT> flags;
  std::vector<int> script{IDYES, IDNO, IDOK, 0, IDABORT};
  toolkit.setBoxFunction([&](HWND owner, const std::wstring& text, const std::wstring&, UINT f) {
    EXPECT_EQ(owner, window.hwnd());
    EXPECT_EQ(text, L"ﾘﾈｰﾑ\r\n続けますか?");
    flags.push_back(f);
    const int answer = script.front();
    script.erase(script.begin());
    return answer;
  });
  std::vector<int> answers;
  for (int i = 0; i < 5; ++i)
    answers.push_back(toolkit.messageBox("ﾘﾈｰﾑ\r\n続けますか?", "Batora", 36));
  EXPECT_EQ(answers, (std::vector<int>{6, 7, 1, 2, 2}));
  EXPECT_EQ(flags.front() & (MB_TYPEMASK | MB_ICONMASK),
            static_cast<UINT>(MB_YESNO | MB_ICONQUESTION));
}

TEST_F(ToolkitTest, HourglassIsKeptOverTheWindow) {
  const HCURSOR wait = ::LoadCursorW(nullptr, IDC_WAIT);
  const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
  toolkit.setMousePointer(kPointerHourglass);
  ::SetCursor(arrow);
  EXPECT_TRUE(::SendMessageW(window.hwnd(), WM_SETCURSOR, reinterpret_cast<WPARAM>(window.hwnd()),
                             MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(::GetCursor(), wait);
  toolkit.setMousePointer(kPointerDefault);
  EXPECT_EQ(::GetCursor(), arrow);
  EXPECT_EQ(toolkit.mousePointer(), kPointerDefault);
}

TEST_F(ToolkitTest, YieldLeavesTheQuitRequestToTheMainLoop) {
  ::PostQuitMessage(3);
  toolkit.yield();
  MSG msg;
  ASSERT_TRUE(::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 3u);
}

TEST(ProgramCommandLineTest, ProgramsWithSpacesAreQuotedArgumentsStayAsTheyAre) {
  struct Case {
    const char* program;
    std::vector<std::string> args;
    const char* line;
  } cases[] = {
      {"notepad", {"C:\\My Logs\\Batora.log"}, "notepad C:\\My Logs\\Batora.log"},
      {"C:\\Program Files\\MSInfo\\msinfo32.exe",
       {},
       "\"C:\\Program Files\\MSInfo\\msinfo32.exe\""},
      {"\"C:\\Program Files\\x.exe\"", {"/a", "b"}, "\"C:\\Program Files\\x.exe\" /a b"},
  };
  for (const Case& c : cases) EXPECT_EQ(WinToolkit::commandLine(c.program, c.args), c.line);
}

TEST_F(ToolkitTest, ClipboardTextRoundTrip) {
  toolkit.setClipboardText("Z:\\写真\\2026");
  EXPECT_TRUE(toolkit.clipboardHasText());
  EXPECT_EQ(toolkit.clipboardText(), "Z:\\写真\\2026");
  ASSERT_TRUE(::OpenClipboard(nullptr));
  ::EmptyClipboard();
  ::CloseClipboard();
  EXPECT_FALSE(toolkit.clipboardHasText());
}

// The executable's manifest asks for them; the loader then takes comctl32 from the side-by-side
// store rather than the system folder.
TEST(ManifestTest, CommonControlsSixAreActive) {
  ACTCTX_SECTION_KEYED_DATA data{};
  data.cbSize = sizeof data;
  ASSERT_TRUE(::FindActCtxSectionStringW(0, nullptr, ACTIVATION_CONTEXT_SECTION_DLL_REDIRECTION,
                                         L"comctl32.dll", &data));
  wchar_t path[MAX_PATH] = {};
  ::GetModuleFileNameW(::GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
  EXPECT_NE(std::wstring(path).find(L"winsxs"), std::wstring::npos) << win::narrow(path);
}

}  // namespace
}  // namespace batora
