// The search at a drive root, where the folder already ends with the separator.

#include <windows.h>

#include <fstream>

#include "clsobjctrl.h"
#include "filelistfixture.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;
using WindowsSearchTest = testing::FileListFixture;

TEST_F(WindowsSearchTest, DriveRootRowsHaveNoLeadingSeparator) {
  const fs::path root = dir.path().root_path();
  const std::string name = "batora-root-test-" + std::to_string(::GetCurrentProcessId()) + ".txt";
  const fs::path marker = root / name;
  std::ofstream(marker) << "x";
  ctrl.SerchFileName(name);
  const bool failed = search(root, 1);
  fs::remove(marker);
  ASSERT_FALSE(failed);
  EXPECT_EQ(rows(), Rows{name});
  EXPECT_EQ(ctrl.CurrentPath().native(), root.native());
  EXPECT_EQ(ctrl.SelectionFileName(0).native(), marker.native());
}

TEST_F(WindowsSearchTest, RowsOfSubfoldersCarryBackslashes) {
  dir.write(fs::path(L"root") / L"sub" / L"\u5199\u771f.jpg", "x");
  ASSERT_FALSE(search(dir / L"root", 2));
  EXPECT_EQ(list.texts(), Rows{"sub\\写真.jpg"});
}

// A link to a folder, or a junction, is a reparse point: walking into one could loop forever.
TEST_F(WindowsSearchTest, FolderLinksAreNeverWalked) {
  dir.write(fs::path(L"root") / L"sub" / L"a.jpg", "x");
  const fs::path link = dir / L"root" / L"sub" / L"up";
  if (!::CreateSymbolicLinkW(
          link.c_str(), (dir / L"root").c_str(),
          SYMBOLIC_LINK_FLAG_DIRECTORY | SYMBOLIC_LINK_FLAG_ALLOW_UNPRIVILEGED_CREATE))
    GTEST_SKIP() << "this system makes no folder links here (error " << ::GetLastError() << ")";
  ASSERT_FALSE(search(dir / L"root", 3));
  EXPECT_EQ(rows(), Rows{"sub/a.jpg"});
  ::RemoveDirectoryW(link.c_str());
}

}  // namespace
}  // namespace batora
