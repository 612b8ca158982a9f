#include "quicksortfiles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <random>
#include <string>
#include <vector>

#include "platform.h"
#include "smallstack.h"
#include "utf8.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Table = std::vector<platform::PathText>;

// A path below a fixed root folder; "/" in `relative` stands for the platform's separator.
platform::PathText entry(std::string relative) {
  std::replace(relative.begin(), relative.end(), '/', platform::kSeparator);
  return platform::pathFromUtf8(std::string(1, platform::kSeparator) + "photos" +
                                platform::kSeparator + relative)
      .native();
}

Table tableOf(const std::vector<std::string>& relatives) {
  Table table;
  for (const auto& relative : relatives) table.push_back(entry(relative));
  return table;
}

// The entries' texts in byte order, to check that a sort only rearranged them.
std::vector<fs::path::string_type> sortedTexts(const Table& table) {
  std::vector<fs::path::string_type> texts;
  for (const auto& path : table) texts.push_back(path);
  std::sort(texts.begin(), texts.end());
  return texts;
}

// The straightforward reading of the sort: split both entries for every comparison and recurse
// into both sides. Too slow and too deep for big tables, but easy to check by eye.
bool referenceGoesBefore(const fs::path& candidate, const fs::path& pivot, int iSortOption,
                         int iDescOption) {
  std::string base, extension;
  SplitFileName(candidate, base, extension);
  const std::u16string nj = utf8::toUtf16(base), ej = utf8::toUtf16(extension);
  SplitFileName(pivot, base, extension);
  const std::u16string np = utf8::toUtf16(base), ep = utf8::toUtf16(extension);
  if (iSortOption == 1) {
    if (iDescOption == 1) return nj > np || (nj == np && ej > ep);
    return nj < np || (nj == np && ej < ep);
  }
  if (iDescOption == 1) return ej > ep || (ej == ep && nj > np);
  return ej < ep || (ej == ep && nj < np);
}

void referenceSort(Table& table, long lo, long hi, int iSortOption, int iDescOption) {
  if (lo >= hi) return;
  // The default floating-point rounding mode sends halves to the even neighbour.
  const long mid = std::lrint(static_cast<double>(lo + hi) / 2.0);
  std::swap(table[lo], table[mid]);
  long last = lo;
  for (long j = lo + 1; j <= hi; ++j) {
    if (referenceGoesBefore(table[j], table[lo], iSortOption, iDescOption))
      std::swap(table[++last], table[j]);
  }
  std::swap(table[lo], table[last]);
  referenceSort(table, lo, last - 1, iSortOption, iDescOption);
  referenceSort(table, last + 1, hi, iSortOption, iDescOption);
}

TEST(SplitFileNameTest, BaseNameAndExtensionOfTheLastComponent) {
  struct Row {
    const char* path;  // "/" stands for the separator
    const char* baseName;
    const char* extension;
  } rows[] = {
      {"/photos/sub/a.b.jpg", "a.b", "jpg"},
      {"/photos/README", "README", ""},
      {"/photos.2023/README", "README", ""},  // a dot in a folder is not an extension
      {"/photos/a.", "a", ""},
      {"/photos/.hidden", "", "hidden"},
      {"/photo\xFF.jpg", "photo\xEF\xBF\xBD", "jpg"},  // not UTF-8: shown as U+FFFD
      {"a.txt", "", ""},                               // no separator at all
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.path);
    std::string path = row.path;
    std::replace(path.begin(), path.end(), '/', platform::kSeparator);
    std::string base = "left over", extension = "left over";
    SplitFileName(platform::pathFromUtf8(path), base, extension);
    EXPECT_EQ(base, row.baseName);
    EXPECT_EQ(extension, row.extension);
  }
}

