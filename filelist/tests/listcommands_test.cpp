#include "listcommands.h"

#include "filelistfixture.h"

namespace batora {
namespace {

using Rows = std::vector<std::string>;

class ListCommandsTest : public testing::FileListFixture {
 protected:
  void SetUp() override {
    for (const char* name : {"c.txt", "a.txt", "b.txt", "d.txt"}) dir.write(name, "x");
    ASSERT_FALSE(search(dir.path(), 1));
  }
  void selectOnly(int row) {
    for (auto& r : list.rows) r.selected = false;
    list.rows.at(row).selected = true;
    list.current = row;
  }
};

// A move needs exactly one selected row; it keeps the selection on the moved file and stops
// silently at either end.
TEST_F(ListCommandsTest, MoveTakesTheOneSelectedFileAndStopsSilentlyAtTheEnds) {
  const Rows before = rows();
  CmnMoveFile(ctrl, list, func, kMoveUp);  // none selected
  list.rows[0].selected = list.rows[1].selected = true;
  list.current = 1;
  CmnMoveFile(ctrl, list, func, kMoveDown);
  const std::string oneFile = "１つのファイル選択して下さい。";
  ASSERT_EQ(toolkit.boxes.size(), 2u);
  for (const auto& box : toolkit.boxes)
    EXPECT_EQ(std::to_string(box.style) + box.text, "48" + oneFile);
  EXPECT_EQ(rows(), before);

  toolkit.boxes.clear();
  toolkit.beeps = 0;
  selectOnly(1);
  CmnMoveFile(ctrl, list, func, kMoveDown);
  CmnMoveFile(ctrl, list, func, kMoveDown);
  CmnMoveFile(ctrl, list, func, kMoveDown);  // already the last row
  EXPECT_EQ(rows(), (Rows{"a.txt", "c.txt", "d.txt", "b.txt"}));
  EXPECT_EQ(list.current, 3);
  EXPECT_TRUE(list.rows[3].selected);
  EXPECT_EQ(list.selectedCount(), 1);
  expectRowsMatchTable();
  CmnMoveFile(ctrl, list, func, kMoveUp);
  EXPECT_EQ(rows(), (Rows{"a.txt", "c.txt", "b.txt", "d.txt"}));
  selectOnly(0);
  CmnMoveFile(ctrl, list, func, kMoveUp);  // already the first row
  EXPECT_EQ(rows(), (Rows{"a.txt", "c.txt", "b.txt", "d.txt"}));
  EXPECT_TRUE(toolkit.boxes.empty());
  EXPECT_EQ(toolkit.beeps, 0);
}

TEST_F(ListCommandsTest, SwapRollsBackRowsWhenTheTableCannotFollow) {
  list.addRow("not in the table");
  const Rows before = rows();
  EXPECT_FALSE(ctrl.SwapFilesList(0, 4));
  EXPECT_FALSE(ctrl.SwapFilesList(-1, 2));
  EXPECT_FALSE(ctrl.SwapFilesList(2, 9));
  EXPECT_EQ(rows(), before);
  EXPECT_TRUE(ctrl.SwapFilesList(0, 3));
  EXPECT_EQ(rows()[0], "d.txt");
  EXPECT_EQ(ctrl.SelectionFileName(0), dir / "d.txt");
}

TEST_F(ListCommandsTest, SelectAllShowsTheCountBeforeTheListAppliesIt) {
  CmnSelectAll(ctrl, list, true);
  EXPECT_EQ(label.text, "選択ファイル数 : 4");
  EXPECT_EQ(list.selectedCount(), 0);  // posted, not yet applied
  toolkit.yield();
  EXPECT_EQ(list.selectedCount(), 4);
  CmnSelectAll(ctrl, list, false);
  EXPECT_EQ(label.text, "選択ファイル数 : 0");
  toolkit.yield();
  EXPECT_EQ(list.selectedCount(), 0);
}

}  // namespace
}  // namespace batora
