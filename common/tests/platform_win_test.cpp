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
  EXPECT_EQ(joinPath(L"C:\\", L"a").native(), L"C:\\a");
  EXPECT_EQ(joinPath(L"C:\\x", L"a").native(), L"C:\\x\\a");
}

TEST(JoinPathTest, BackslashBetweenFolderAndNameNeverDoubled) {
  EXPECT_EQ(batora::joinPath("C:\\photos", "a.jpg"), "C:\\photos\\a.jpg");
  EXPECT_EQ(batora::joinPath("C:\\photos\\", "a.jpg"), "C:\\photos\\a.jpg");
  EXPECT_EQ(batora::joinPath("C:\\", "a.jpg"), "C:\\a.jpg");
}

TEST(LookUpTest, FilesFoldersAndLookUpsThatCannotBeMade) {
  TempDir dir;
  const fs::path file = dir.write("hidden.txt", "x");
  ASSERT_TRUE(::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(lookUp(file, false), LookUp::kFound);
  EXPECT_EQ(lookUp(dir.path(), true), LookUp::kFound);
  EXPECT_EQ(lookUp(dir.path(), false), LookUp::kMissing);
  EXPECT_EQ(lookUp(dir / "missing", true), LookUp::kMissing);
  EXPECT_EQ(lookUp(dir / "missing" / "below", true), LookUp::kMissing);
  EXPECT_EQ(lookUp(dir / "a|b", true), LookUp::kFailed);  // no name can hold "|"
  ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(IniFileLookUpTest, FolderLookUpThatCannotBeCarriedOutFailsTheRead) {
  TempDir dir;
  dir.write("Batora.ini", "INIT_FINDDIR_OPTION=2\r\nINIT_FINDDIR_PATH=C:\\a|b\r\n");
  clsIniFile ini{dir.path()};
  EXPECT_FALSE(ini.ReadIniFile("Batora.ini", [](std::string_view, std::string_view) {}));
  EXPECT_EQ(ini.DefaultFindDirOption(), "2");  // values read so far stay
}

TEST(IniFileRootTest, ProgramFolderAtADriveRootGivesNoDoubledSeparator) {
  clsIniFile ini{L"C:\\"};
  EXPECT_EQ(ini.LogErr_FName().native(), L"C:\\BatoraEr.log");
  EXPECT_EQ(ini.LogRename_FName().native(), L"C:\\Batora.log");
}

TEST(RenameTest, ExistingTargetIsTheTargetExistsKindAndKeepsItsContent) {
  TempDir dir;
  const fs::path from = dir.write("a.jpg", "a");
  const fs::path to = dir.write("b.jpg", "b");
  const RenameOutcome outcome = renameNoReplace(from, to);
  EXPECT_EQ(outcome.result, RenameResult::kTargetExists);
  EXPECT_FALSE(outcome.description.empty());
  EXPECT_EQ(testing::readBytes(to), "b");
  EXPECT_EQ(testing::readBytes(from), "a");
}

TEST(RenameTest, MovesIntoAnotherFolderAndFailsPlainlyWithoutTheSource) {
  TempDir dir;
  const fs::path from = dir.write(L"\u5199\u771f.jpg", "a");
  const fs::path to = dir.mkdir("sub") / L"\u65c5\u884c01.jpg";
  EXPECT_EQ(renameNoReplace(from, to).result, RenameResult::kDone);
  EXPECT_EQ(testing::readBytes(to), "a");
  EXPECT_FALSE(fs::exists(from));
  const RenameOutcome missing = renameNoReplace(from, dir / "c.jpg");
  EXPECT_EQ(missing.result, RenameResult::kFailed);
  EXPECT_FALSE(missing.description.empty());
}

TEST(RenameTest, SameFileKnowsAFileByItsIdentity) {
  TempDir dir;
  const fs::path a = dir.write("a.jpg", "a");
  const fs::path b = dir.write("b.jpg", "a");
  EXPECT_TRUE(sameFile(a, a));
  EXPECT_TRUE(sameFile(a, dir / "A.JPG"));  // the same name in another case
  EXPECT_FALSE(sameFile(a, b));
  EXPECT_FALSE(sameFile(a, dir / "missing"));
}

TEST(FolderTest, FilesOfEveryAttributeAreListedFoldersApartInHomeOrder) {
  TempDir dir;
  struct Row {
    const wchar_t* name;
    DWORD attributes;
  } rows[] = {{L"plain.txt", FILE_ATTRIBUTE_NORMAL},
              {L"Hidden.txt", FILE_ATTRIBUTE_HIDDEN},
              {L"system.txt", FILE_ATTRIBUTE_SYSTEM},
              {L"READONLY.txt", FILE_ATTRIBUTE_READONLY},
              {L"archive.txt", FILE_ATTRIBUTE_ARCHIVE}};
  for (const Row& row : rows) {
    const fs::path file = dir.write(row.name, "x");
    ASSERT_TRUE(::SetFileAttributesW(file.c_str(), row.attributes)) << pathToUtf8(file);
  }
  dir.mkdir("Folder");
  const std::optional<FolderListing> listing = readFolder(dir.path());
  ASSERT_TRUE(listing);
  EXPECT_EQ(listing->files, (std::vector<fs::path>{L"archive.txt", L"Hidden.txt", L"plain.txt",
                                                   L"READONLY.txt", L"system.txt"}));
  EXPECT_EQ(listing->folders, std::vector<fs::path>{L"Folder"});
  for (const Row& row : rows) ::SetFileAttributesW((dir / row.name).c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST(FileTest, ALockedFileCannotBeReadAndAFolderIsNoFile) {
  TempDir dir;
  const fs::path file = dir.write("locked.log", "x");
  EXPECT_TRUE(canReadFile(file));
  {
    const HANDLE lock = ::CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(canReadFile(file));
    EXPECT_FALSE(readFile(file).has_value());
    ::CloseHandle(lock);
  }
  EXPECT_FALSE(canReadFile(dir.path()));
}

// A key of its own below HKEY_CURRENT_USER, which every user may open with the rights of the
// look-up's access mask; removed again with everything in it.
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
    const char* value;
    bool found;
    std::string expected;
  } cases[] = {
      {"string", "PATH", true, "C:\\Tools\\MSINFO32.EXE"},
      {"number", "NUMBER", true, "&habcdef"},
      {"other type leaves the text as it was", "BINARY", true, "before"},
      {"missing value", "NONE", false, ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::string value = "before";
    EXPECT_EQ(GetKeyValue(RegistryRoot::kCurrentUser, m_keyName, c.value, value), c.found);
    EXPECT_EQ(value, c.expected);
  }
  std::string value = "before";
  EXPECT_FALSE(GetKeyValue(RegistryRoot::kCurrentUser, m_keyName + "\\Missing", "PATH", value));
  EXPECT_EQ(value, "");
}

TEST(VisibleFileTest, HiddenSystemFilesAndFoldersDoNotCount) {
  TempDir dir;
  const fs::path plain = dir.write("MSINFO32.EXE", "x");
  const fs::path hidden = dir.write("hidden.exe", "x");
  const fs::path system = dir.write("system.exe", "x");
  ::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_HIDDEN);
  ::SetFileAttributesW(system.c_str(), FILE_ATTRIBUTE_SYSTEM);
  EXPECT_TRUE(isVisibleFile(pathToUtf8(plain)));
  EXPECT_FALSE(isVisibleFile(pathToUtf8(hidden)));
  EXPECT_FALSE(isVisibleFile(pathToUtf8(system)));
  EXPECT_FALSE(isVisibleFile(pathToUtf8(dir.path())));
  EXPECT_FALSE(isVisibleFile(pathToUtf8(dir / "missing.exe")));
  ::SetFileAttributesW(hidden.c_str(), FILE_ATTRIBUTE_NORMAL);
  ::SetFileAttributesW(system.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
}  // namespace batora::platform
