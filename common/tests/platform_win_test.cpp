// The platform layer against the Windows API itself: paths in UTF-16, the rename that never
// replaces, attributes the search must not filter on, and the registry look-up.

#include <windows.h>

#include <gtest/gtest.h>

#include "clsinifile.h"
#include "platform.h"
#include "registry.h"
#include "tempdir.h"
#include "text.h"

namespace batora::platform {
namespace {

namespace fs = std::filesystem;
using testing::TempDir;

TEST(PathTest, Utf8AndUtf16MeetAndBrokenNamesShowAReplacement) {
  EXPECT_EQ(pathFromUtf8("写真.jpg").native(), L"\u5199\u771f.jpg");
  EXPECT_EQ(pathToUtf8(fs::path(L"\u5199\u771f.jpg")), "写真.jpg");
  // NTFS accepts a name with an unpaired surrogate; it is shown, not lost.
  EXPECT_EQ(pathToUtf8(fs::path(std::wstring(L"photo\xD800.jpg"))), "photo\xEF\xBF\xBD.jpg");
  EXPECT_EQ(joinPath(L"C:\\x", L"a").native(), L"C:\\x\\a");
  EXPECT_EQ(batora::joinPath("C:\\photos", "a.jpg"), "C:\\photos\\a.jpg");
  EXPECT_EQ(batora::joinPath("C:\\photos\\", "a.jpg"), "C:\\photos\\a.jpg");
}

TEST(LookUpTest, FilesFoldersAndLookUpsThatCannotBeMade) {
  TempDir dir;
  const fs::path file = dir.write("hidden.txt", "x");
  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(lookUp(file, false), LookUp::kFound);
  EXPECT_EQ(lookUp(dir.path(), true), LookUp::kFound);
  EXPECT_EQ(lookUp(dir.path(), false), LookUp::kMissing);
  EXPECT_EQ(lookUp(dir / "missing" / "below", true), LookUp::kMissing);
  EXPECT_EQ(lookUp(dir / "a|b", true), LookUp::kFailed);  // no name can hold "|"
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(IniFileRootTest, ProgramFolderAtADriveRootGivesNoDoubledSeparator) {
  clsIniFile ini{L"C:\\"};
  EXPECT_EQ(ini.LogErr_FName().native(), L"C:\\BatoraEr.log");
  EXPECT_EQ(ini.LogRename_FName().native(), L"C:\\Batora.log");
}

TEST(RenameTest, NeverReplacesMovesIntoAnotherFolderAndKnowsAnEntryByItsName) {
  TempDir dir;
  const fs::path from = dir.write(L"\u5199\u771f.jpg", "a");
  const fs::path taken = dir.write("b.jpg", "b");
  const RenameOutcome outcome = renameNoReplace(from, taken);
  EXPECT_EQ(outcome.result, RenameResult::kTargetExists);
  EXPECT_FALSE(outcome.description.empty());
  EXPECT_EQ(testing::readBytes(taken), "b");
  const fs::path to = dir.mkdir("sub") / L"\u65c5\u884c01.jpg";
  EXPECT_EQ(renameNoReplace(from, to).result, RenameResult::kDone);
  EXPECT_EQ(testing::readBytes(to), "a");
  const RenameOutcome missing = renameNoReplace(from, dir / "c.jpg");
  EXPECT_EQ(missing.result, RenameResult::kFailed);
  EXPECT_FALSE(missing.description.empty());
  // One directory entry, whatever the case of its name; another link is another entry.
  EXPECT_TRUE(sameEntry(taken, dir / "B.JPG"));
  ASSERT_TRUE(::CreateHardLinkW((dir / "link.jpg").c_str(), taken.c_str(), nullptr));
  EXPECT_FALSE(sameEntry(taken, dir / "link.jpg"));
}

TEST(FolderTest, FilesOfEveryAttributeAreListedFoldersApartInHomeOrder) {
  TempDir dir;
  struct Row {
    const wchar_t* name;
    DWORD attributes;
  } rows[] = {{L"plain.txt", FILE_ATTRIBUTE_NORMAL},
              {L"Hidden.txt", FILE_ATTRIBUTE_HIDDEN},
              {L"system.txt", FILE_ATTRIBUTE_SYSTEM},
              {L"READONLY.txt", FILE_ATTRIBUTE_READONLY}};
  for (const Row& row : rows) {
    const fs::path file = dir.write(row.name, "x");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), row.attributes)) << pathToUtf8(file);
  }
  dir.mkdir("Folder");
  const std::optional<FolderListing> listing = readFolder(dir.path());
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->files, (std::vector<std::wstring>{L"Hidden.txt", L"plain.txt", L"READONLY.txt",
                                                       L"system.txt"}));
  EXPECT_EQ(listing->folders, std::vector<std::wstring>{L"Folder"});
  for (const Row& row : rows) ::SetFileAttributesW((dir / row.name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A key of its own below HKEY_CURRENT_USER, removed again with everything in it.
class RegistryTest : public ::testing::Test {
 protected:
  RegistryTest() : m_keyName("Software\\BatoraTest" + std::to_string(::GetCurrentProcessId())) {
    HKEY key = nullptr;
    EXPECT_EQ(::RegCreateKeyExA(HKEY_CURRENT_USER, m_keyName.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &key, nullptr),
              ERROR_SUCCESS);
    const char path[] = "C:\\Tools\\MSINFO32.EXE";
    const DWORD number = 0x00ABCDEF;
    const BYTE binary[] = {1, 2};
    ::RegSetValueExA(key, "PATH", 0, REG_SZ, reinterpret_cast<const BYTE*>(path), sizeof path);
    ::RegSetValueExA(key, "NUMBER", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&number),
                     sizeof number);
    ::RegSetValueExA(key, "BINARY", 0, REG_BINARY, binary, sizeof binary);
    ::RegCloseKey(key);
  }
  ~RegistryTest() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, m_keyName.c_str()); }

  std::string m_keyName;
};

TEST_F(RegistryTest, ValuesAreReadByTheirType) {
  struct Case {
    const char* name;
    std::string key;
    const char* value;
    bool found;
    std::string expected;
  } cases[] = {
      {"string", m_keyName, "PATH", true, "C:\\Tools\\MSINFO32.EXE"},
      {"number", m_keyName, "NUMBER", true, "&habcdef"},
      {"other type leaves the text as it was", m_keyName, "BINARY", true, "before"},
      {"missing value", m_keyName, "NONE", false, ""},
      {"missing key", m_keyName + "\\Missing", "PATH", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string value = "before";
    EXPECT_EQ(GetKeyValue(RegistryRoot::kCurrentUser, c.key, c.value, value), c.found);
    EXPECT_EQ(value, c.expected);
  }
}

TEST(VisibleFileTest, HiddenSystemFilesAndFoldersDoNotCount) {
  TempDir dir;
  EXPECT_TRUE(isVisibleFile(pathToUtf8(dir.write("MSINFO32.EXE", "x"))));
  EXPECT_FALSE(isVisibleFile(pathToUtf8(dir.path())));
  EXPECT_FALSE(isVisibleFile(pathToUtf8(dir / "missing.exe")));
  for (DWORD attribute : {FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_SYSTEM}) {
    const fs::path file = dir.write("tool.exe", "x");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), attribute));
    EXPECT_FALSE(isVisibleFile(pathToUtf8(file))) << attribute;
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
  }
}

}  // namespace
}  // namespace batora::platform
