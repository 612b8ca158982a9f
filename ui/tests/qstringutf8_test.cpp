#include "qstringutf8.h"

#include <gtest/gtest.h>

namespace batora {
namespace {

// The conversion goes by the view's size, never by a terminating NUL.
TEST(Utf8Boundary, CrossesBothWaysUnchanged) {
  using namespace std::string_literals;
  const std::string utf8 = "ﾘﾈｰﾑ\0\xF0\x9F\x93\xB7"s;
  const QString qt = QString::fromUtf16(u"ﾘﾈｰﾑ\0\U0001F4F7", 7);
  EXPECT_EQ(toQString(utf8), qt);
  EXPECT_EQ(toUtf8(qt), utf8);
  EXPECT_EQ(toQString(std::string_view("abc", 2)), QStringLiteral("ab"));
}

}  // namespace
}  // namespace batora
