#include "wildcardpattern.h"

#include <gtest/gtest.h>

#include "platform.h"

namespace batora {
namespace {

// What the pattern table (patterntable_test.cpp) cannot show with names a folder can hold
// side by side on the home platform.
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

}  // namespace
}  // namespace batora
