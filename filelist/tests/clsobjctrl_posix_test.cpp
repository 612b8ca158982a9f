// The search on what only POSIX file systems have: names that are bytes, and one root for all.

#include <unistd.h>

#include <fstream>

#include "clsobjctrl.h"
#include "filelistfixture.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;
using PosixSearchTest = testing::FileListFixture;

// A name may hold what no row can show: bytes that are not UTF-8, or a line break that would
// put a forged row on the screen. The row shows a mark; the table keeps the name.
TEST_F(PosixSearchTest, NamesARowCannotShowAreMarkedAndKeptAsTheyAre) {
  const std::pair<std::string, std::string> cases[] = {
      {"photo\xFF.jpg", "photo\xEF\xBF\xBD.jpg"},
      {"a\n* 9  forged\x1b[2J.jpg", "a?* 9  forged?[2J.jpg"},
  };
  for (const auto& [raw, shown] : cases) {
    SCOPED_TRACE(shown);
    std::filesystem::remove_all(dir / "raw");
    dir.write(fs::path("raw") / raw, "x");
    ASSERT_FALSE(search(dir / "raw", 1));
    EXPECT_EQ(rows(), Rows{shown});
    EXPECT_EQ(ctrl.SelectionFileName(0).native(), (dir / "raw").native() + "/" + raw);
  }
}

// Only an empty subfolder part means none: a folder whose name is blank is walked like any
// other, and the searched folder's own files are listed once.
TEST_F(PosixSearchTest, SubfolderWithABlankNameIsARealSubfolder) {
  dir.write("top/a.txt", "x");
  dir.write("top/   /b.txt", "x");
  dir.write("top/ /c.txt", "x");
  ASSERT_FALSE(search(dir / "top", 2));
  EXPECT_EQ(rows(), (Rows{"a.txt", " /c.txt", "   /b.txt"}));
  expectRowsMatchTable();
  EXPECT_EQ(ctrl.SelectionFileName(2), dir / "top" / "   " / "b.txt");
}

TEST_F(PosixSearchTest, FileSystemRootRowsHaveNoLeadingSeparator) {
  const fs::path marker = "/batora-root-test-" + std::to_string(::getpid()) + ".txt";
  std::ofstream(marker) << "x";
  ctrl.SerchFileName(marker.filename().string());
  bool failed = search("/", 1);
  fs::remove(marker);
  ASSERT_FALSE(failed);
  EXPECT_EQ(rows(), Rows{marker.filename().string()});
  EXPECT_EQ(ctrl.CurrentPath(), fs::path("/"));
  EXPECT_EQ(ctrl.SelectionFileName(0), marker);
}

}  // namespace
}  // namespace batora
