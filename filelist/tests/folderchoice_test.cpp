#include "folderchoice.h"

#include "filelistfixture.h"

namespace batora {
namespace {

using Rows = std::vector<std::string>;

class FakeFolderList : public FolderList {
 public:
  std::string current;
  std::function<void()> onChange;
  std::string path() const override { return current; }
  bool setPath(const std::string& p) override {
    if (!std::filesystem::is_directory(p)) return false;
    current = p;
    if (onChange) onChange();
    return true;
  }
  std::string highlightedPath() const override { return current; }
};

class FolderChoiceTest : public testing::FileListFixture, public FolderChoiceHost {
 protected:
  FolderChoiceTest() {
    for (const char* name : {"top.txt", "x", "X.jpg", "sub/inner.txt", "sub/deeper/d.txt"})
      dir.write(name, "");
    folders.onChange = [this] { choice.DirLstBox_Change(); };
    box.onChange = [this] { choice.txtSerchFile_Change(); };
  }
  // Types like a user: a consumed key never reaches the box.
  void type(std::u32string keys) {
    for (char32_t key : keys) {
      if (choice.txtSerchFile_KeyPress(key)) continue;
      box.setText(box.text() + std::string(1, static_cast<char>(key)));
    }
  }
  int searches() const {
    return static_cast<int>(std::count(window.lockHistory.begin(), window.lockHistory.end(), true));
  }

  Window& form() override { return window; }
  StatusBar& statusBar() override { return status; }
  FolderList& folderList() override { return folders; }
  TextField& patternBox() override { return box; }
  int CmnGetFindDirOption() const override { return option; }

  FakeFolderList folders;
  testing::FakeTextField box;
  int option = -1;
  FolderChoice choice{func, ctrl, *this};
};

TEST_F(FolderChoiceTest, OneSearchPerFolderChangeAtTheSelectedDepth) {
  ASSERT_TRUE(folders.setPath(dir.path().string()));
  EXPECT_EQ(searches(), 1);
  // No option selected yet behaves as depth 2.
  EXPECT_EQ(rows(), (Rows{"top.txt", "x", "X.jpg", "sub/inner.txt"}));
  option = 3;
  choice.optSearch_Click(3);
  EXPECT_EQ(searches(), 2);
  EXPECT_EQ(rows().back(), "sub/deeper/d.txt");
  choice.optSearch_Click(1);
  EXPECT_EQ(rows(), (Rows{"top.txt", "x", "X.jpg"}));
}

TEST_F(FolderChoiceTest, TypedPatternLosesDoubleDotsAndSeparatorsEnterWritesItBack) {
  folders.current = dir.path().string();
  option = 1;
  type(U"..\\x");
  EXPECT_EQ(box.text(), "..x");  // the backslash never reached the box
  EXPECT_EQ(ctrl.SerchFileName(), "x");
  EXPECT_EQ(searches(), 0);  // typing does not search
  type(U"\r");
  EXPECT_EQ(box.text(), "x");
  EXPECT_EQ(searches(), 1);
  EXPECT_EQ(rows(), Rows{"x"});
  type(U"/");
  EXPECT_EQ(box.text(), "x");
}

TEST_F(FolderChoiceTest, EnterOnAnEmptyBoxSearchesEverything) {
  folders.current = dir.path().string();
  option = 1;
  box.setText("");
  type(U"\r");
  EXPECT_EQ(box.text(), "*.*");
  EXPECT_EQ(rows().size(), 3u);
}

TEST_F(FolderChoiceTest, CopyPutsTheFolderListPathOnTheClipboard) {
  folders.current = "/写真/2000";
  choice.mnDirCopy_Click();
  EXPECT_TRUE(toolkit.clipboardHasText());
  EXPECT_EQ(toolkit.clipboardText(), "/写真/2000");
}

}  // namespace
}  // namespace batora
