// One table of names and file-name patterns, checked against our matcher and against the
// matching the search really uses: WildcardPattern on POSIX, the system's own enumeration on
// Windows. Run on both, it shows that the two agree wherever we mean them to.

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "casedletters.h"
#include "folderscan.h"
#include "matcherquirks.h"
#include "platform.h"
#include "tempdir.h"
#include "wildcardpattern.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

// No two differ only in letter case: the home platform could not hold both.
const Names kNames{"abc",
                   "ABD.txt",
                   "a.c",
                   "aXc.jpg",
                   "README",
                   "photo.jpg",
                   "Photo2.JPG",
                   "page.html",
                   "a.b.c",
                   "archive.tar.gz",
                   "写真.jpg",
                   "写真2000.JPG",
                   "ｆｕｌｌ.ＴＸＴ",
                   "ΑΒΓ.txt",
                   ".hidden",
                   "abcd.jpeg",
                   "notes.txt.bak"};

struct PatternRow {
  const char* name;
  const char* pattern;
  // What our matcher lists, and the system as well.
  Names matches;
  // What the system lists besides, through the 8.3 short name it keeps for a long name
  // (PAGE~1.HTM for page.html), on a volume that keeps short names. We do not copy this: a
  // short name is invisible to the user, who would not expect "*.htm" to list page.html.
  Names byShortNameOnly = {};
  // What Wine lists instead, where it differs from Windows.
  std::optional<Names> underWine = std::nullopt;
};

const PatternRow kRows[] = {
    {"star dot star is every name, dotless ones too", "*.*", kNames},
    {"star alone is every name", "*", kNames},
    {"trailing dot: names without an extension", "*.", {"abc", "README"}, {".hidden"}, kNames},
    {"question mark is one character, a dot included", "a?c", {"a.c", "abc"}},
    {"letters match in either case", "A?C", {"a.c", "abc"}},
    {"extension in lower case",
     "*.jpg",
     {"aXc.jpg", "photo.jpg", "Photo2.JPG", "写真.jpg", "写真2000.JPG"}},
    {"extension in upper case",
     "*.JPG",
     {"aXc.jpg", "photo.jpg", "Photo2.JPG", "写真.jpg", "写真2000.JPG"}},
    {"no star: the exact name in any case", "PHOTO.JPG", {"photo.jpg"}},
    {"dot star after a stem", "photo.*", {"photo.jpg"}},
    {"dotless stem with dot star", "abc.*", {"abc"}},
    {"several dots: the last extension", "*.gz", {"archive.tar.gz"}},
    {"several dots: an inner part", "*.tar.*", {"archive.tar.gz"}},
    {"several dots: the first part", "a.b.*", {"a.b.c"}},
    {"extension of one letter", "*.c", {"a.b.c", "a.c"}},
    {"a name that begins with a dot", ".*", {".hidden"}},
    {"three-letter extension against a longer one", "*.htm", {}, {"page.html"}},
    {"three-letter extension against a four-letter one", "*.jpe", {}, {"abcd.jpeg"}},
    {"inner extension of a long name", "*.txt", {"ABD.txt", "ΑΒΓ.txt"}},
    {"Japanese stem and star", "写真*.jpg", {"写真.jpg", "写真2000.JPG"}},
    {"Japanese stem and question mark", "写?.jpg", {"写真.jpg"}},
    {"full-width letters fold", "*.ｔｘｔ", {"ｆｕｌｌ.ＴＸＴ"}},
    {"Greek letters fold", "αβγ*", {"ΑΒΓ.txt"}},
    {"a tilde no name has",
     "*~*",
     {},
     {".hidden", "a.b.c", "abcd.jpeg", "archive.tar.gz", "notes.txt.bak", "page.html", "ΑΒΓ.txt",
      "写真.jpg", "写真2000.JPG", "ｆｕｌｌ.ＴＸＴ"}},
};

bool contains(const Names& names, const std::string& name) {
  return std::find(names.begin(), names.end(), name) != names.end();
}

class PatternTableTest : public ::testing::Test {
 protected:
  PatternTableTest() {
    for (const std::string& name : kNames) dir.write(platform::pathFromUtf8(name), name);
  }

  // The names the folder's own matching must list: ours, and on a file system that keeps
  // short names also every name whose short name our matcher takes.
  Names expectedFromTheFolder(const WildcardPattern& ours) const {
    Names expected;
    for (const std::string& name : kNames) {
      const fs::path path = dir / platform::pathFromUtf8(name);
      const std::optional<fs::path> alias = testing::shortName(path);
      if (ours.matches(platform::pathFromUtf8(name)) || (alias && ours.matches(*alias)))
        expected.push_back(name);
    }
    return expected;
  }

