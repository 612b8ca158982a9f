#include "platform.h"

#include <gtest/gtest.h>

#include "tempdir.h"

namespace batora::platform {
namespace {

using testing::TempDir;

TEST(Cp932Test, JapaneseTextRoundTripsAndWhatCannotBeHeldBecomesAMarkNotALostLine) {
  // 日本 is 93 FA 96 7B; half-width katakana ﾘﾈｰﾑ are single bytes.
  EXPECT_EQ(utf8ToCp932("日本"), "\x93\xFA\x96\x7B");
  EXPECT_EQ(utf8ToCp932("ﾘﾈｰﾑ\r\n"), "\xD8\xC8\xB0\xD1\r\n");
  const std::string text = "リネーム正常終了①～￢　(処理件数:５件中 エラー０件)";
  EXPECT_EQ(cp932ToUtf8(utf8ToCp932(text)), text);
  EXPECT_EQ(utf8ToCp932("a\xF0\x9F\x98\x80"
                        "b€c"),
            "a?b?c");
  EXPECT_EQ(utf8ToCp932("x\xFFy"), "x?y");  // a broken file name in a log line
  EXPECT_EQ(cp932ToUtf8("a\x81"), "a\xEF\xBF\xBD");
}

TEST(LookUpTest, FilesFoldersAndFailures) {
  TempDir dir;
  auto file = dir.write(".hidden", "x");
  EXPECT_EQ(lookUp(file, false), LookUp::kFound);
  EXPECT_EQ(lookUp(dir.path(), true), LookUp::kFound);
  EXPECT_EQ(lookUp(dir.path(), false), LookUp::kMissing);
  EXPECT_EQ(lookUp(dir / "missing", true), LookUp::kMissing);
  EXPECT_EQ(lookUp(file / "below", true), LookUp::kMissing);
  std::filesystem::create_symlink("loop", dir / "loop");
  EXPECT_EQ(lookUp(dir / "loop", true), LookUp::kFailed);
}

TEST(ProgramTest, FolderAndNameOfTheRunningExecutable) {
  EXPECT_TRUE(std::filesystem::is_directory(programFolder()));
  EXPECT_EQ(programName(), "common_tests");
}

}  // namespace
}  // namespace batora::platform
