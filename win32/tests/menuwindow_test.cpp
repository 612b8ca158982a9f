// Menu items, their shortcuts and the window lock.

#include <gtest/gtest.h>

#include <optional>

#include "shortcut.h"
#include "winfixture.h"
#include "winmenu.h"
#include "winmenuitem.h"
#include "wintextfield.h"

namespace batora {
namespace {

using testing::WinFixture;

TEST(ShortcutTest, MenuTableSpellings) {
  struct Case {
    const char* text;
    std::optional<std::pair<BYTE, WORD>> accel;
  } cases[] = {
      {"Ctrl+Q", {{FVIRTKEY | FCONTROL, 'Q'}}},
      {"ctrl+p", {{FVIRTKEY | FCONTROL, 'P'}}},
      {"F1", {{FVIRTKEY, VK_F1}}},
      {"F12", {{FVIRTKEY, VK_F12}}},
      {"Shift+Ctrl+Del", {{FVIRTKEY | FCONTROL | FSHIFT, VK_DELETE}}},
      {"Alt+7", {{FVIRTKEY | FALT, '7'}}},
      {"F25", std::nullopt},
      {"Ctrl+Ctrl+A", std::nullopt},
      {"Meta+A", std::nullopt},
      {"Ctrl+", std::nullopt},
      {"", std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.text);
    const auto accel = parseShortcut(c.text, 42);
    ASSERT_EQ(accel.has_value(), c.accel.has_value());
    if (!accel) continue;
    EXPECT_EQ(accel->fVirt, c.accel->first);
    EXPECT_EQ(accel->key, c.accel->second);
    EXPECT_EQ(accel->cmd, 42);
  }
}

class MenuWindowTest : public WinFixture {
 protected:
  MenuWindowTest() {
    WinMenu bar(WinMenu::Kind::kBar);
    WinMenu file(WinMenu::Kind::kDropDown);
    end.emplace(file.handle(), 11, "mnEnd", "終了(&Q)", "Ctrl+Q", window.hwnd());
    divider.emplace(file.handle(), 12, "mnDiv", "-", "", window.hwnd());
    logs.emplace(file.handle(), 13, "mnOutLogRen", "ﾘﾈｰﾑﾛｸﾞを出力(&E)", "", window.hwnd());
    fileMenu.emplace(bar.handle(), 10, "mnFile", "ﾌｧｲﾙ(&F)", file, window.hwnd());
    window.setMenuBar(bar);
    window.addControl(text);
    for (WinMenuItem* item : {&*fileMenu, &*end, &*divider, &*logs}) window.addMenuItem(*item);
    end->onClick = [this] { ++ends; };
  }

  std::string menuString(UINT id) {
    wchar_t buffer[128] = {};
    ::GetMenuStringW(::GetMenu(window.hwnd()), id, buffer, 128, MF_BYCOMMAND);
    return win::narrow(buffer);
  }

  // Ctrl+Q pressed while the text box has the focus, as the message loop sees it.
  bool pressCtrlQ() {
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    MSG msg{text.hwnd(), WM_KEYDOWN, 'Q', 1, 0, {}};
    const bool handled = window.preTranslate(msg);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    return handled;
  }

  WinTextField text{place("txtName", {110, 20, 250, 40}), 16, false};
  std::optional<WinMenuItem> fileMenu, end, divider, logs;
  int ends = 0;
};

TEST_F(MenuWindowTest, ItemsShowCaptionShortcutStateAndCheckMark) {
  EXPECT_EQ(menuString(11), "終了(&Q)\tCtrl+Q");
  end->setCaption("おわり(&Q)");
  EXPECT_EQ(menuString(11), "おわり(&Q)\tCtrl+Q") << "the shortcut stays behind the tab";

  logs->setChecked(true);
  EXPECT_TRUE(logs->isChecked());
  logs->setEnabled(false);
  EXPECT_FALSE(logs->isEnabled());
  EXPECT_TRUE(logs->isChecked());
  fileMenu->setEnabled(false);
  EXPECT_FALSE(fileMenu->isEnabled()) << "a top-level menu is found by its id too";
}

// The lock also keeps the focus where it was.
TEST_F(MenuWindowTest, ShortcutsRunEnabledItemsOfAnUnlockedWindowOnly) {
  ::SetForegroundWindow(window.hwnd());
  ::SetFocus(text.hwnd());
  const HWND focus = ::GetFocus();
  EXPECT_TRUE(pressCtrlQ()) << "a shortcut works inside a text box";
  pump();
  EXPECT_EQ(ends, 1);

  end->setEnabled(false);
  pressCtrlQ();
  pump();
  EXPECT_EQ(ends, 1) << "a disabled item's shortcut does nothing";

  end->setEnabled(true);
  window.setInputLocked(true);
  EXPECT_FALSE(::IsWindowEnabled(window.hwnd()));
  pressCtrlQ();
  pump();
  EXPECT_EQ(ends, 1) << "nor does a locked window's";
  window.setInputLocked(false);
  EXPECT_TRUE(::IsWindowEnabled(window.hwnd()));
  EXPECT_EQ(::GetFocus(), focus);
  ::SendMessageW(window.hwnd(), WM_COMMAND, MAKEWPARAM(11, 0), 0);
  EXPECT_EQ(ends, 2);
}

}  // namespace
}  // namespace batora