  testing::TempDir dir;
};

TEST_F(PatternTableTest, OurMatcherListsWhatTheTableSays) {
  for (const PatternRow& row : kRows) {
    SCOPED_TRACE(row.name);
    const WildcardPattern ours(row.pattern);
    for (const std::string& name : kNames)
      EXPECT_EQ(ours.matches(platform::pathFromUtf8(name)), contains(row.matches, name)) << name;
  }
}

TEST_F(PatternTableTest, TheFoldersOwnMatchingAgreesApartFromShortNames) {
  for (const PatternRow& row : kRows) {
    SCOPED_TRACE(row.name);
    const std::optional<platform::FolderListing> listing = scanFolder(dir.path(), row.pattern);
    ASSERT_TRUE(listing);
    std::set<std::string> listed;
    for (const platform::PathText& file : listing->files) listed.insert(platform::pathToUtf8(file));
    const Names expected = row.underWine && testing::runningUnderWine()
                               ? *row.underWine
                               : expectedFromTheFolder(WildcardPattern(row.pattern));
    EXPECT_EQ(listed, std::set<std::string>(expected.begin(), expected.end()));
    if (row.underWine && testing::runningUnderWine()) continue;
    // Every name listed beyond our matcher's is one the table names as a short-name match.
    for (const std::string& name : listed)
      EXPECT_TRUE(contains(row.matches, name) || contains(row.byShortNameOnly, name)) << name;
  }
}

// What the table cannot show with names a folder can hold side by side on the home platform.
TEST(WildcardPatternTest, MatchesAsUsersOfTheHomePlatformExpect) {
  struct Row {
    const char* pattern;
    const char* name;
    bool match;
  } rows[] = {
      {"a?c", "ac", false},          {"a?c", "abbc", false}, {"a*c*", "abcbd", true},
      {"*.jpg", "a.jpg.txt", false}, {"a.*", "ab", false},   {"photo*.*", "photo2", true},
      {"é*", "École", true},         {"?", "\xFF", true},  // a broken byte is one character
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.pattern) + " ~ " + row.name);
    EXPECT_EQ(WildcardPattern(row.pattern).matches(platform::pathFromUtf8(row.name)), row.match);
  }
}

// The letters the list order is tested with, each in a pattern of either case, against our
// matcher and the folder's own matching alike.
class CasedPatternTest : public ::testing::Test {
 protected:
  CasedPatternTest() {
    for (const std::string& name : testing::casedNames())
      dir.write(platform::pathFromUtf8(name), name);
  }

  Names listed(std::string_view pattern) const {
    const std::optional<platform::FolderListing> listing = scanFolder(dir.path(), pattern);
    Names names;
    if (listing)
      for (const platform::PathText& file : listing->files)
        names.push_back(platform::pathToUtf8(file));
    return names;
  }

  testing::TempDir dir;
};

TEST_F(CasedPatternTest, ALetterMatchesItsOtherCaseWhereTheHomePlatformFoldsIt) {
  for (const testing::CasedLetter& letter : testing::kCasedLetters) {
    SCOPED_TRACE(letter.script);
    const std::string small = std::string(letter.small) + ".txt";
    const std::string capital = std::string(letter.capital) + "2.txt";
    for (const char* typed : {letter.small, letter.capital}) {
      const std::string pattern = std::string(typed) + "*";
      SCOPED_TRACE(pattern);
      const Names expected = letter.folds              ? Names{small, capital}
                             : typed == letter.capital ? Names{capital}
                                                       : Names{small};
      const WildcardPattern ours(pattern);
      Names oursLists;
      for (const std::string& name : testing::casedNames())
        if (ours.matches(platform::pathFromUtf8(name))) oursLists.push_back(name);
      EXPECT_EQ(std::set<std::string>(oursLists.begin(), oursLists.end()),
                std::set<std::string>(expected.begin(), expected.end()));
      EXPECT_EQ(listed(pattern), expected);
    }
  }
}

TEST_F(CasedPatternTest, TheFolderListsEveryScriptInHomeOrder) {
  EXPECT_EQ(listed("*"), Names(std::begin(testing::kCasedNamesInHomeOrder),
                               std::end(testing::kCasedNamesInHomeOrder)));
}

}  // namespace
}  // namespace batora
