// The rename log of a real run, byte for byte. The expected bytes are written out here, not
// converted by the program's own routines, and are the same on every platform: apart from the
// time stamps and the folder, the log reads the same wherever the program ran.

#include <gtest/gtest.h>

#include <regex>

#include "clifixture.h"

namespace batora::cli {
namespace {

namespace fs = std::filesystem;
using RenameLogBytesTest = testing::CliExecutable;

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
    text.replace(at, from.size(), to);
  return text;
}

TEST_F(RenameLogBytesTest, JapaneseNamesAndACollisionGiveTheSameBytesOnEveryPlatform) {
  files({"b.jpg", "p02.jpg"});
  for (const char* name : {"ü€.jpg", "写真 夏.jpg"})
    dir.write(folder / platform::pathFromUtf8(name), name);
  dir.write(folder / platform::pathFromUtf8("旅行03.png"), "taken");
  // Code page 932: the log goes to the folder ログ, which only that decoding finds.
  const fs::path logs = dir.mkdir(platform::pathFromUtf8("ログ"));
  dir.write("Batora.ini",
            "OUTPUT_LOG_RENAME = 1\r\nDIRPATH_LOG_RENAME = " + platform::pathToUtf8(dir.path()) +
                platform::kSeparator + "\x83\x8D\x83O\r\n");

  EXPECT_EQ(run({"photos", "-p", "*.jpg", "--yes", "--name", "旅行", "--ext", "png", "--sort",
                 "name", "--on-collision", "skip"})
                .exitStatus,
            1);  // one file failed: the taken name

  static const std::regex stamp(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d)");
  ASSERT_FALSE(fs::exists(dir / "Batora.log"));
  std::string log = std::regex_replace(batora::testing::readBytes(logs / "Batora.log"), stamp, "T");
  log = replaceAll(log, platform::pathToUtf8(folder) + platform::kSeparator, "<F>");
  const std::string travel = "\x97\xB7\x8Ds";                                          // 旅行
  const std::string photo = "\x8E\xCA\x90^ \x89\xC4";                                  // 写真 夏
  const std::string done = "\x83\x8A\x83l\x81[\x83\x80\x90\xB3\x8F\xED\x8FI\x97\xB9";  // 正常終了
  const std::string failed = "\x83\x8A\x83l\x81[\x83\x80\x88\xD9\x8F\xED\x8FI\x97\xB9";
  EXPECT_EQ(log,
            "*** Rename Start !!  [T] ***\r\n"
            "*** T, [<F>b.jpg -> <F>" +
                travel + "01.png] " + done +
                " ***\r\n"
                "*** T, [<F>p02.jpg -> <F>" +
                travel + "02.png] " + done +
                " ***\r\n"
                // ü and € have no code in code page 932.
                "*** T, [<F>??.jpg -> <F>" +
                travel + "03.png] " + failed +
                " ***\r\n"
                "*** T, [<F>" +
                photo + ".jpg -> <F>" + travel + "04.png] " + done + " ***\r\n");
  EXPECT_EQ(batora::testing::readBytes(folder / platform::pathFromUtf8("旅行03.png")), "taken");
  EXPECT_EQ(batora::testing::readBytes(folder / platform::pathFromUtf8("旅行04.png")),
            "写真 夏.jpg");
}

}  // namespace
}  // namespace batora::cli
