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

TEST_F(PosixSearchTest, NamesThatAreNotUtf8AreListedAndKeptAsTheyAre) {
  const std::string raw = "photo\xFF.jpg";
  dir.write(fs::path("raw") / raw, "x");
  ASSERT_FALSE(search(dir / "raw", 1));
  EXPECT_EQ(rows(), Rows{"photo\xEF\xBF\xBD.jpg"});
  EXPECT_EQ(ctrl.SelectionFileName(0).native(), (dir / "raw").native() + "/" + raw);
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
