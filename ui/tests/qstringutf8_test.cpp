#include "qstringutf8.h"

#include <gtest/gtest.h>

namespace batora {
namespace {

struct Spelling {
  const char* name;
  std::string utf8;
  QString qt;
};

class Utf8Boundary : public ::testing::TestWithParam<Spelling> {};

TEST_P(Utf8Boundary, CrossesBothWaysUnchanged) {
  EXPECT_EQ(toQString(GetParam().utf8), GetParam().qt);
  EXPECT_EQ(toUtf8(GetParam().qt), GetParam().utf8);
}

INSTANTIATE_TEST_SUITE_P(
    Texts, Utf8Boundary,
    ::testing::Values(
        Spelling{"Empty", "", QString()},
        Spelling{"Ascii", "IMG_0001.JPG", QStringLiteral("IMG_0001.JPG")},
        Spelling{"Kanji", "写真 一覧", QString::fromUtf16(u"写真 一覧")},
        Spelling{"HalfWidthKana", "ﾘﾈｰﾑ開始(&G)", QString::fromUtf16(u"ﾘﾈｰﾑ開始(&G)")},
        Spelling{"OutsideBmp", "\xF0\x9F\x93\xB7", QString::fromUtf16(u"\U0001F4F7")},
        Spelling{"EmbeddedNul", std::string("a\0b", 3), QString::fromUtf16(u"a\0b", 3)}),
    [](const auto& row) { return std::string(row.param.name); });

TEST(Utf8Boundary, BytesThatAreNotUtf8BecomeReplacementCharacters) {
  EXPECT_EQ(toQString("a\xFF"
                      "b"),
            QString::fromUtf16(u"a\uFFFDb"));
  EXPECT_EQ(toUtf8(toQString("\x82\xA0")), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace batora
