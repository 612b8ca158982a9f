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

// A character is written only when the code page gives it back as itself; a look-alike would
// name a file in the log that does not exist. The same bytes on every platform.
TEST(Cp932Test, OnlyExactRoundTripsNoLookAlikes) {
  struct Row {
    const char* text;
    const char* bytes;
  } rows[] = {
      {"¥", "?"},                   // not a backslash
      {"‾", "?"},                   // not "~"
      {"〜", "?"},                  // U+301C, not the code page's wave dash
      {"−", "?"},                   // U+2212, not the code page's minus
      {"～", "\x81\x60"},           // U+FF5E: the code page's own
      {"－", "\x81\x7C"},           // U+FF0D
      {"a¥b〜写", "a?b?\x8E\xCA"},  // only the look-alikes go
      {"\\~", "\\~"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.text);
    EXPECT_EQ(utf8ToCp932(row.text), row.bytes);
  }
}

// A record is written whole or not at all: a full disk leaves the file as it was, so that the
// next record starts on a line of its own.
TEST(AppendTest, FailedOrShortWriteLeavesNoHalfRecord) {
  TempDir dir;
  const auto log = dir.write("Batora.log", "first\r\n");
  EXPECT_FALSE(appendToFile(log, "second record\r\n", 6));
  EXPECT_EQ(testing::readBytes(log), "first\r\n");
  EXPECT_FALSE(appendToFile(log, "third\r\n", 0));
  EXPECT_TRUE(appendToFile(log, "fourth\r\n"));
  EXPECT_EQ(testing::readBytes(log), "first\r\nfourth\r\n");
  EXPECT_FALSE(appendToFile(dir / "missing" / "Batora.log", "x"));
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

// A folder read in batches lists what one reading lists, in the same order, whether its size is
// a multiple of the batch or not; the pauses fall between batches and once before the ordering.
TEST(FolderTest, ReadingInBatchesListsWhatOneReadingLists) {
  TempDir dir;
  for (const char* name : {"b.txt", "A.txt", "c.TXT", "e.txt", "D.txt", "f.txt"})
    dir.write(name, "x");
  for (const char* name : {"Sub", "other"}) dir.mkdir(name);
  const std::optional<FolderListing> whole = readFolder(dir.path());
  ASSERT_TRUE(whole);
  // Entries per batch, and the pauses that eight entries then take.
  for (const auto& [every, expected] : {std::pair{1u, 8}, {3u, 3}, {4u, 2}, {8u, 0}, {9u, 0}}) {
    SCOPED_TRACE(every);
    int pauses = 0;
    const auto batched = readFolder(dir.path(), ReadPauses([&] { ++pauses; }, every));
    ASSERT_TRUE(batched);
    EXPECT_EQ(batched->files, whole->files);
    EXPECT_EQ(batched->folders, whole->folders);
    EXPECT_EQ(pauses, expected);
  }
}

TEST(ProgramTest, FolderAndNameOfTheRunningExecutable) {
  EXPECT_TRUE(std::filesystem::is_directory(programFolder()));
  EXPECT_EQ(programName(), "common_tests");
}

}  // namespace
}  // namespace batora::platform
