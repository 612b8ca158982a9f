#include "clsinifile.h"

#include <gtest/gtest.h>

#include "platform.h"
#include "tempdir.h"

namespace batora {
namespace {

using testing::TempDir;

struct LogLine {
  std::string place;
  std::string msg;
  bool operator==(const LogLine&) const = default;
};

class IniFileTest : public ::testing::Test {
 protected:
  // Writes the settings file in code page 932 and reads it.
  bool read(std::string_view utf8Text) { return readBytes(platform::utf8ToCp932(utf8Text)); }
  bool readBytes(std::string_view bytes) {
    dir.write("Batora.ini", bytes);
    return ini.ReadIniFile("Batora.ini", [this](std::string_view place, std::string_view msg) {
      log.push_back({std::string(place), std::string(msg)});
    });
  }

  TempDir dir;
  clsIniFile ini{dir.path()};
  std::vector<LogLine> log;
};

TEST_F(IniFileTest, EmptyFileGivesTheDefaults) {
  ASSERT_TRUE(read(""));
  EXPECT_EQ(ini.DefaultFindDirOption(), "");
  EXPECT_EQ(ini.DefaultFindDirPath(), "");
  EXPECT_EQ(ini.SerchFileName(), "");
  EXPECT_FALSE(ini.OutputLogRename());
  EXPECT_TRUE(ini.OutputLogError());
  EXPECT_EQ(ini.LogRename_FName(), dir / "Batora.log");
  EXPECT_EQ(ini.LogErr_FName(), dir / "BatoraEr.log");
  EXPECT_TRUE(log.empty());
}

TEST_F(IniFileTest, MissingOrUnreadableFileFails) {
  EXPECT_FALSE(ini.ReadIniFile("Batora.ini", {}));
  dir.mkdir("Folder.ini");
  EXPECT_FALSE(ini.ReadIniFile("Folder.ini", {}));
}

TEST_F(IniFileTest, LineEndsAreCrLfOrLoneCr) {
  // The lone LF does not end the line, so the option's value swallows the next "line".
  ASSERT_TRUE(
      read("INIT_FINDDIR_OPTION=2\rINIT_SERCH_FILE_NAME=*.jpg\r\n"
           "OUTPUT_LOG_RENAME=1\nOUTPUT_LOG_ERROR=0\r\nDIRPATH_LOG_RENAME=x"));
  EXPECT_EQ(ini.DefaultFindDirOption(), "2");
  EXPECT_EQ(ini.SerchFileName(), "*.jpg");
  EXPECT_TRUE(ini.OutputLogRename());  // "1\nOUTPUT_LOG_ERROR=0" has no truth value: on
  EXPECT_TRUE(ini.OutputLogError());
  // The last line, without a line end, is read like any other.
  ASSERT_EQ(log.size(), 1u);
  EXPECT_EQ(log[0].msg, "パラメータ(DIRPATH_LOG_RENAME)存在エラーが発生しました。");
}

TEST_F(IniFileTest, KeysCommentsTabsAndSpaces) {
  ASSERT_TRUE(
      read("[section]\r\n"
           "# a comment line\r\n"
           "  init_FindDir_Option \t =  2   # depth\r\n"
           "INIT_SERCH_FILE_NAME = my\tphoto *.JPG\r\n"
           "UNKNOWN_KEY=1\r\n"
           "=value\r\n"
           "no equals sign\r\n"));
  EXPECT_EQ(ini.DefaultFindDirOption(), "2");
  EXPECT_EQ(ini.SerchFileName(), "myphoto *.JPG");  // TAB removed, inner space kept
}

TEST_F(IniFileTest, LastLineWinsAndEmptyValuesKeepEarlierOnes) {
  ASSERT_TRUE(
      read("INIT_FINDDIR_OPTION=1\r\nINIT_FINDDIR_OPTION=3\r\n"
           "OUTPUT_LOG_RENAME=1\r\nOUTPUT_LOG_RENAME=\r\nOUTPUT_LOG_RENAME=  # off?\r\n"));
  EXPECT_EQ(ini.DefaultFindDirOption(), "3");
  EXPECT_TRUE(ini.OutputLogRename());
}

TEST_F(IniFileTest, HashInsideAValueCutsThePathBeforeTheCheck) {
  dir.mkdir("photos");
  ASSERT_TRUE(read("INIT_FINDDIR_PATH=" + (dir / "photos").string() + "#2000\r\n"));
  EXPECT_EQ(ini.DefaultFindDirPath(), (dir / "photos").string());
  EXPECT_TRUE(log.empty());
}

TEST_F(IniFileTest, ChecksLogInTheirOrderAndClearTheValues) {
  ASSERT_TRUE(
      read("DIRPATH_LOG_RENAME=/no/such/rename\r\n"
           "INIT_FINDDIR_PATH=/no/such/start\r\n"
           "DIRPATH_LOG_ERROR=/no/such/error\r\n"
           "INIT_FINDDIR_OPTION=01\r\n"));
  std::vector<LogLine> expected{
      {"ReadIniFile", "パラメータ(INIT_FINDDIR_OPTION)エラーが発生しました。値が不正です。"},
      {"CheckExistFile", "パラメータ(INIT_FINDDIR_PATH)存在エラーが発生しました。"},
      {"CheckExistFile", "パラメータ(DIRPATH_LOG_RENAME)存在エラーが発生しました。"},
  };
  EXPECT_EQ(log, expected);  // the missing error-log folder is cleared without a line
  EXPECT_EQ(ini.DefaultFindDirOption(), "");
  EXPECT_EQ(ini.DefaultFindDirPath(), "");
  EXPECT_EQ(ini.LogRename_FName(), dir / "Batora.log");
  EXPECT_EQ(ini.LogErr_FName(), dir / "BatoraEr.log");
}

TEST_F(IniFileTest, ValidOptionsAndExistingPathsPass) {
  for (std::string option : {"1", "2", "3"}) {
    SCOPED_TRACE(option);
    log.clear();
    auto logs = dir.mkdir("logs");
    auto file = dir.write("file.txt", "x");
    ASSERT_TRUE(read("INIT_FINDDIR_OPTION=" + option + "\r\nDIRPATH_LOG_RENAME=" + logs.string() +
                     "/\r\nDIRPATH_LOG_ERROR=" + logs.string() +
                     "\r\nINIT_FINDDIR_PATH=" + file.string() + "\r\n"));
    EXPECT_EQ(ini.DefaultFindDirOption(), option);
    EXPECT_EQ(ini.DefaultFindDirPath(), file.string());     // a file counts as found too
    EXPECT_EQ(ini.LogRename_FName(), logs / "Batora.log");  // no doubled separator
    EXPECT_EQ(ini.LogErr_FName(), logs / "BatoraEr.log");
    EXPECT_TRUE(log.empty());
  }
  for (std::string bad : {"4", "0", "01", "1 2", "x"}) {
    SCOPED_TRACE(bad);
    log.clear();
    ASSERT_TRUE(read("INIT_FINDDIR_OPTION=" + bad));
    EXPECT_EQ(ini.DefaultFindDirOption(), "");
    EXPECT_EQ(log.size(), 1u);
  }
}

TEST_F(IniFileTest, PatternLosesSeparatorsThenDoubleDots) {
  struct Row {
    const char* value;
    const char* pattern;
  } rows[] = {
      {"..\\*.jpg", "*.jpg"}, {"../*.jpg", "*.jpg"}, {"ab.\\.cd", "abcd"},
      {"a...b", "a.b"},       {"*.*", "*.*"},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    ASSERT_TRUE(read(std::string("INIT_SERCH_FILE_NAME=") + row.value));
    EXPECT_EQ(ini.SerchFileName(), row.pattern);
  }
}

TEST_F(IniFileTest, SwitchTruthValues) {
  struct Row {
    const char* value;
    bool renameLog;
  } rows[] = {{"0", false},   {"1", true},      {"-1", true},     {"True", true},
              {"tRUE", true}, {"false", false}, {"FALSE", false}, {"0.0", false},
              {"2.5", true},  {"yes", true},    {"off", true}};
  for (const auto& row : rows) {
    SCOPED_TRACE(row.value);
    ASSERT_TRUE(
        read(std::string("OUTPUT_LOG_RENAME=") + row.value + "\r\nOUTPUT_LOG_ERROR=" + row.value));
    EXPECT_EQ(ini.OutputLogRename(), row.renameLog);
    EXPECT_EQ(ini.OutputLogError(), row.renameLog);
  }
}

TEST_F(IniFileTest, RenameLogSwitchCanBeChangedInMemoryOnly) {
  ASSERT_TRUE(read("OUTPUT_LOG_RENAME=yes\r\n"));
  EXPECT_TRUE(ini.OutputLogRename());
  ini.OutputLogRename(false);
  EXPECT_FALSE(ini.OutputLogRename());
  ini.OutputLogRename(true);
  EXPECT_TRUE(ini.OutputLogRename());
  EXPECT_EQ(testing::readBytes(dir / "Batora.ini"), "OUTPUT_LOG_RENAME=yes\r\n");
}

TEST_F(IniFileTest, ShiftJisFileWithAJapaneseFolder) {
  auto folder = platform::pathToUtf8(dir.mkdir(platform::pathFromUtf8("写真　２０００")));
  std::string text = "# 設定\r\nINIT_FINDDIR_PATH=" + folder + "\r\n";
  std::string bytes = platform::utf8ToCp932(text);
  ASSERT_NE(bytes, text);  // really Shift_JIS on disk
  ASSERT_TRUE(readBytes(bytes));
  EXPECT_EQ(ini.DefaultFindDirPath(), folder);
}

TEST_F(IniFileTest, Utf8FileWithByteOrderMarkIsReadAsUtf8) {
  auto folder = platform::pathToUtf8(dir.mkdir(platform::pathFromUtf8("写真")));
  ASSERT_TRUE(readBytes("\xEF\xBB\xBFINIT_FINDDIR_PATH=" + folder + "\r\n"));
  EXPECT_EQ(ini.DefaultFindDirPath(), folder);
  EXPECT_TRUE(log.empty());
}

TEST_F(IniFileTest, FolderLookUpThatCannotBeCarriedOutFailsTheRead) {
  std::string tooLong(5000, 'a');
  EXPECT_FALSE(read("INIT_FINDDIR_OPTION=2\r\nINIT_FINDDIR_PATH=/" + tooLong + "\r\n"));
  EXPECT_EQ(ini.DefaultFindDirOption(), "2");  // values read so far stay
}

}  // namespace
}  // namespace batora
