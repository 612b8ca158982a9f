// List box, text and check fields, buttons and labels, as real controls in a real window.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "wincheckfield.h"
#include "winfixture.h"
#include "winlabel.h"
#include "winlistbox.h"
#include "wintextdrop.h"
#include "wintextfield.h"
#include "wintoolkit.h"

namespace batora {
namespace {

using testing::WinFixture;
using ControlTest = WinFixture;

class ListBoxTest : public WinFixture {
 protected:
  WinListBox list{place("lstFile", {10, 10, 300, 200})};
};

TEST_F(ListBoxTest, RowsSelectionAndCurrentRow) {
  list.setRows({"a.jpg", "写真/b.jpg", "c.jpg"});
  EXPECT_EQ(list.rowCount(), 3);
  EXPECT_EQ(list.rowText(1), "写真/b.jpg");
  EXPECT_EQ(list.selectedCount(), 0);

  list.setSelected(0, true);
  list.setSelected(2, true);
  list.setCurrentRow(2);
  list.setRowText(2, "ｃ.jpg");
  EXPECT_EQ(list.rowText(2), "ｃ.jpg");
  EXPECT_TRUE(list.isSelected(2)) << "a changed row keeps its selection";
  EXPECT_EQ(list.currentRow(), 2);
  EXPECT_EQ(list.selectedCount(), 2);

  list.addRow("d.jpg");
  EXPECT_EQ(list.rowText(3), "d.jpg");
  list.setRows({"x"});
  EXPECT_EQ(list.rowCount(), 1);
  EXPECT_EQ(list.selectedCount(), 0) << "new rows start unselected";
  list.clear();
  EXPECT_EQ(list.rowCount(), 0);
  EXPECT_EQ(list.currentRow(), -1);
}

// Like the posted message it stands for: applied at the next event processing, to the rows
// held by then. The rows come from the caller's table, as the list controller fills them.
TEST_F(ListBoxTest, SelectAllOfAHundredThousandRowsWaitsForThePendingEvents) {
  WinToolkit toolkit("batora-win32-test-selectall");
  list.setRows({"a", "b", "c"});
  list.postSelectAll(true);
  list.fillRows(100000, [](size_t i) { return "file" + std::to_string(i) + ".jpg"; });
  ASSERT_EQ(list.rowCount(), 100000);
  EXPECT_EQ(list.rowText(99999), "file99999.jpg");
  EXPECT_EQ(list.selectedCount(), 0) << "posted, not applied at once";
  toolkit.yield();
  EXPECT_EQ(list.selectedCount(), 100000);
  list.postSelectAll(false);
  toolkit.yield();
  EXPECT_EQ(list.selectedCount(), 0);
}

TEST_F(ListBoxTest, UserEventsReachTheCallbacks) {
  int changes = 0;
  int doubleClicks = 0;
  DropData dropped;
  list.onSelectionChange = [&] { ++changes; };
  list.onDoubleClick = [&] { ++doubleClicks; };
  list.acceptFileDrops([&](const DropData& data) { dropped = data; });
  list.setRows({"a", "b"});
  list.setSelected(1, true);
  EXPECT_EQ(changes, 0) << "the program's own changes raise nothing";

  const int rowHeight = static_cast<int>(::SendMessageW(list.hwnd(), LB_GETITEMHEIGHT, 0, 0));
  const LPARAM onFirstRow = MAKELPARAM(5, rowHeight / 2);
  ::SendMessageW(list.hwnd(), WM_LBUTTONDOWN, MK_LBUTTON, onFirstRow);
  ::SendMessageW(list.hwnd(), WM_LBUTTONUP, 0, onFirstRow);
  EXPECT_EQ(changes, 1);
  EXPECT_TRUE(list.isSelected(0));
  notifyParent(list, LBN_DBLCLK);
  EXPECT_EQ(doubleClicks, 1);

  dropFiles(list.hwnd(), {L"C:\\写真", L"C:\\b.txt"});
  EXPECT_TRUE(dropped.isFileList);
  EXPECT_EQ(dropped.paths, (std::vector<std::string>{"C:\\写真", "C:\\b.txt"}));
}

TEST_F(ControlTest, TextFieldChangeEventsLimitAndReadOnly) {
  WinTextField field(place("txtName", {10, 10, 200, 30}), 5, false);
  WinTextField sample(place("txtSample", {10, 40, 200, 60}), 0, true);
  std::vector<std::string> seen;
  field.onChange = [&] { seen.push_back(field.text()); };

  field.setText("写真");
  field.setText("写真");
  EXPECT_EQ(seen, (std::vector<std::string>{"写真"})) << "the same text again raises nothing";

  field.setText("");
  for (wchar_t typed : std::wstring(L"abcdefg")) ::SendMessageW(field.hwnd(), WM_CHAR, typed, 1);
  EXPECT_EQ(field.text(), "abcde") << "typing stops at the limit";
  EXPECT_EQ(seen.back(), "abcde");
  EXPECT_FALSE(field.isReadOnly());
  EXPECT_TRUE(sample.isReadOnly());
}

TEST_F(ControlTest, TextFieldKeyPressSeesWholeCharactersAndCanConsumeThem) {
  WinTextField field(place("txtSerchFile", {10, 10, 200, 30}), 0, false);
  std::vector<char32_t> keys;
  field.onKeyPress = [&](char32_t key) {
    keys.push_back(key);
    return key == U'\\' || key == U'\r';
  };
  for (wchar_t typed : std::wstring(L"a\\\xD83D\xDCF7\r"))
    ::SendMessageW(field.hwnd(), WM_CHAR, typed, 1);
  EXPECT_EQ(keys, (std::vector<char32_t>{U'a', U'\\', U'\U0001F4F7', U'\r'}));
  EXPECT_EQ(field.text(), "a\xF0\x9F\x93\xB7") << "consumed keys are never entered";

  MSG enter{field.hwnd(), WM_KEYDOWN, VK_RETURN, 0, 0, {}};
  const LRESULT code =
      ::SendMessageW(field.hwnd(), WM_GETDLGCODE, VK_RETURN, reinterpret_cast<LPARAM>(&enter));
  EXPECT_TRUE(code & DLGC_WANTMESSAGE) << "Enter must reach the box, not the default button";
}

// What another program's drag brings, taken from the clipboard as a data object.
TEST_F(ControlTest, TextFieldTakesDroppedTextAsTypedAndOnlyText) {
  WinToolkit toolkit("batora-win32-test-textdrop");
  WinTextField field(place("txtSerchFile", {10, 10, 200, 30}), 8, false);
  int changes = 0;
  field.onChange = [&] { ++changes; };
  EXPECT_TRUE(field.acceptTextDrops());
  auto* target = new WinTextDrop(field.hwnd());
  POINTL origin{0, 0};
  ::ClientToScreen(field.hwnd(), reinterpret_cast<POINT*>(&origin));

  struct Case {
    const char* name;
    const char* clipboard;
    DWORD effect;
    const char* text;
  } cases[] = {{"text", "*.jpg写真 and more", DROPEFFECT_COPY, "*.jpg写真 "},
               {"nothing to take", nullptr, DROPEFFECT_NONE, "*.jpg写真 "}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    if (c.clipboard != nullptr) {
      toolkit.setClipboardText(c.clipboard);
    } else {
      ASSERT_TRUE(::OpenClipboard(nullptr));
      ::EmptyClipboard();
      ::CloseClipboard();
    }
    IDataObject* data = nullptr;
    ASSERT_EQ(::OleGetClipboard(&data), S_OK);
    DWORD effect = DROPEFFECT_COPY;
    target->DragEnter(data, 0, origin, &effect);
    EXPECT_EQ(effect, c.effect);
    target->Drop(data, 0, origin, &effect);
    data->Release();
    EXPECT_EQ(field.text(), c.text) << "the box's limit holds for dropped text";
  }
  EXPECT_EQ(changes, 1);
  target->Release();
}

TEST_F(ControlTest, CheckBoxRaisesClickWhenTheValueChanges) {
  WinCheckField box(place("chbBackSeq", {10, 10, 200, 30}, "後ろ(&B)"),
                    WinCheckField::Kind::kCheckBox);
  int clicks = 0;
  box.onClick = [&] { ++clicks; };
  box.setValue(1);
  box.setValue(1);
  EXPECT_EQ(box.value(), 1);
  EXPECT_EQ(clicks, 1);
  ::SendMessageW(box.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(box.value(), 0);
  EXPECT_EQ(clicks, 2);
}

TEST_F(ControlTest, OptionsOfAGroupExcludeEachOther) {
  WinCheckField first(place("optSearch1", {10, 10, 200, 30}), WinCheckField::Kind::kFirstOption);
  WinCheckField second(place("optSearch2", {10, 40, 200, 60}), WinCheckField::Kind::kOption);
  WinCheckField third(place("optSearch3", {10, 70, 200, 90}), WinCheckField::Kind::kOption);
  WinCheckField other(place("otherGroup", {10, 100, 200, 120}), WinCheckField::Kind::kFirstOption);
  std::string clicks;
  first.onClick = [&] { clicks += '1'; };
  second.onClick = [&] { clicks += '2'; };
  third.onClick = [&] { clicks += '3'; };
  other.setValue(1);

  first.setValue(1);
  second.setValue(1);
  EXPECT_EQ(clicks, "12");
  EXPECT_EQ(first.value(), 0) << "selecting an option clears the others";
  EXPECT_EQ(other.value(), 1) << "another group is left alone";

  ::SendMessageW(third.hwnd(), BM_CLICK, 0, 0);
  ::SendMessageW(third.hwnd(), BM_CLICK, 0, 0);
  EXPECT_EQ(clicks, "123") << "a click on the selected option raises nothing";
  EXPECT_EQ(second.value(), 0);
  EXPECT_EQ(third.value(), 1);
}

TEST_F(ControlTest, LabelTakesItsAlignment) {
  WinLabel label(place("Label1", {10, 50, 120, 70}, "共通部分(&N)"), WinLabel::Align::kRight);
  EXPECT_TRUE(::GetWindowLongW(label.hwnd(), GWL_STYLE) & SS_RIGHT);
}

}  // namespace
}  // namespace batora
