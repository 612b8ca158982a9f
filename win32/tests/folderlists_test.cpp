// The drive list and the folder list over the real file system.

#include <gtest/gtest.h>

#include <algorithm>

#include "platform.h"
#include "tempdir.h"
#include "windrivelist.h"
#include "winfixture.h"
#include "winfolderlist.h"

namespace batora {
namespace {

class FolderListTest : public testing::WinFixture {
 protected:
  FolderListTest() {
    for (const char* name : {"b", "A", "写真", "c"}) temp.mkdir(platform::pathFromUtf8(name));
    ::SetFileAttributesW((temp / "c").c_str(), FILE_ATTRIBUTE_HIDDEN);
    temp.write("file.txt", "x");
    list.onChange = [this] { changes.push_back(list.path()); };
  }
  std::string at(const std::string& name) {
    return platform::pathToUtf8(temp / platform::pathFromUtf8(name));
  }
  int rowOf(const std::wstring& text) {
    for (size_t i = 0; i < list.rows().size(); ++i)
      if (list.rows()[i].text == text) return static_cast<int>(i);
    return -1;
  }

  testing::TempDir temp;
  const std::string root = platform::pathToUtf8(temp.path());
  WinFolderList list{place("DirLstBox", {10, 10, 300, 300})};
  std::vector<std::string> changes;
};

TEST_F(FolderListTest, OpenFoldersDownToTheCurrentOneThenItsSubfolders) {
  ASSERT_TRUE(list.setPath(root));
  EXPECT_EQ(list.path(), root);
  EXPECT_EQ(changes, (std::vector<std::string>{root}));
  const auto& rows = list.rows();
  // The root and each folder below it: one row per separator, and the current folder.
  const auto chain = static_cast<size_t>(std::count(root.begin(), root.end(), '\\')) + 1;
  ASSERT_EQ(rows.size(), chain + 3) << "the hidden folder and the file are left out";
  for (size_t i = 0; i < rows.size(); ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(rows[i].level, static_cast<int>(std::min(i, chain)));
    EXPECT_EQ(rows[i].open, i < chain);
  }
  EXPECT_EQ(rows[0].text[1], L':');
  EXPECT_TRUE(::iswlower(rows[0].text[0])) << "the root reads as the classic list writes it";
  EXPECT_EQ(win::narrow(rows[chain - 1].path), root);
  EXPECT_EQ(rows[chain].text, L"A");
  EXPECT_EQ(rows[chain + 1].text, L"b");
  EXPECT_EQ(rows[chain + 2].text, L"写真");
  EXPECT_EQ(list.highlightedPath(), root) << "the current folder is highlighted";
  EXPECT_NE(list.picture(true), nullptr);
  EXPECT_NE(list.picture(false), nullptr);
  EXPECT_NE(list.picture(true), list.picture(false));
}

TEST_F(FolderListTest, PathsThatCannotBeOpenedKeepTheOldPath) {
  ASSERT_TRUE(list.setPath(root));
  struct Case {
    const char* name;
    std::string path;
    bool taken;
  } cases[] = {
      {"missing", at("missing"), false},
      {"a file", at("file.txt"), false},
      {"the same folder", root, true},
      {"the same folder with a separator", root + "\\", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(list.setPath(c.path), c.taken);
    EXPECT_EQ(list.path(), root);
  }
  EXPECT_EQ(changes.size(), 1u) << "no change event without a change";
  // A drive alone means its current folder.
  ASSERT_TRUE(::SetCurrentDirectoryW(temp.path().c_str()));
  EXPECT_TRUE(list.setPath(WinDriveList::driveOf(root)));
  EXPECT_EQ(list.path(), root);
  ::SetCurrentDirectoryW(temp.path().root_path().c_str());
}

TEST_F(FolderListTest, EnterAndDoubleClickOpenTheHighlightedFolder) {
  ASSERT_TRUE(list.setPath(root));
  list.setHighlightedRow(rowOf(L"写真"));
  EXPECT_EQ(list.highlightedPath(), at("写真"));
  EXPECT_EQ(list.path(), root) << "highlighting opens nothing";
  ::SendMessageW(list.hwnd(), WM_KEYDOWN, VK_RETURN, 1);
  EXPECT_EQ(list.path(), at("写真"));

  list.setHighlightedRow(rowOf(temp.path().filename().native()));
  notifyParent(list, LBN_DBLCLK);
  EXPECT_EQ(list.path(), root);
  EXPECT_EQ(changes, (std::vector<std::string>{root, at("写真"), root}));
}

std::string driveText(char letter) {
  return std::string(1, letter) + ":";
}

class DriveListTest : public testing::WinFixture {
 protected:
  WinDriveList drives{place("DrvLstBox", {10, 10, 200, 200})};
};

TEST_F(DriveListTest, EntriesAsTheClassicDriveListShowsThem) {
  struct Case {
    char letter;
    const char* label;
    const char* text;
  } cases[] = {{'c', "SYSTEM", "c: [SYSTEM]"}, {'D', "", "d:"}, {'z', "データ", "z: [データ]"}};
  for (const Case& c : cases) EXPECT_EQ(WinDriveList::entryText(c.letter, c.label), c.text);

  const DWORD present = ::GetLogicalDrives();
  int expected = 0;
  for (int i = 0; i < 26; ++i) expected += (present >> i) & 1;
  ASSERT_EQ(drives.entryCount(), expected);
  for (int i = 0; i < drives.entryCount(); ++i) {
    SCOPED_TRACE(drives.entry(i));
    EXPECT_TRUE(drives.entry(i)[0] >= 'a' && drives.entry(i)[0] <= 'z');
    EXPECT_EQ(drives.entry(i)[1], ':');
  }
}

TEST_F(DriveListTest, SettingADriveRaisesTheChangeOnlyWhenItMoves) {
  wchar_t current[MAX_PATH] = {};
  ::GetCurrentDirectoryW(MAX_PATH, current);
  const char here = static_cast<char>(::towlower(current[0]));
  EXPECT_EQ(drives.drive(), driveText(here)) << "starts on the current folder's drive";

  int changes = 0;
  drives.onChange = [&] { ++changes; };
  EXPECT_TRUE(drives.setDrive(driveText(static_cast<char>(::towupper(current[0])))));
  EXPECT_EQ(changes, 0);

  const DWORD present = ::GetLogicalDrives();
  char other = 0, absent = 0;
  for (int i = 25; i >= 0; --i) {
    const char letter = static_cast<char>('a' + i);
    if ((present >> i) & 1) {
      if (letter != here && other == 0) other = letter;
    } else if (absent == 0) {
      absent = letter;
    }
  }
  ASSERT_NE(other, 0) << "the test needs a second drive (Wine has c: and z:)";
  EXPECT_TRUE(drives.setDrive(driveText(other)));
  EXPECT_EQ(drives.drive(), driveText(other));
  EXPECT_EQ(changes, 1);
  EXPECT_FALSE(drives.setDrive(driveText(absent)));
  EXPECT_EQ(drives.drive(), driveText(other));
  EXPECT_EQ(changes, 1);
}

}  // namespace
}  // namespace batora
