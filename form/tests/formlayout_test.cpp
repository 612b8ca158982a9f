#include "formlayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>

#include "windowrenamerun.h"

namespace batora {
namespace {

const FormLayout* const kLayouts[] = {&fmMainLayout(), &fmAboutLayout()};

// A control outside its frame or the client area is cut off on screen; a typo in one number
// of the table shows up here.
TEST(FormLayoutTable, EveryControlLiesInsideItsFrameOrTheClientArea) {
  for (const FormLayout* layout : kLayouts) {
    for (const ControlSpec& control : layout->controls) {
      SCOPED_TRACE(std::string(layout->name) + "." + std::string(control.name));
      TwipsRect outer{0, 0, layout->clientWidth, layout->clientHeight};
      if (!control.parent.empty()) {
        const ControlSpec& frame = findControl(*layout, control.parent);
        EXPECT_EQ(frame.type, ControlType::kFrame);
        EXPECT_LT(&frame, &control) << "a frame comes before what it holds";
        outer = {0, 0, frame.rect.width, frame.rect.height};
      }
      EXPECT_GE(control.rect.left, outer.left);
      EXPECT_GE(control.rect.top, outer.top);
      EXPECT_LE(control.rect.left + control.rect.width, outer.width);
      EXPECT_LE(control.rect.top + control.rect.height, outer.height);
    }
  }
}

TEST(FormLayoutTable, TabIndexesAreDistinctAndAccessKeysUnique) {
  for (const FormLayout* layout : kLayouts) {
    SCOPED_TRACE(layout->name);
    std::set<int> tabs;
    std::map<std::string, std::string> keys;
    for (const ControlSpec& control : layout->controls) {
      SCOPED_TRACE(control.name);
      if (control.tabIndex >= 0) {
        EXPECT_TRUE(tabs.insert(control.tabIndex).second);
      }
      const auto amp = control.caption.find('&');
      if (amp == std::string_view::npos) continue;
      const std::string key(control.caption.substr(amp + 1, 1));
      EXPECT_TRUE(keys.emplace(key, control.name).second) << "access key " << key << " twice";
    }
    EXPECT_EQ(tabs.size(), tabs.empty() ? 0 : static_cast<size_t>(*tabs.rbegin() + 1));
  }
}

TEST(FormLayoutTable, MenuShortcutsAndTopLevelAccessKeysAreUnique) {
  std::set<std::string_view> shortcuts;
  std::set<std::string_view> topKeys;
  for (const MenuSpec& menu : fmMainLayout().menus) {
    SCOPED_TRACE(menu.name);
    if (!menu.shortcut.empty()) {
      EXPECT_TRUE(shortcuts.insert(menu.shortcut).second);
    }
    if (menu.menu.empty()) {
      EXPECT_TRUE(topKeys.insert(menu.caption.substr(menu.caption.find('&') + 1, 1)).second);
    } else {
      EXPECT_TRUE(findMenu(fmMainLayout(), menu.menu).menu.empty()) << "items sit in a top menu";
    }
  }
}

TEST(FormLayoutDerived, WalkTabOrderAndLockListOfTheMainWindow) {
  const std::vector<ControlInfo> walk = controlWalk(fmMainLayout());
  ASSERT_EQ(walk.size(), 34u + 21u);
  EXPECT_EQ(walk.front().name, "lblDrive");
  EXPECT_EQ(walk[6].kind, ControlKind::kFrame);
  EXPECT_EQ(walk[6].caption, "ﾌｧｲﾙの検索対象ﾃﾞｨﾚｸﾄﾘ(&R)");
  EXPECT_EQ(walk[32].kind, ControlKind::kStatusBar);
  EXPECT_EQ(walk[34].name, "mnFile");
  EXPECT_EQ(walk[34].kind, ControlKind::kMenuItem);
  EXPECT_EQ(walk[39].caption, "-");

  std::vector<std::string_view> order;
  for (const ControlSpec* control : tabOrder(fmMainLayout())) order.push_back(control->name);
  const std::vector<std::string_view> expected = {
      "DrvLstBox",    "DirLstBox",     "txtSerchFile", "optSearch",  "optSearch", "optSearch",
      "lstFile",      "ckbSortDesc",   "cmdSortName",  "cmdSortExp", "cmdSortUp", "cmdSortDown",
      "cmdSelectAll", "cmdReleaseAll", "txtName",      "txtExp",     "txtSeq",    "chbBackSeq",
      "txtSample",    "cmdGo",         "cmdStop"};
  EXPECT_EQ(order, expected);

  // 21 focus takers plus 19 menus and items without the two separators, less the eight that a
  // run leaves alone; the undo item is locked with the rest.
  const std::vector<std::string> locked = lockList(fmMainLayout(), renameLockExceptions());
  EXPECT_EQ(locked.size(), 21u + 19u - 8u);
  EXPECT_EQ(std::count(locked.begin(), locked.end(), "mnUndo"), 1);
  for (const std::string& name : renameLockExceptions())
    EXPECT_EQ(std::count(locked.begin(), locked.end(), name), 0) << name;
}

}  // namespace
}  // namespace batora