// Examples of the rules the reference below spells out; the comparison against it on random
// tables checks the rest.
TEST(QuickSortFilesTest, KeysCompareOrdinallyOverUtf16) {
  struct Row {
    const char* name;
    int iSortOption;
    int iDescOption;
    std::vector<std::string> input;
    std::vector<std::string> expected;
  } rows[] = {
      {"upper case first", 1, 0, {"a.txt", "B.txt"}, {"B.txt", "a.txt"}},
      {"equal names fall back to extension", 1, 0, {"a.txt", "a.bmp"}, {"a.bmp", "a.txt"}},
      {"equal extensions fall back to name", 2, 0, {"b.jpg", "a.jpg"}, {"a.jpg", "b.jpg"}},
      {"folders do not count", 1, 0, {"a/z.jpg", "z/a.jpg"}, {"z/a.jpg", "a/z.jpg"}},
      // U+1F600 is a surrogate pair (D83D DE00) and so sorts before U+FF71, unlike in code point
      // or UTF-8 byte order.
      {"surrogates before the top of the BMP", 1, 0, {"ｱ.txt", "😀.txt"}, {"😀.txt", "ｱ.txt"}},
      {"any other sort option is by extension", 0, 0, {"a.txt", "b.bmp"}, {"b.bmp", "a.txt"}},
      {"any other direction is ascending", 1, 2, {"b.txt", "a.txt"}, {"a.txt", "b.txt"}},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.name);
    Table table = tableOf(row.input);
    QuickSortFiles(table, 0, static_cast<long>(table.size()) - 1, row.iSortOption, row.iDescOption);
    EXPECT_EQ(table, tableOf(row.expected));
  }
}

// With equal keys nothing moves but the pivot exchanges, so the result shows where every pivot
// was taken. The parity is that of the table indices, not of the position within the range.
TEST(QuickSortFilesTest, EqualKeysFollowThePivotRoundedHalfToEven) {
  struct Row {
    long lo;
    long hi;
    std::vector<int> expected;  // folder numbers, top row first
  } rows[] = {
      {0, 3, {2, 0, 1, 3, 4}},   // 1.5 -> 2, then 2, then 2.5 -> 2
      {3, 4, {0, 1, 2, 4, 3}},   // 3.5 -> 4
      {0, 4, {2, 0, 3, 4, 1}},   // 2, then 2.5 -> 2, then 3, then 3.5 -> 4
      {-1, 2, {0, 1, 2, 3, 4}},  // reaches outside the table: left alone
      {0, 5, {0, 1, 2, 3, 4}},   // reaches outside the table: left alone
  };
  auto folders = [](const std::vector<int>& numbers) {
    std::vector<std::string> relatives;
    for (int n : numbers) relatives.push_back("d" + std::to_string(n) + "/IMG_0001.JPG");
    return tableOf(relatives);
  };
  for (const auto& row : rows) {
    for (int iSortOption : {1, 2}) {
      for (int iDescOption : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << "lo " << row.lo << " hi " << row.hi << " option "
                                          << iSortOption << " desc " << iDescOption);
        Table table = folders({0, 1, 2, 3, 4});
        QuickSortFiles(table, row.lo, row.hi, iSortOption, iDescOption);
        EXPECT_EQ(table, folders(row.expected));
      }
    }
  }
}

// The list controller's compact table, one folder per entry.
FileTable fileTableOf(const Table& table) {
  FileTable compact;
  for (const platform::PathText& path : table) {
    const size_t nameAt = path.rfind(platform::kSeparator) + 1;
    compact.beginFolder(path.substr(0, nameAt), 0);
    compact.addFile(FileTable::View(path).substr(nameAt));
  }
  return compact;
}

Table pathsOf(const FileTable& compact) {
  Table paths;
  for (size_t i = 0; i < compact.size(); ++i) paths.push_back(compact.path(i));
  return paths;
}

