#include "clsinifile.h"

#include <gtest/gtest.h>

#include "platform.h"
#include "tempdir.h"

namespace batora {
namespace {

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

  testing::TempDir dir;
  clsIniFile ini{dir.path()};
  std::vector<LogLine> log;
};

TEST_F(IniFileTest, MissingOrUnreadableFileFails) {
  EXPECT_FALSE(ini.ReadIniFile("Batora.ini", {}));
  dir.mkdir("Folder.ini");
  EXPECT_FALSE(ini.ReadIniFile("Folder.ini", {}));
}

// Option, path, pattern and the two switches in one line, so that a row states all of them.
std::string values(const clsIniFile& ini) {
  return ini.DefaultFindDirOption() + "|" + ini.DefaultFindDirPath() + "|" + ini.SerchFileName() +
         "|" + (ini.OutputLogRename() ? "on" : "off") + "|" + (ini.OutputLogError() ? "on" : "off");
}

TEST_F(IniFileTest, SpellingsOfTheSettings) {
  const LogLine renameMissing{"CheckExistFile",
                              "パラメータ(DIRPATH_LOG_RENAME)存在エラーが発生しました。"};
  struct Row {
    const char* name;
    const char* text;
    const char* values;
    std::vector<LogLine> log = {};
  } rows[] = {
      {"empty file: the defaults", "", "|||off|on"},
      {"lines end at CR LF, a lone CR or a lone LF; the last needs no end",
       "INIT_FINDDIR_OPTION=2\rINIT_SERCH_FILE_NAME=*.jpg\r\n"
       "OUTPUT_LOG_RENAME=1\nOUTPUT_LOG_ERROR=0\n\nDIRPATH_LOG_RENAME=x",
       "2||*.jpg|on|off",
       {renameMissing}},
      {"keys in any case, comments, tabs removed, inner spaces kept",
       "[section]\r\n# a comment line\r\n  init_FindDir_Option \t =  2   # depth\r\n"
       "INIT_SERCH_FILE_NAME = my\tphoto *.JPG\r\nUNKNOWN_KEY=1\r\n=value\r\nno equals sign\r\n",
       "2||myphoto *.JPG|off|on"},
      {"the last line wins, empty values keep earlier ones",
       "INIT_FINDDIR_OPTION=1\r\nINIT_FINDDIR_OPTION=3\r\n"
       "OUTPUT_LOG_RENAME=1\r\nOUTPUT_LOG_RENAME=\r\nOUTPUT_LOG_RENAME=  # off?\r\n",
       "3|||on|on"},
      {"the pattern loses separators, then double dots, without a second pass",
       "INIT_SERCH_FILE_NAME=..\\../a.\\.b...c", "||ab.c|off|on"},
      {"truth words in any case", "OUTPUT_LOG_RENAME=tRUE\r\nOUTPUT_LOG_ERROR=FALSE", "|||on|off"},
      {"numbers: zero is off", "OUTPUT_LOG_RENAME=0\r\nOUTPUT_LOG_ERROR=2.5", "|||off|on"},
      {"numbers: any other is on", "OUTPUT_LOG_RENAME=-1\r\nOUTPUT_LOG_ERROR=0.0", "|||on|off"},
      {"no truth value is on", "OUTPUT_LOG_RENAME=off\r\nOUTPUT_LOG_ERROR=no", "|||on|on"},
      // The missing error-log folder is settled first and cleared without a line.
      {"the checks log in their order and clear the values",
       "DIRPATH_LOG_RENAME=/no/such/rename\r\nINIT_FINDDIR_PATH=/no/such/start\r\n"
       "DIRPATH_LOG_ERROR=/no/such/error\r\nINIT_FINDDIR_OPTION=01\r\n",
       "|||off|on",
       {{"ReadIniFile", "パラメータ(INIT_FINDDIR_OPTION)エラーが発生しました。値が不正です。"},
        {"CheckExistFile", "パラメータ(INIT_FINDDIR_PATH)存在エラーが発生しました。"},
        renameMissing}},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ini = clsIniFile{dir.path()};
    log.clear();
    ASSERT_TRUE(read(row.text));
    EXPECT_EQ(values(ini), row.values);
    EXPECT_EQ(log, row.log);
    EXPECT_EQ(ini.LogRename_FName(), dir / "Batora.log");
    EXPECT_EQ(ini.LogErr_FName(), dir / "BatoraEr.log");
  }
}

TEST_F(IniFileTest, ValidValuesPassAndLogFoldersTakeTheLogNames) {
  auto logs = dir.mkdir("logs");
  auto file = dir.write("file.txt", "x");
  ASSERT_TRUE(read("INIT_FINDDIR_OPTION=1\r\nDIRPATH_LOG_RENAME=" + logs.string() +
                   "/\r\nDIRPATH_LOG_ERROR=" + logs.string() +
                   "\r\nINIT_FINDDIR_PATH=" + file.string() + "\r\n"));
  EXPECT_EQ(ini.DefaultFindDirOption(), "1");
  EXPECT_EQ(ini.DefaultFindDirPath(), file.string());     // a file counts as found too
  EXPECT_EQ(ini.LogRename_FName(), logs / "Batora.log");  // no doubled separator
  EXPECT_EQ(ini.LogErr_FName(), logs / "BatoraEr.log");
  EXPECT_TRUE(log.empty());
  // A '#' inside a value cuts the path before the check.
  ASSERT_TRUE(read("INIT_FINDDIR_PATH=" + logs.string() + "#2000\r\n"));
  EXPECT_EQ(ini.DefaultFindDirPath(), logs.string());
  EXPECT_TRUE(log.empty());
}

// Shift_JIS, the file's own encoding; UTF-8 with or without its byte-order mark, as Linux
// editors save it.
TEST_F(IniFileTest, JapaneseFolderInEitherEncoding) {
  const std::string folder =
      platform::pathToUtf8(dir.mkdir(platform::pathFromUtf8("写真　２０００")));
  const std::string lines = "# 設定\r\nINIT_FINDDIR_PATH=" + folder + "\r\nINIT_FINDDIR_OPTION=3";
  struct Row {
    const char* name;
    std::string bytes;
  } rows[] = {
      {"Shift_JIS", platform::utf8ToCp932(lines)},
      {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + lines},
      {"UTF-8 without it", lines},
      {"UTF-8 with Linux line ends",
       "# 設定\nINIT_FINDDIR_PATH=" + folder + "\nINIT_FINDDIR_OPTION=3\n"},
  };
  ASSERT_NE(rows[0].bytes, lines);  // really Shift_JIS on disk
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ini = clsIniFile{dir.path()};
    ASSERT_TRUE(readBytes(row.bytes));
    EXPECT_EQ(ini.DefaultFindDirPath(), folder);
    EXPECT_EQ(ini.DefaultFindDirOption(), "3");
    EXPECT_TRUE(log.empty());
  }
  // Shift_JIS that holds a valid UTF-8 sequence somewhere is still Shift_JIS when the whole is
  // not UTF-8: ﾃｱ (C3 B1) reads as one UTF-8 character, 写 (8E CA) as none.
  ASSERT_TRUE(readBytes(platform::utf8ToCp932("INIT_SERCH_FILE_NAME=ﾃｱ*写")));
  EXPECT_EQ(ini.SerchFileName(), "ﾃｱ*写");
}

TEST_F(IniFileTest, FolderLookUpThatCannotBeCarriedOutFailsTheRead) {
  std::string tooLong(5000, 'a');
  EXPECT_FALSE(read("INIT_FINDDIR_OPTION=2\r\nINIT_FINDDIR_PATH=/" + tooLong + "\r\n"));
  EXPECT_EQ(ini.DefaultFindDirOption(), "2");  // values read so far stay
}

}  // namespace
}  // namespace batora
