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

  // "style text" per box.
  Rows boxTexts() const {
    Rows texts;
    for (const auto& b : toolkit.boxes) texts.push_back(std::to_string(b.style) + " " + b.text);
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
  const std::pair<DropData, std::string> rows[] = {
      {{true, {(dir / "top.txt").string()}}, "48 フォルダ以外は指定できません。"},
      {{true, {(dir / "sub").string(), volume}}, "48 複数のターゲットは指定できません。"},
      {{false, {}}, "48 このオブジェクトは指定できません。"},
      {{true, {}}, "16 \r\n例外エラー！！ 強制終了します。"},
  };
  for (const auto& [drop, shown] : rows) {
    SCOPED_TRACE(shown);
    toolkit.boxes.clear();
    choice.CmnOLEDragDrop(drop);
    EXPECT_EQ(boxTexts(), Rows{shown});
    const bool fatal = shown.starts_with("16");
    EXPECT_EQ(ended, fatal);
    EXPECT_EQ(std::filesystem::exists(dir / "BatoraEr.log"), fatal);
    expectFolderKept();
  }
  EXPECT_NE(testing::readBytes(dir / "BatoraEr.log").find("CmnOLEDragDrop"), std::string::npos);
}

// A pasted folder is taken without a word; anything else is refused with a box and changes
// nothing.
TEST_F(FolderChoicePathTest, PasteTakesATrimmedFolderAndRefusesEverythingElse) {
  const std::string invalid = "48 不正なパスが指定されました。\r\n----------------\r\n  パス=\"";
  const std::string noMatch = (dir / "q*").string();
  const std::pair<std::optional<std::string>, std::string> rows[] = {
      {(dir / "s*").string(), "48 ドライブの準備ができていません。"},  // no wildcard match
      {"写真" + std::string(98, 'x'), invalid + "写真" + std::string(62, 'x') + "\""},
      {noMatch, invalid + noMatch.substr(0, 64) + "\""},  // sixty-four characters shown
      {std::nullopt, "48 クリップボードの内容が文字列ではありません。"},
  };
  for (const auto& [clipboard, shown] : rows) {
    SCOPED_TRACE(shown);
    toolkit.boxes.clear();
    toolkit.clipboardHoldsText = clipboard.has_value();
    if (clipboard) toolkit.setClipboardText(*clipboard);
    choice.mnDirPaste_Click();
    EXPECT_EQ(boxTexts(), Rows{shown});
    expectFolderKept();
  }
  paste("   " + (dir / "sub").string() + "  \n");
  EXPECT_EQ(folders.current, (dir / "sub").string());
  EXPECT_EQ(searches(), 1);
  EXPECT_EQ(toolkit.boxes.size(), 1u);
}

// A drive that cannot be opened is chosen again as it was, without a second warning; one that
// can opens its root with one search.
TEST_F(FolderChoicePathTest, DriveChoiceOpensItsRootOrReturnsWithOneWarning) {
  folders.unreadable.insert(volume);
  drives.setDrive(volume);
  EXPECT_EQ(boxTexts(), Rows{"48 ドライブの準備ができていません。"});
  EXPECT_EQ(drives.changes, 2);
  expectFolderKept();
  EXPECT_FALSE(choice.gbDrvReset);
  folders.unreadable.clear();
  drives.setDrive(volume);
  EXPECT_EQ(folders.current, volume);
  EXPECT_EQ(searches(), 1);
}

TEST_F(FolderChoicePathTest, DriveThatCannotBeSetBackEndsTheProgram) {
  folders.unreadable.insert(volume);
  drives.onChange = [this] {
    drives.refuseAll = true;
    choice.DrvLstBox_Change();
  };
  drives.setDrive(volume);
  EXPECT_EQ(boxTexts(),
            (Rows{"48 ドライブの準備ができていません。", "16 ドライブエラー!! 強制終了します。"}));
  EXPECT_TRUE(ended);
  EXPECT_NE(testing::readBytes(dir / "BatoraEr.log").find("DrvLstBox_Change"), std::string::npos);
}

}  // namespace
}  // namespace batora
