#include "memorycontrols.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace batora::cli {
namespace {

// Long rows, a very long one and an empty one: each must come back as it went in, also after
// others are rewritten or added one at a time.
TEST(MemoryListBoxTest, RowsComeBackAsTheyWentIn) {
  std::vector<std::string> texts;
  for (int i = 0; i < 3000; ++i)
    texts.push_back(std::string(700, static_cast<char>('a' + i % 26)) + std::to_string(i));
  texts[1500] = std::string(3u << 20, 'x');
  texts[7] = "";
  MemoryListBox list;
  list.fillRows(texts.size(), [&texts](size_t i) { return texts[i]; });
  list.setSelected(2, true);
  list.setRowText(2, "写真 2.jpg");
  texts[2] = "写真 2.jpg";
  list.addRow("added");
  texts.push_back("added");
  ASSERT_EQ(list.rowCount(), static_cast<int>(texts.size()));
  for (int row = 0; row < list.rowCount(); ++row) {
    SCOPED_TRACE(row);
    EXPECT_EQ(list.rowText(row), texts[static_cast<size_t>(row)]);
  }
  EXPECT_TRUE(list.isSelected(2));
  EXPECT_EQ(list.selectedCount(), 1);
  // A new fill replaces every row and clears the selection.
  list.setRows({"b", "c"});
  EXPECT_EQ(list.rowCount(), 2);
  EXPECT_EQ(list.rowText(1), "c");
  EXPECT_EQ(list.selectedCount(), 0);
}

}  // namespace
}  // namespace batora::cli
