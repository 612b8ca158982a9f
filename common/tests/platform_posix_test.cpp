// The platform layer on what only POSIX file systems have: names that are bytes, one root.

#include <gtest/gtest.h>

#include "clsinifile.h"
#include "fileidentity.h"
#include "folderhandles.h"
#include "platform.h"
#include "registry.h"
#include "tempdir.h"

namespace batora::platform {
namespace {

TEST(PathTest, NamesThatAreNotUtf8SurviveAndShowAReplacement) {
  EXPECT_EQ(pathToUtf8(std::filesystem::path(std::string("photo\xFF.jpg"))),
            "photo\xEF\xBF\xBD.jpg");
  EXPECT_EQ(pathFromUtf8("写真.jpg").native(), "写真.jpg");
}

// The short or failed write of a really full device, besides the capped write of AppendTest.
TEST(AppendTest, FullDeviceFails) {
  EXPECT_FALSE(appendToFile("/dev/full", "*** record ***\r\n"));
}

TEST(IniFileRootTest, ProgramFolderAtTheRootGivesNoDoubledSeparator) {
  clsIniFile ini{"/"};
  EXPECT_EQ(ini.LogErr_FName().native(), "/BatoraEr.log");
  EXPECT_EQ(ini.LogRename_FName().native(), "/Batora.log");
}

// The Windows side counts the hidden and system attributes instead.
TEST(VisibleFileTest, PlainFilesAndTheirLinksCountDotFilesAndFoldersDoNot) {
  testing::TempDir dir;
  dir.write("tool", "");
  dir.write(".tool", "");
  dir.mkdir("folder");
  std::filesystem::create_symlink(dir / "tool", dir / "link");
  for (const char* name : {"tool", "link", ".tool", "folder", "missing"})
    EXPECT_EQ(isVisibleFile((dir / name).string()), name[0] == 't' || name[0] == 'l') << name;
}

// A run's renames through its open folders: more folders than are kept open at once, each
// visited twice so that evicted ones are opened again, and the same answers as by path.
TEST(FolderHandlesTest, RenamesAcrossManyFoldersAsByPath) {
  testing::TempDir dir;
  FolderHandles folders;
  for (int round = 0; round < 2; ++round) {
    for (int k = 0; k < 6; ++k) {
      const std::string sub = "d" + std::to_string(k);
      dir.mkdir(sub);
      const auto from = dir.write(sub + "/a" + std::to_string(round), "x");
      // Files move up into the listed folder, as a deeper search has them.
      const auto to = dir / ("n" + std::to_string(round) + std::to_string(k));
      ASSERT_EQ(folders.renameNoReplace(from, to).result, RenameResult::kDone);
      EXPECT_EQ(folders.identity(to), fileIdentity(to));
      EXPECT_TRUE(folders.identity(to).has_value());
      EXPECT_FALSE(std::filesystem::exists(from));
    }
  }
  const auto taken = dir.write("taken", "old");
  EXPECT_EQ(folders.renameNoReplace(dir / "n00", taken).result, RenameResult::kTargetExists);
  EXPECT_EQ(testing::readBytes(taken), "old");
  EXPECT_EQ(folders.renameNoReplace(dir / "n01", dir / "missing" / "x").result,
            RenameResult::kFailed);
  EXPECT_FALSE(folders.identity(dir / "missing" / "x").has_value());
}

}  // namespace
}  // namespace batora::platform
