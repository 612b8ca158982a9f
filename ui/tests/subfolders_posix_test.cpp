#include "subfolders.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "qstringutf8.h"
#include "tempdir.h"

namespace batora {
namespace {

namespace fs = std::filesystem;

// Files, hidden folders and links that lead nowhere or to a file stay out; a link to a folder
// is shown as a folder; the order ignores case.
TEST(VisibleSubfoldersTest, FoldersAndLinksToFoldersInHomeOrder) {
  const testing::TempDir dir;
  for (const char* folder : {"b", "A", "c", ".hidden", "Ünter"}) fs::create_directory(dir / folder);
  dir.write("file.txt", "x");
  fs::create_directory_symlink(dir / "A", dir / "toA");
  fs::create_symlink(dir / "file.txt", dir / "toFile");
  fs::create_symlink(dir / "missing", dir / "broken");
  const QStringList expected = {"A", "b", "c", "toA", toQString("Ünter")};
  EXPECT_EQ(visibleSubfolders(toQString(dir.path().string())), expected);
  EXPECT_TRUE(visibleSubfolders(toQString((dir / "missing").string())).isEmpty());
}

}  // namespace
}  // namespace batora
