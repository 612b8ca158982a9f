#include "nameorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>

#include "casedletters.h"
#include "platform.h"

namespace batora {
namespace {

using Names = std::vector<std::string>;

Names inHomeOrder(const Names& names) {
  std::vector<std::filesystem::path> paths;
  for (const std::string& name : names) paths.push_back(platform::pathFromUtf8(name));
  sortInHomeOrder(paths);
  Names sorted;
  for (const auto& path : paths) sorted.push_back(platform::pathToUtf8(path));
  return sorted;
}

TEST(HomeOrderTest, EveryCasedScriptSortsAsTheHomePlatformListsIt) {
  const Names expected(std::begin(testing::kCasedNamesInHomeOrder),
                       std::end(testing::kCasedNamesInHomeOrder));
  Names names = testing::casedNames();
  std::mt19937 random(17);
  for (int round = 0; round < 4; ++round) {
    SCOPED_TRACE(round);
    EXPECT_EQ(inHomeOrder(names), expected);
    std::shuffle(names.begin(), names.end(), random);
  }
}

// Names the home platform takes for one, which other file systems hold side by side.
TEST(HomeOrderTest, NamesThatFoldAlikeAreOrderedByTheExactName) {
  struct Row {
    const char* name;
    Names names;
    Names expected;
  } rows[] = {
      {"ASCII", {"b.txt", "a.txt", "A.txt", "A.TXT"}, {"A.TXT", "A.txt", "a.txt", "b.txt"}},
      {"Polish", {"ła", "Łb.txt", "ł.txt", "Ł.txt"}, {"Ł.txt", "ł.txt", "ła", "Łb.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(inHomeOrder(row.names), row.expected);
  }
}

}  // namespace
}  // namespace batora
