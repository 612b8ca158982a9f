#pragma once
// The real batora-cli run on a temporary folder "photos" beside its settings file, with the
// rename log on: what a user or a script sees, and what it leaves on disk.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "childprocess.h"
#include "platform.h"
#include "tempdir.h"

namespace batora::cli::testing {

namespace fs = std::filesystem;
using Lines = std::vector<std::string>;
using batora::testing::TempDir;

inline Lines splitLines(const std::string& text, std::string_view end = "\n") {
  Lines lines;
  size_t pos = 0;
  for (size_t at; (at = text.find(end, pos)) != std::string::npos; pos = at + end.size())
    lines.push_back(text.substr(pos, at - pos));
  if (pos < text.size()) lines.push_back(text.substr(pos));
  return lines;
}

// One run of the program on a fresh folder: what it shows and what it leaves behind.
struct Invocation {
  const char* name;
  Lines files;
  std::string args;  // separated by spaces, after --ini and the fixture's settings file
  std::string out;
  std::string err;
  int status;
  Lines after = {};  // the folder afterwards; empty: as it was before
  Lines log = {};
};

class CliExecutable : public ::testing::Test {
 protected:
  CliExecutable() {
    folder = dir.mkdir("photos");
    dir.write("Batora.ini", "OUTPUT_LOG_RENAME = 1\r\n");
  }
  // Each file holds its own first name, so that a test can tell where it went.
  void files(const Lines& names) const {
    for (const std::string& name : names) dir.write(fs::path("photos") / name, name);
  }
  // A fresh folder and no log, for the next row of a table.
  void reset(const Lines& names) const {
    fs::remove_all(folder);
    fs::remove(dir / "Batora.log");
    fs::create_directory(folder);
    files(names);
  }
  // "f0001.dat" …: the names a big run starts from ('f') and ends with ('r').
  static std::string numbered(char prefix, int i) {
    char text[32];
    std::snprintf(text, sizeof text, "%c%04d.dat", prefix, i);
    return text;
  }
  // A run of f0001.dat … to r0001.dat …, started in the background. The files are links to one
  // file outside the listed folder: thousands of names cost next to nothing.
  std::unique_ptr<ChildProcess> startBigRun(int count) const {
    const fs::path original = dir.write("original", "x");
    for (int i = 1; i <= count; ++i) fs::create_hard_link(original, folder / numbered('f', i));
    return std::make_unique<ChildProcess>(
        BATORA_CLI_PATH,
        withIni({"photos", "--yes", "--name", "r", "--digits", "4", "--ext", "dat"}), dir.path());
  }
  // The log line of numbered file i.
  std::string numberedLine(int i, std::string_view result) const {
    return fileLine(numbered('f', i), numbered('r', i), result);
  }
  void expect(const Invocation& c) const {
    SCOPED_TRACE(c.name);
    reset(c.files);
    const Lines before = content();
    const ProcessResult result = run(splitLines(c.args, " "));
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, c.err);
    EXPECT_EQ(result.exitStatus, c.status);
    EXPECT_EQ(content(), c.after.empty() ? before : c.after);
    EXPECT_EQ(logLines(), c.log);
  }
  std::vector<std::string> withIni(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--ini", (dir / "Batora.ini").string()});
    return args;
  }
  ProcessResult run(const std::vector<std::string>& args) const {
    return runProcess(BATORA_CLI_PATH, withIni(args), dir.path());
  }
  // name=content (a folder: name/), sorted.
  Lines content() const {
    Lines names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(
          entry.path().filename().string() +
          (entry.is_directory() ? "/" : "=" + batora::testing::readBytes(entry.path())));
    std::sort(names.begin(), names.end());
    return names;
  }
  // A log's bytes with every time stamp replaced by "T".
  static std::string logBytes(const fs::path& log) {
    static const std::regex stamp(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d)");
    return std::regex_replace(batora::testing::readBytes(log), stamp, "T");
  }
  // The rename log's lines, time stamps replaced by "T".
  Lines logLines() const {
    if (!fs::exists(dir / "Batora.log")) return {};
    return splitLines(platform::cp932ToUtf8(logBytes(dir / "Batora.log")), "\r\n");
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }
  std::string renamed(const std::string& name) const { return path(name) + "のﾘﾈｰﾑ 正常終了"; }
  std::string fileLine(const std::string& from, const std::string& to,
                       std::string_view result) const {
    return "*** T, [" + path(from) + " -> " + path(to) + "] " + std::string(result) + " ***";
  }

  TempDir dir;
  fs::path folder;
};

}  // namespace batora::cli::testing
