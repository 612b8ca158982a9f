// A file's identity and a path's exact bytes, on the system's real files.

#include "fileidentity.h"

#include <gtest/gtest.h>

#include "appendfile.h"
#include "platform.h"
#include "tempdir.h"

namespace batora::platform {
namespace {

namespace fs = std::filesystem;
using batora::testing::TempDir;

TEST(FileIdentityTest, ARenameKeepsItAWriteOrAReplacementChangesIt) {
  TempDir dir;
  const fs::path a = dir.write("a", "one");
  const auto before = fileIdentity(a);
  ASSERT_TRUE(before);
  ASSERT_TRUE(renameNoReplace(a, dir / "b").result == RenameResult::kDone);
  EXPECT_EQ(fileIdentity(dir / "b"), before);
  EXPECT_EQ(fileIdentity(a), std::nullopt);

  dir.write("b", "one, and more");
  EXPECT_NE(fileIdentity(dir / "b"), before);
  fs::rename(dir.write("c", "one"), dir / "d");
  EXPECT_NE(fileIdentity(dir / "d")->file, fileIdentity(dir / "b")->file);
}

TEST(PathBytesTest, EveryNameComesBackUnitForUnit) {
  std::vector<fs::path> names = {pathFromUtf8("plain.jpg"), pathFromUtf8("写真 ü ẞ 𐐨.jpg")};
#ifdef _WIN32
  names.push_back(fs::path(std::wstring{L'a', static_cast<wchar_t>(0xD800), L'b'}));
  names.push_back(fs::path(std::wstring{static_cast<wchar_t>(0xDC00)}));
#else
  names.push_back(fs::path(std::string("\xff\xfe\x80.jpg")));
  names.push_back(fs::path(std::string("\xed\xa0\x80")));
#endif
  for (const fs::path& name : names) {
    SCOPED_TRACE(pathToUtf8(name));
    EXPECT_EQ(pathFromBytes(pathBytes(name)).native(), name.native());
  }
}

TEST(AppendFileTest, CreatesOnlyANewFileAndAppendsEachPieceAtOnce) {
  TempDir dir;
  std::optional<AppendFile> file = AppendFile::createNew(dir / "j");
  ASSERT_TRUE(file);
  EXPECT_FALSE(AppendFile::createNew(dir / "j"));
  EXPECT_FALSE(AppendFile::createNew(dir / "missing" / "j"));
  ASSERT_TRUE(file->append("one\n"));
  // Readable while it stays open: what a killed program leaves.
  EXPECT_EQ(readFile(dir / "j"), "one\n");
  ASSERT_TRUE(file->append("two\n"));
  EXPECT_EQ(readFile(dir / "j"), "one\ntwo\n");
}

}  // namespace
}  // namespace batora::platform
