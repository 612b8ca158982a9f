#include "nameorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <tuple>
#include <utility>

#include "casedletters.h"
#include "platform.h"
#include "utf8.h"

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
      // Every folder without files or without subfolders orders an empty list.
      {"none", {}, {}},
      {"one", {"a.txt"}, {"a.txt"}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(inHomeOrder(row.names), row.expected);
  }
}

// The home order spelled out slowly: every name as UTF-16 units of its shown text, each unit
// folded on its own, then the exact units, then the system's own bytes.
struct SlowKey {
  std::u16string folded, exact;
  platform::PathText native;
  explicit SlowKey(const platform::PathText& name) : native(name) {
    exact = utf8::toUtf16(platform::pathToUtf8(std::filesystem::path(name)));
    for (const char16_t unit : exact) folded += static_cast<char16_t>(foldCase(unit));
  }
  bool operator<(const SlowKey& other) const {
    return std::tie(folded, exact, native) < std::tie(other.folded, other.exact, other.native);
  }
};

// Random names of a folder: long shared beginnings, the same name in other cases (also outside
// ASCII), characters beyond the basic plane beside U+E000 and half-width katakana, and bytes
// that are not UTF-8, which only the system's bytes tell apart.
std::vector<platform::PathText> randomNames(std::mt19937& random) {
  using Char = platform::PathText::value_type;
  static const std::pair<const char*, const char*> kCased[] = {
      {"a", "A"}, {"z", "Z"}, {"é", "É"}, {"ł", "Ł"}, {"ω", "Ω"},           {"я", "Я"}, {"ß", "ß"},
      {"0", "0"}, {".", "."}, {"_", "_"}, {"ｶ", "ｶ"}, {"\uE000", "\uE000"}, {"😀", "😀"}, {"𐐨", "𐐨"}};
  auto native = [](const char* utf8) { return platform::pathFromUtf8(utf8).native(); };
  std::vector<std::pair<platform::PathText, platform::PathText>> pieces;
  for (const auto& [lower, upper] : kCased) pieces.emplace_back(native(lower), native(upper));
  if constexpr (sizeof(Char) == 1) {
    for (const char* broken : {"\xFF", "\xFE", "\xC3", "\x80"}) pieces.emplace_back(broken, broken);
  } else {
    const platform::PathText lone(1, static_cast<Char>(0xD800));
    pieces.emplace_back(lone, lone);
  }
  const platform::PathText prefixes[] = {native(""), native("IMG_"), native("photo_2026_12_07_"),
                                         native("ｶﾒﾗ")};
  std::set<platform::PathText> names;
  std::uniform_int_distribution<size_t> piece(0, pieces.size() - 1), length(0, 9), prefix(0, 3);
  std::bernoulli_distribution coin;
  while (names.size() < 3000) {
    std::vector<size_t> spelling(length(random));
    for (size_t& p : spelling) p = piece(random);
    const int spellings = coin(random) ? 3 : 1;  // others in another case, or the same
    for (int variant = 0; variant < spellings; ++variant) {
      platform::PathText name = prefixes[prefix(random)];
      for (const size_t p : spelling) name += coin(random) ? pieces[p].first : pieces[p].second;
      if (!name.empty()) names.insert(name);
    }
  }
  std::vector<platform::PathText> shuffled(names.begin(), names.end());
  std::shuffle(shuffled.begin(), shuffled.end(), random);
  return shuffled;
}

TEST(HomeOrderTest, MatchesASlowReferenceOnRandomNames) {
  for (const unsigned seed : {1u, 2u, 3u}) {
    SCOPED_TRACE(seed);
    std::mt19937 random(seed);
    std::vector<platform::PathText> names = randomNames(random);
    std::vector<SlowKey> expected(names.begin(), names.end());
    std::sort(expected.begin(), expected.end());
    sortInHomeOrder(names);
    ASSERT_EQ(names.size(), expected.size());
    for (size_t i = 0; i < names.size(); ++i) ASSERT_EQ(names[i], expected[i].native) << i;
  }
}

}  // namespace
}  // namespace batora
