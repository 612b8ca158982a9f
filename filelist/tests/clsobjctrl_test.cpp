#include "clsobjctrl.h"

#include "filelistfixture.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

class SearchTest : public testing::FileListFixture {
 protected:
  void SetUp() override {
    for (const char* name :
         {"root/B.txt", "root/a.jpg", "root/.hidden.jpg", "root/sub1/c.JPG", "root/sub1/deep/d.jpg",
          "root/sub1/deep/deeper/f.jpg", "root/Sub2/e.txt", "root/sub1/deep/.cache/g.jpg"})
      dir.write(name, "x");
    dir.mkdir("root/empty");
    root = dir / "root";
  }
  fs::path root;
};

TEST_F(SearchTest, DepthDecidesWhichFoldersAreWalkedInPreOrder) {
  const Rows depth1{".hidden.jpg", "a.jpg", "B.txt"};
  const Rows depth2{".hidden.jpg", "a.jpg", "B.txt", "sub1/c.JPG", "Sub2/e.txt"};
  const Rows depth3{".hidden.jpg",
                    "a.jpg",
                    "B.txt",
                    "sub1/c.JPG",
                    "sub1/deep/d.jpg",
                    "sub1/deep/.cache/g.jpg",
                    "sub1/deep/deeper/f.jpg",
                    "Sub2/e.txt"};
  struct Row {
    int depth;
    const Rows& rows;
  } cases[] = {{1, depth1}, {2, depth2}, {3, depth3}, {-1, depth2}, {0, depth2}, {7, depth2}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.depth);
    ASSERT_FALSE(search(root, c.depth));
    EXPECT_EQ(rows(), c.rows);
    expectRowsMatchTable();
    EXPECT_EQ(label.text, "選択ファイル数 : 0");
    EXPECT_EQ(status.panelText("stbpText"), root.string());
    EXPECT_FALSE(window.locked);
  }
}

TEST_F(SearchTest, PatternIsCaseInsensitiveAndAppliesInEveryFolder) {
  ctrl.SerchFileName("  *.JPG ");
  EXPECT_EQ(ctrl.SerchFileName(), "*.JPG");
  ASSERT_FALSE(search(root, 2));
  EXPECT_EQ(rows(), (Rows{".hidden.jpg", "a.jpg", "sub1/c.JPG"}));
  ctrl.SerchFileName("?.txt");
  ASSERT_FALSE(search(root, 3));
  EXPECT_EQ(rows(), (Rows{"B.txt", "Sub2/e.txt"}));
  ctrl.SerchFileName("   ");
  EXPECT_EQ(ctrl.SerchFileName(), "*.*");
}

TEST_F(SearchTest, FailureAnywhereEmptiesTheWholeList) {
  ASSERT_FALSE(search(root, 3));
  // Sub2 disappears while the walk yields after sub1: the search fails as a whole.
  toolkit.onYield = [&] { fs::remove_all(root / "Sub2"); };
  EXPECT_TRUE(search(root, 3));
  EXPECT_TRUE(rows().empty());
  EXPECT_EQ(ctrl.SelectionFiles_FinalIndex(), -1);
  EXPECT_EQ(ctrl.CurrentPath(), fs::path());
  EXPECT_EQ(status.panelText("stbpText"), "検索中に例外エラーが発生しました");
  EXPECT_FALSE(window.locked);
  toolkit.onYield = nullptr;
  status.texts.clear();
  EXPECT_TRUE(search(dir / "missing", 1));
  EXPECT_EQ(status.panelText("stbpText"), "検索中に例外エラーが発生しました");
}

TEST_F(SearchTest, WalkLocksTheWindowYieldsAfterEachSubfolderAndThrottlesProgress) {
  int lockedYields = 0;
  toolkit.onYield = [&] { lockedYields += window.locked ? 1 : 0; };
  clock.tick = 1000;  // time stands still: only the first progress text may show
  ASSERT_FALSE(search(root, 3));
  EXPECT_EQ(toolkit.yields, 6);  // sub1, deep, .cache, deeper, Sub2, empty
  EXPECT_EQ(lockedYields, 6);
  EXPECT_EQ(window.lockHistory, (std::vector<bool>{true, false}));
  const std::string sep(1, platform::kSeparator);
  EXPECT_EQ(status.history, (Rows{root.string() + sep + "の検索中...", root.string()}));
  clock.tick = 1201;
  toolkit.onYield = [&] { clock.tick += 201; };
  ASSERT_FALSE(search(root, 2));
  EXPECT_EQ(status.history[3], root.string() + sep + "sub1" + sep + "の検索中...");
  // One folder too big for one batch is read with a turn between the batches and one before
  // its names are ordered (in each of the home platform's two readings), locked like the rest
  // of the walk.
  for (size_t i = 0; i <= platform::kEntriesBetweenPauses; ++i)
    dir.write("many/" + std::to_string(i), "");
  toolkit.yields = lockedYields = 0;
  toolkit.onYield = [&] { lockedYields += window.locked ? 1 : 0; };
  ASSERT_FALSE(search(dir / "many", 1));
  EXPECT_GE(toolkit.yields, 2);
  EXPECT_EQ(lockedYields, toolkit.yields);
  EXPECT_EQ(ctrl.SelectionFiles_FinalIndex(), static_cast<long>(platform::kEntriesBetweenPauses));
}

TEST_F(SearchTest, LinksToFilesAreListedLinksToFoldersNeverWalked) {
  fs::create_symlink(root / "a.jpg", root / "link.jpg");
  fs::create_directory_symlink(root, root / "sub1" / "up");  // would loop forever
  fs::create_symlink(root / "gone", root / "dangling.jpg");
  ASSERT_FALSE(search(root, 3));
  const Rows listed = rows();
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "link.jpg"), 1);
  EXPECT_EQ(std::count(listed.begin(), listed.end(), "dangling.jpg"), 0);
  EXPECT_EQ(listed.size(), 9u);
}

}  // namespace
}  // namespace batora
