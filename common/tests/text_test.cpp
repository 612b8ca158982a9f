#include "text.h"

#include <gtest/gtest.h>

#include "utf8.h"

namespace batora {
namespace {

// RemoveString, the trims, full-width numbers and time stamps are checked byte for byte through
// the settings file, the naming rule and the logs; what follows has no such caller in the tests.

TEST(NumberTextTest, GroupedByThree) {
  struct Row {
    long long value;
    const char* text;
  } rows[] = {{0, "0"}, {999, "999"}, {1000, "1,000"}, {100000, "100,000"}, {1234567, "1,234,567"}};
  for (const auto& row : rows) EXPECT_EQ(groupedNumber(row.value), row.text);
}

TEST(JoinPathTest, NoDoubledSeparator) {
  EXPECT_EQ(joinPath("/photos", "a.jpg"), "/photos/a.jpg");
  EXPECT_EQ(joinPath("/photos/", "a.jpg"), "/photos/a.jpg");
}

TEST(PrintableTest, ControlCharactersBecomeMarksMessageLineBreaksMayStay) {
  struct Row {
    const char* name;
    std::string text;
    bool keepCrLf;
    std::string shown;
  } rows[] = {
      {"a forged record", "a\r\n*** fake ***", false, "a??*** fake ***"},
      {"a message's line break stays", "エラー\r\n(a\nb\rc)", true, "エラー\r\n(a?b?c)"},
      {"a terminal title sequence", "\x1b]0;owned\x07.jpg", false, "?]0;owned?.jpg"},
      {"NUL, DEL and C1 (U+009B)", std::string("a\0b\x7F\xC2\x9B", 6), false, "a?b??"},
      {"TAB, Latin-1 and Japanese stay", "a\tÿ\u00A0写真", false, "a\tÿ\u00A0写真"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(printable(row.text, row.keepCrLf), row.shown);
  }
}

TEST(Utf8Test, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(utf8::sanitize("写真"), "写真");
  EXPECT_EQ(utf8::sanitize("a\xFF"
                           "b"),
            "a\xEF\xBF\xBD"
            "b");
  EXPECT_EQ(utf8::sanitize("\xE5\x86"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // cut sequence
  EXPECT_EQ(utf8::sanitize("\xC0\xAF"), "\xEF\xBF\xBD\xEF\xBF\xBD");  // overlong slash
  EXPECT_EQ(utf8::length("a写真"), 3u);
  EXPECT_EQ(utf8::left("写真2000", 3), "写真2");
  EXPECT_EQ(utf8::toUtf16("a\xF0\x9F\x98\x80"), (std::u16string{u'a', 0xD83D, 0xDE00}));
}

}  // namespace
}  // namespace batora
