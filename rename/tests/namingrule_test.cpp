#include "namingrule.h"

#include <gtest/gtest.h>

#include "fakeclock.h"
#include "faketoolkit.h"

namespace batora {
namespace {

using testing::FakeCheckField;
using testing::FakeClock;
using testing::FakeTextField;

class SampleTest : public ::testing::Test {
 protected:
  void set(std::string name, std::string ext, std::string digits, int back) {
    txtName.value = std::move(name);
    txtExp.value = std::move(ext);
    txtSeq.value = std::move(digits);
    chbBackSeq.state = back;
    rule.CmnShowSample();
  }

  FakeTextField txtName, txtExp, txtSeq, txtSample;
  FakeCheckField chbBackSeq;
  FakeClock clock;  // 2000-12-31
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
      {"photo", "jpg", "", 1, "photo.jpg"},
      {"photo", "jpg", "9", 1, "photo00000001.jpg"},
      {"photo", "jpg", "8", 1, "photo00000001.jpg"},
      {"photo", "jpg", "5", 1, "photo00001.jpg"},
      {"  photo  ", "jpg", "2", 1, "photo01.jpg"},
      {"\xE3\x80\x80photo\xE3\x80\x80", "jpg", "2", 1, "photo01.jpg"},  // ideographic spaces
      {"photo", ".txt", "2", 1, "photo01..txt"},
      {"photo", "jpg", "2", 0, "01photo.jpg"},
      {"photo", "jpg", "2", 2, "01photo.jpg"},    // only the value 1 counts as ticked
      {"photo", "jpg", "３", 1, "photo001.jpg"},  // a full-width digit is a number
      {"写真　夏", "ｊｐｇ", "2", 1, "写真　夏01.ｊｐｇ"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(std::string(row.name) + "|" + row.ext + "|" + row.digits);
    set(row.name, row.ext, row.digits, row.back);
    EXPECT_EQ(txtSample.value, row.sample);
  }
}

TEST_F(SampleTest, DefaultedDateIsTakenAtEachComposition) {
  txtExp.value = "jpg";
  chbBackSeq.state = 1;
  EXPECT_EQ(rule.CmnMakeFileName("01"), "20001231_01.jpg");
  clock.time = {2001, 1, 1, 0, 0, 1};
  EXPECT_EQ(rule.CmnMakeFileName("02"), "20010101_02.jpg");
  EXPECT_EQ(rule.CmnMakeFileName("  03 "), "20010101_03.jpg");  // sequence text trimmed too
}

TEST(NumberValueTest, HalfAndFullWidthDigits) {
  struct Row {
    const char* text;
    std::optional<long> value;
  } rows[] = {{"2", 2},
              {"０", 0},
              {"４", 4},
              {" 3 ", 3},
              {"12", 12},
              {"-1", -1},
              {"+5", 5},
              {"", std::nullopt},
              {"a", std::nullopt},
              {"-", std::nullopt},
              {"1.5", std::nullopt},
              {"1a", std::nullopt},
              {"99999999999999999999999", LONG_MAX}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(numberValue(row.text), row.value);
  }
}

}  // namespace
}  // namespace batora
