// The platform layer on what only POSIX file systems have: names that are bytes, one root.

#include <gtest/gtest.h>

#include "clsinifile.h"
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

}  // namespace
}  // namespace batora::platform
