#include "wildcardpattern.h"

#include <gtest/gtest.h>

#include "platform.h"

namespace batora {
namespace {

TEST(WildcardPatternTest, MatchesAsUsersOfTheHomePlatformExpect) {
  struct Row {
    const char* pattern;
    const char* name;
    bool match;
  } rows[] = {
      {"*.*", "photo.jpg", true},
      {"*.*", "README", true},  // dotless names too
      {"*.*", ".hidden", true},
      {"*", "a.b.c", true},
      {"*.jpg", "A.JPG", true},  // case-insensitive
      {"*.JPG", "a.jpeg", false},
      {"*.jpg", "a.jpg.txt", false},
      {"*.jpg", "x.y.jpg", true},
      {"a?c", "abc", true},
      {"a?c", "ABC", true},
      {"a?c", "ac", false},
      {"a?c", "abbc", false},
      {"a*c", "ac", true},
      {"a*c*", "abcbd", true},
      {"*.", "README", true},  // a trailing dot asks for names without an extension
      {"*.", "a.txt", false},
      {"a.*", "a", true},
      {"a.*", "a.txt", true},
      {"a.*", "ab", false},
      {"photo*.*", "photo2", true},
      {"写真*.jpg", "写真2000.JPG", true},
      {"写真?.jpg", "写真夏.jpg", true},
      {"*ｊｐｇ", "ａ.ＪＰＧ", true},  // full-width letters fold as well
      {"é*", "École", true},
      {"exact.txt", "exact.txt", true},
      {"exact.txt", "exact.txt2", false},
      {"?", "\xFF", true},  // a broken byte is one character
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.pattern) + " ~ " + row.name);
    EXPECT_EQ(WildcardPattern(row.pattern).matches(platform::pathFromUtf8(row.name)), row.match);
  }
}

}  // namespace
}  // namespace batora
