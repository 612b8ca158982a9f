#include "namingrule.h"

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "faketoolkit.h"

namespace batora {
namespace {

class SampleTest : public ::testing::Test {
 protected:
  testing::FakeTextField txtName, txtExp, txtSeq, txtSample;
  testing::FakeCheckField chbBackSeq;
  testing::FakeClock clock;  // 2000-12-31
  NamingRule rule{txtName, txtExp, txtSeq, chbBackSeq, txtSample, clock};
};

TEST_F(SampleTest, ShowsTheFirstNameOfARun) {
  struct Row {
    const char* name;
    const char* ext;
    const char* digits;
    int back;
    const char* sample;
  } rows[] = {
      {"20001231_", "jpg", "2", 1, "20001231_01.jpg"},  // the start-up values
      {"photo", "", "3", 1, "photo001.jpg"},
      {"photo", "png", "3", 0, "001photo.png"},
      {"", "txt", "2", 1, "20001231_01.txt"},
      {"", "txt", "2", 0, "0120001231_.txt"},
      {"", "", "2", 1, ""},
      {"  ", " \xE3\x80\x80", "5", 0, ""},
      {"photo", "jpg", "0", 1, "photo.jpg"},
      {"photo", "jpg", "a", 1, "photo.jpg"},
      {"photo", "jpg", "9", 1, "photo00000001.jpg"},
      {"photo", "jpg", "5", 1, "photo00001.jpg"},
      {"\xE3\x80\x80 photo\xE3\x80\x80", "jpg", "2", 1, "photo01.jpg"},  // both kinds of space
      {"photo", ".txt", "2", 1, "photo01..txt"},
      {"photo", "jpg", "2", 2, "01photo.jpg"},    // only the value 1 counts as ticked
      {"photo", "jpg", "３", 1, "photo001.jpg"},  // a full-width digit is a number
      {"写真　夏", "ｊｐｇ", "2", 1, "写真　夏01.ｊｐｇ"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + "|" + row.ext + "|" + row.digits);
    txtName.value = row.name;
    txtExp.value = row.ext;
    txtSeq.value = row.digits;
    chbBackSeq.state = row.back;
    rule.CmnShowSample();
    EXPECT_EQ(txtSample.value, row.sample);
  }
}

TEST_F(SampleTest, DefaultedDateIsTakenAtEachComposition) {
  txtExp.value = "jpg";
  chbBackSeq.state = 1;
  EXPECT_EQ(rule.CmnMakeFileName("01"), "20001231_01.jpg");
  clock.time = {2001, 1, 1, 0, 0, 1};
  EXPECT_EQ(rule.CmnMakeFileName("  03 "), "20010101_03.jpg");  // sequence text trimmed too
}

// What the sample table does not reach; the rename checks hold the rest.
TEST(NumberValueTest, SignsAndOverflow) {
  EXPECT_EQ(numberValue("-1"), -1);
  EXPECT_EQ(numberValue(" +5 "), 5);
  EXPECT_EQ(numberValue("-"), std::nullopt);
  EXPECT_EQ(numberValue("1.5"), std::nullopt);
  EXPECT_EQ(numberValue("99999999999999999999999"), LONG_MAX);
}

}  // namespace
}  // namespace batora