// Every key, every pivot choice and every exchange leaves a trace in the order of equal keys, so
// comparing whole tables against the plain steps checks all of them at once.
TEST(QuickSortFilesTest, MatchesThePlainRecursiveStepsOnRandomTables) {
  const std::vector<std::string> baseNames = {
      // long names with long common beginnings, and names that begin others
      "Report final 1", "Report final 10", "Report final 1 copy", "Report", "a", "ab", "abc",
      // case, Japanese, outside the BMP, not UTF-8, a dot in the base name, empty
      "A", "b", "IMG_0001", "IMG_0010", "img_0001", "写真", "写真 1", "ﾌｧｲﾙ", "ファイル", "ｱ", "😀",
      "photo\xFF", "a.b", "",
      // keys that end on an eight-byte boundary, and the same one character longer
      "abcdefg", "abcdefgh", "abcdefgh1", "ab", "ab\xEE\x80\x80", "ab\xF0\x9F\x98\x80"};
  const std::vector<std::string> extensions = {"jpg", "JPG",    "Jpg",           "txt",
                                               "",    "ｊｐｇ", "backup_2023_1", "backup_2023_10"};
  const std::vector<std::string> folders = {"", "sub/", "sub/深い/", "2023 夏/", "x.y/"};
  std::mt19937 random(20240601);
  auto pick = [&random](size_t count) {
    return std::uniform_int_distribution<size_t>(0, count - 1)(random);
  };
  for (int round = 0; round < 300; ++round) {
    // Few distinct names in some rounds give long runs of equal keys.
    const size_t nameCount = 1 + pick(baseNames.size());
    const size_t size = round % 10 == 0 ? 150 + pick(150) : pick(60);
    std::vector<std::string> relatives;
    for (size_t i = 0; i < size; ++i) {
      std::string name = baseNames[pick(nameCount)];
      if (pick(5) != 0) name += "." + extensions[pick(extensions.size())];
      relatives.push_back(folders[pick(folders.size())] + name);
    }
    const Table input = tableOf(relatives);
    long lo = 0, hi = static_cast<long>(size) - 1;
    if (size > 0 && round % 3 == 0) {
      lo = static_cast<long>(pick(size));
      hi = static_cast<long>(pick(size));
    }
    for (int iSortOption : {1, 2}) {
      for (int iDescOption : {0, 1}) {
        SCOPED_TRACE(::testing::Message() << "round " << round << " lo " << lo << " hi " << hi
                                          << " option " << iSortOption << " desc " << iDescOption);
        Table expected = input;
        referenceSort(expected, lo, hi, iSortOption, iDescOption);
        Table actual = input;
        QuickSortFiles(actual, lo, hi, iSortOption, iDescOption);
        ASSERT_EQ(actual, expected);
        FileTable compact = fileTableOf(input);
        QuickSortFiles(compact, lo, hi, iSortOption, iDescOption);
        ASSERT_EQ(pathsOf(compact), expected);
      }
    }
  }
}

// Names placed so that every pivot is the largest key of its range: all the others go before it,
// and the plain steps nest once per entry on the left side.
std::vector<std::string> pivotAlwaysLargest(long count) {
  std::vector<long> slots(static_cast<size_t>(count));  // which name sits in each row
  std::iota(slots.begin(), slots.end(), 0L);
  std::vector<long> ranks(slots.size());
  for (long hi = count - 1; hi > 0; --hi) {
    const long mid = std::lrint(static_cast<double>(hi) / 2.0);
    ranks[slots[mid]] = hi;
    std::swap(slots[0], slots[mid]);
    std::swap(slots[0], slots[hi]);  // the loop only exchanged rows with themselves
  }
  std::vector<std::string> names;
  for (long rank : ranks) {
    const std::string digits = std::to_string(rank);
    names.push_back("n" + std::string(6 - digits.size(), '0') + digits + ".jpg");
  }
  return names;
}

// The sort does not grow the stack with the table, so it gets by on a stack far too small for a
// recursion as deep as the table.
TEST(QuickSortFilesTest, TablesThatNestThePlainStepsOncePerEntryNeedLittleStack) {
  std::vector<std::string> identical, equalAheadOfLarger;
  for (int i = 0; i < 20000; ++i) identical.push_back("d" + std::to_string(i) + "/IMG_0001.JPG");
  // Larger names in the last rows are taken as pivots only at the very end, so until then every
  // range holds both kinds and the plain steps nest once per entry on the right side.
  for (int i = 0; i < 4000; ++i) {
    const std::string name = i < 3980 ? "IMG_0001" : "zz" + std::to_string(i);
    equalAheadOfLarger.push_back("d" + std::to_string(i) + "/" + name + ".JPG");
  }
  const struct Row {
    const char* name;
    Table input;
  } rows[] = {{"one file name in twenty thousand folders", tableOf(identical)},
              {"equal names ahead of larger ones", tableOf(equalAheadOfLarger)},
              {"pivots that are always the largest", tableOf(pivotAlwaysLargest(4000))}};
  for (const Row& row : rows) {
    const long hi = static_cast<long>(row.input.size()) - 1;
    for (int iSortOption : {1, 2}) {
      for (int iDescOption : {0, 1}) {
        SCOPED_TRACE(::testing::Message()
                     << row.name << " option " << iSortOption << " desc " << iDescOption);
        Table table = row.input;
        testing::runOnSmallStack([&] { QuickSortFiles(table, 0, hi, iSortOption, iDescOption); },
                                 64 * 1024);
        for (size_t i = 1; i < table.size(); ++i)
          ASSERT_FALSE(referenceGoesBefore(table[i], table[i - 1], iSortOption, iDescOption)) << i;
        EXPECT_EQ(sortedTexts(table), sortedTexts(row.input));
      }
    }
  }
}

}  // namespace
}  // namespace batora
