#include "listrows.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace batora {
namespace {

// A table of a million rows is read only where a row is asked for: a list that copied it
// would hold every text twice.
TEST(ListRowsTest, RowsAreReadWhenAskedForAndRowsSetOneByOneStandInFront) {
  std::vector<size_t> asked;
  ListRows rows;
  rows.show(1'000'000, [&asked](size_t i) {
    asked.push_back(i);
    return "row " + std::to_string(i);
  });
  EXPECT_TRUE(asked.empty());
  EXPECT_EQ(rows.count(), 1'000'000u);
  EXPECT_EQ(rows.text(999'999), "row 999999");
  EXPECT_EQ(asked, std::vector<size_t>{999'999});

  rows.setText(3, "moved");
  rows.add("added");
  EXPECT_EQ(rows.text(3), "moved");
  EXPECT_EQ(rows.text(1'000'000), "added");
  EXPECT_TRUE(rows.has(1'000'000));
  EXPECT_FALSE(rows.has(1'000'001));
  EXPECT_FALSE(rows.has(-1));

  // A new fill belongs to other rows: nothing set before may show through.
  rows.show(5, [](size_t i) { return "new " + std::to_string(i); });
  EXPECT_EQ(rows.text(3), "new 3");
  EXPECT_FALSE(rows.has(5));
  rows.clear();
  EXPECT_EQ(rows.count(), 0u);

  // Rows handed over are kept after the caller's copy is gone.
  {
    std::vector<std::string> texts{"a.jpg", "写真/b.jpg"};
    rows.show(texts);
  }
  EXPECT_EQ(rows.count(), 2u);
  EXPECT_EQ(rows.text(1), "写真/b.jpg");
}

}  // namespace
}  // namespace batora
