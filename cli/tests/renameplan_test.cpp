#include "renameplan.h"

#include <gtest/gtest.h>

#include <set>

#include "tempdir.h"

namespace batora::cli {
namespace {

namespace fs = std::filesystem;

// A plan over /p with one entry per old name -> new name, rows 0, 1, 2 …
std::vector<PlannedName> plan(const std::vector<std::pair<std::string, std::string>>& renames) {
  std::vector<PlannedName> files;
  for (const auto& [from, to] : renames) {
    const int row = static_cast<int>(files.size());
    files.push_back({row, row, fs::path("/p") / from, to, fs::path("/p") / to});
  }
  return files;
}

TEST(CliRenamePlan, MarksNamesTakenWhenTheirTurnComes) {
  struct Case {
    const char* name;
    std::vector<std::pair<std::string, std::string>> renames;
    std::set<std::string> onDisk;  // besides the old names
    std::vector<PlanMark> marks;
    std::vector<int> takenBy;
  } cases[] = {
      {"free names", {{"a", "x1"}, {"b", "x2"}}, {}, {PlanMark::kNone, PlanMark::kNone}, {-1, -1}},
      {"a name held by a file outside the run",
       {{"a", "x1"}, {"b", "x2"}},
       {"x2"},
       {PlanMark::kNone, PlanMark::kTargetExists},
       {-1, -1}},
      {"a later file still holds the name",
       {{"a", "x1"}, {"b", "x2"}, {"x2", "x3"}},
       {},
       {PlanMark::kNone, PlanMark::kTargetExists, PlanMark::kNone},
       {-1, -1, -1}},
      {"an earlier file has given the name up",
       {{"x2", "x1"}, {"b", "x2"}},
       {},
       {PlanMark::kNone, PlanMark::kNone},
       {-1, -1}},
      {"an earlier file of the run takes the name first",
       {{"a", "x1"}, {"b", "x1"}},
       {},
       {PlanMark::kNone, PlanMark::kTakenInRun},
       {-1, 0}},
      {"a skipped file keeps its old name taken",
       {{"a", "x"}, {"b", "c"}, {"c", "a"}},
       {"x"},
       {PlanMark::kTargetExists, PlanMark::kTargetExists, PlanMark::kTargetExists},
       {-1, -1, -1}},
      {"a file that has its name already",
       {{"x1", "x1"}, {"b", "x1"}},
       {},
       {PlanMark::kNone, PlanMark::kTargetExists},
       {-1, -1}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::set<fs::path> disk;
    for (const auto& [from, to] : c.renames) disk.insert(fs::path("/p") / from);
    for (const std::string& name : c.onDisk) disk.insert(fs::path("/p") / name);
    const std::vector<PlanMarking> marked = markCollisions(
        plan(c.renames),
        [&](const fs::path& target, const fs::path&) { return disk.contains(target); });
    ASSERT_EQ(marked.size(), c.marks.size());
    for (size_t i = 0; i < marked.size(); ++i) {
      EXPECT_EQ(marked[i].mark, c.marks[i]) << "row " << i;
      EXPECT_EQ(marked[i].takenByRow, c.takenBy[i]) << "row " << i;
    }
  }
}

// The run's own decision (nameFault, tested with the run): an unusable name is never tried, so
// it is reported as such even where the disk holds a file of that name, and the file keeps its
// old name for the files after it.
TEST(CliRenamePlan, UnusableNamesAreMarkedAsTheRunFailsThem) {
  const std::vector<PlanMarking> marked = markCollisions(
      plan({{"a", "x1.a/b"}, {"b", "a"}}),
      [](const fs::path& target, const fs::path&) { return target != fs::path("/p/b"); });
  ASSERT_EQ(marked.size(), 2u);
  EXPECT_EQ(marked[0], (PlanMarking{PlanMark::kUnusableName, -1, NameFault::kReservedCharacter}));
  EXPECT_EQ(marked[1].mark, PlanMark::kTargetExists);  // "a" is still there
}

TEST(CliRenamePlan, LinesShowRowsNamesMarksAndCounts) {
  std::vector<PlannedName> files = plan({{"a.jpg", "p01.jpg"}, {"b.jpg", "p02.jpg"}});
  std::vector<std::string> rowTexts{"a.jpg", "b.jpg"};
  for (int i = 0; i < 9; ++i) {
    files.push_back({2 + i, 10 + i, "/p/c.jpg", "p03.jpg", "/p/p03.jpg"});
    rowTexts.resize(static_cast<size_t>(11 + i), "c.jpg");
  }
  std::vector<PlanMarking> marks(files.size());
  marks[1].mark = PlanMark::kTargetExists;
  marks[2] = {PlanMark::kTakenInRun, 0};
  marks[3] = {PlanMark::kUnusableName, -1, NameFault::kReservedCharacter};
  const std::vector<std::string> lines = planLines(files, marks, rowTexts, "選択ファイル数 : 11");
  EXPECT_EQ(lines[0], "   1  a.jpg -> p01.jpg");
  EXPECT_EQ(lines[1], "!  2  b.jpg -> p02.jpg  (同名のファイルが既に存在します)");
  EXPECT_EQ(lines[2], "! 11  c.jpg -> p03.jpg  (1 行目のファイルが先にこの名前になります)");
  EXPECT_EQ(lines[3],
            "! 12  c.jpg -> p03.jpg  (使用できない名前です: 次の文字は使用できません \\ / : * ? \" "
            "< > |)");
  EXPECT_EQ(lines[11], "選択ファイル数 : 11");
  EXPECT_EQ(lines[12], "同名のファイルと重なる数 : 2");
  EXPECT_EQ(lines[13], "使用できない名前の数 : 1");
}

// Only the file's own entry leaves the name free; another link of the same file takes it, as
// the run finds it taken.
TEST(CliRenamePlan, OnDiskOnlyTheFilesOwnEntryLeavesTheNameFree) {
  batora::testing::TempDir dir;
  const fs::path a = dir.write("a", "a"), b = dir.write("b", "b");
  fs::create_hard_link(a, dir / "a-link");
  dir.mkdir("folder");
  EXPECT_TRUE(occupiedOnDisk(b, a));
  EXPECT_TRUE(occupiedOnDisk(dir / "folder", a));
  EXPECT_TRUE(occupiedOnDisk(dir / "a-link", a));
  EXPECT_FALSE(occupiedOnDisk(a, a));
  EXPECT_FALSE(occupiedOnDisk(dir / "missing", a));
}

}  // namespace
}  // namespace batora::cli
