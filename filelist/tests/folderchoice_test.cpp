#include "folderchoice.h"

#include <set>

#include "filelistfixture.h"

namespace batora {
namespace {

using Rows = std::vector<std::string>;

class FakeFolderList : public FolderList {
 public:
  std::string current;
  std::function<void()> onChange;
  // Folders that exist but cannot be opened (a volume without its medium).
  std::set<std::string> unreadable;
  std::string path() const override { return current; }
  bool setPath(const std::string& p) override {
    if (!std::filesystem::is_directory(p) || unreadable.count(p)) return false;
    if (p == current) return true;
    current = p;
    if (onChange) onChange();
    return true;
  }
  std::string highlightedPath() const override { return current; }
};

// Two volumes: the root, and a folder mounted as a volume of its own.
class FakeDriveList : public DriveList {
 public:
  std::set<std::string> drives{"/"};
  std::string current = "/";
  std::function<void()> onChange;
  int changes = 0;
  bool refuseAll = false;
  std::string drive() const override { return current; }
  bool setDrive(const std::string& d) override {
    if (refuseAll || !drives.count(d)) return false;
    if (d == current) return true;
    current = d;
    ++changes;
    if (onChange) onChange();
    return true;
  }
};

class FolderChoiceTest : public testing::FileListFixture, public FolderChoiceHost {
 protected:
  FolderChoiceTest() {
    for (const char* name : {"top.txt", "x", "X.jpg", "sub/inner.txt", "sub/deeper/d.txt"})
      dir.write(name, "");
    folders.onChange = [this] { choice.DirLstBox_Change(); };
    drives.onChange = [this] { choice.DrvLstBox_Change(); };
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
  DriveList& driveList() override { return drives; }
  std::string driveOf(const std::string& path) const override {
    return path.starts_with(volume) ? volume : "/";
  }
  void endAtOnce() override { ended = true; }

  Rows boxTexts() const {
    Rows texts;
    for (const auto& b : toolkit.boxes) texts.push_back(b.text);
    return texts;
  }

  std::string volume = "/no volume";
  bool ended = false;
  FakeDriveList drives;
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
  box.setText("");
  type(U"\r");  // Enter on an empty box searches everything
  EXPECT_EQ(box.text(), "*.*");
  EXPECT_EQ(rows().size(), 3u);
}

// A paste, a drop or a program puts text into the box without a key press: the separators go
// all the same, and the stored pattern never names a subfolder.
TEST_F(FolderChoiceTest, PatternTextThatArrivesWithoutTypingLosesItsSeparators) {
  folders.current = dir.path().string();
  option = 1;
  const std::tuple<const char*, const char*, const char*> cases[] = {
      {"sub\\*.txt", "sub*.txt", "sub*.txt"},
      {"sub/inner.txt", "subinner.txt", "subinner.txt"},
      {"..\\..\\/x", "....x", "x"},
      {"\\", "", "*.*"},
  };
  for (const auto& [pasted, shown, stored] : cases) {
    SCOPED_TRACE(pasted);
    box.setText(pasted);
    EXPECT_EQ(box.text(), shown);
    EXPECT_EQ(ctrl.SerchFileName(), stored);
  }
  box.setText("sub\\inner.txt");
  type(U"\r");
  EXPECT_EQ(rows(), Rows{});  // never sub's file as one of the folder's own
}

class FolderChoicePathTest : public FolderChoiceTest {
 protected:
  void SetUp() override {
    volume = dir.mkdir("volume").string();
    drives.drives.insert(volume);
    dir.write("volume/photos/p.jpg", "");
    option = 1;
    ASSERT_TRUE(folders.setPath(dir.path().string()));
    window.lockHistory.clear();
  }
  void paste(const std::string& text) {
    toolkit.setClipboardText(text);
    choice.mnDirPaste_Click();
  }
  void expectFolderKept() {
    EXPECT_EQ(folders.current, dir.path().string());
    EXPECT_EQ(drives.current, "/");
    EXPECT_EQ(searches(), 0);
  }
};

// The drive list's own change handler stays silent while the path is applied.
TEST_F(FolderChoicePathTest, FolderOnAnotherVolumeMovesBothListsAndSearchesOnce) {
  const std::string photos = volume + "/photos";
  choice.CmnOLEDragDrop({true, {photos}});
  EXPECT_EQ(drives.current, volume);
  EXPECT_EQ(folders.current, photos);
  EXPECT_EQ(searches(), 1);
  EXPECT_EQ(rows(), Rows{"p.jpg"});
  EXPECT_TRUE(toolkit.boxes.empty());
  EXPECT_FALSE(choice.gbSetFilePath);
}

TEST_F(FolderChoicePathTest, DropsThatAreNotOneFolderAreRefusedAnEmptyFileListIsFatal) {
  struct Row {
    DropData drop;
    std::string message;
    int style;
  } rows[] = {
      {{true, {(dir / "top.txt").string()}}, "フォルダ以外は指定できません。", 48},
      {{true, {(dir / "sub").string(), volume}}, "複数のターゲットは指定できません。", 48},
      {{false, {}}, "このオブジェクトは指定できません。", 48},
      {{true, {}}, "\r\n例外エラー！！ 強制終了します。", 16},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.message);
    toolkit.boxes.clear();
    choice.CmnOLEDragDrop(row.drop);
    ASSERT_EQ(boxTexts(), Rows{row.message});
    EXPECT_EQ(toolkit.boxes[0].style, row.style);
    EXPECT_EQ(ended, row.style == 16);
    EXPECT_EQ(std::filesystem::exists(dir / "BatoraEr.log"), row.style == 16);
    expectFolderKept();
  }
  EXPECT_NE(testing::readBytes(dir / "BatoraEr.log").find("CmnOLEDragDrop"), std::string::npos);
}

TEST_F(FolderChoicePathTest, PasteTakesATrimmedFolderButNoWildcardMatch) {
  paste((dir / "s*").string());
  EXPECT_EQ(boxTexts(), Rows{"ドライブの準備ができていません。"});
  expectFolderKept();
  paste("   " + (dir / "sub").string() + "  \n");
  EXPECT_EQ(folders.current, (dir / "sub").string());
  EXPECT_EQ(searches(), 1);
  EXPECT_EQ(toolkit.boxes.size(), 1u);  // the folder is taken without a word
}

TEST_F(FolderChoicePathTest, PasteOfSomethingThatNamesNothingShowsSixtyFourCharacters) {
  paste("写真" + std::string(98, 'x'));
  EXPECT_EQ(boxTexts(), Rows{"不正なパスが指定されました。\r\n----------------\r\n  パス=\"写真" +
                             std::string(62, 'x') + "\""});
  EXPECT_EQ(toolkit.boxes[0].style, 48);
  paste((dir / "q*").string());  // a wildcard that matches nothing
  EXPECT_EQ(toolkit.boxes[1].text.substr(0, 42), "不正なパスが指定されました。");
  toolkit.boxes.clear();
  toolkit.clipboardHoldsText = false;
  choice.mnDirPaste_Click();
  EXPECT_EQ(boxTexts(), Rows{"クリップボードの内容が文字列ではありません。"});
  expectFolderKept();
}

TEST_F(FolderChoicePathTest, DriveChoiceOpensItsRootWithOneSearch) {
  drives.setDrive(volume);
  EXPECT_EQ(folders.current, volume);
  EXPECT_EQ(searches(), 1);
}

TEST_F(FolderChoicePathTest, DriveThatCannotBeOpenedReturnsWithoutASecondWarning) {
  folders.unreadable.insert(volume);
  drives.setDrive(volume);
  EXPECT_EQ(boxTexts(), Rows{"ドライブの準備ができていません。"});
  EXPECT_EQ(drives.changes, 2);
  expectFolderKept();
  EXPECT_FALSE(choice.gbDrvReset);
}

TEST_F(FolderChoicePathTest, DriveThatCannotBeSetBackEndsTheProgram) {
  folders.unreadable.insert(volume);
  drives.onChange = [this] {
    drives.refuseAll = true;
    choice.DrvLstBox_Change();
  };
  drives.setDrive(volume);
  EXPECT_EQ(boxTexts(),
            (Rows{"ドライブの準備ができていません。", "ドライブエラー!! 強制終了します。"}));
  EXPECT_TRUE(ended);
  EXPECT_NE(testing::readBytes(dir / "BatoraEr.log").find("DrvLstBox_Change"), std::string::npos);
}

}  // namespace
}  // namespace batora
