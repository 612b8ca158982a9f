#include "text.h"

#include <gtest/gtest.h>

#include "utf8.h"

namespace batora {
namespace {

TEST(RemoveStringTest, LeftToRightWithoutOverlapAndWithoutRescanning) {
  EXPECT_EQ(RemoveString("...", ".."), ".");
  EXPECT_EQ(RemoveString("....", ".."), "");
  EXPECT_EQ(RemoveString("a.\\.b", "\\"), "a..b");
  EXPECT_EQ(RemoveString(RemoveString("a.\\.b", "\\"), ".."), "ab");
  EXPECT_EQ(RemoveString("x\t\ty\t", "\t"), "xy");
  EXPECT_EQ(RemoveString("ABab", "ab"), "AB");  // case-sensitive
  EXPECT_EQ(RemoveString("", ".."), "");
  EXPECT_EQ(RemoveString("写真..写真", ".."), "写真写真");
}

TEST(TrimTest, SpacesAndIdeographicSpaces) {
  EXPECT_EQ(trimSpaces("  a b  "), "a b");
  EXPECT_EQ(trimSpaces("\ta\t"), "\ta\t");
  EXPECT_EQ(trimSpaces("    "), "");
  EXPECT_EQ(trimBlanks("\xE3\x80\x80 photo \xE3\x80\x80"), "photo");
  EXPECT_EQ(trimBlanks("写\xE3\x80\x80真"), "写\xE3\x80\x80真");
  EXPECT_EQ(trimBlanks("\xE3\x80\x80"), "");
}

TEST(NumberTextTest, FullWidthAndGrouped) {
  EXPECT_EQ(fullWidthNumber(0), "０");
  EXPECT_EQ(fullWidthNumber(9999), "９９９９");
  EXPECT_EQ(fullWidthNumber(105), "１０５");
  struct Row {
    long long value;
    const char* text;
  } rows[] = {{0, "0"},        {12, "12"},      {999, "999"},        {1000, "1,000"},
              {1234, "1,234"}, {1500, "1,500"}, {100000, "100,000"}, {1234567, "1,234,567"}};
  for (const auto& row : rows) EXPECT_EQ(groupedNumber(row.value), row.text);
}

TEST(JoinPathTest, NoDoubledSeparator) {
  EXPECT_EQ(joinPath("/photos", "a.jpg"), "/photos/a.jpg");
  EXPECT_EQ(joinPath("/photos/", "a.jpg"), "/photos/a.jpg");
  EXPECT_EQ(joinPath("/", "a.jpg"), "/a.jpg");
}

TEST(TimestampTest, Formats) {
  platform::LocalDateTime t{2000, 5, 31, 9, 5, 7};
  EXPECT_EQ(formatTimestamp(t), "2000/05/31 09:05:07");
  EXPECT_EQ(formatDate8(t), "20000531");
}

TEST(Utf8Test, InvalidBytesBecomeReplacementCharacters) {
  EXPECT_EQ(utf8::sanitize("ab"), "ab");
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
