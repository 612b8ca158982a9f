#pragma once
// The real batora-cli run on a temporary folder "photos" beside its settings file, with the
// rename log on: what a user or a script sees, and what it leaves on disk.

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
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
  // f0001.dat … as links to one file outside the listed folder: thousands of names cost next to
  // nothing.
  void numberedLinks(int count) const {
    const fs::path original = dir.write("original", "x");
    for (int i = 1; i <= count; ++i) fs::create_hard_link(original, folder / numbered('f', i));
  }
  std::vector<std::string> withIni(std::vector<std::string> args) const {
    args.insert(args.begin(), {"--ini", (dir / "Batora.ini").string()});
    return args;
  }
  ProcessResult run(const std::vector<std::string>& args) const {
    return runProcess(BATORA_CLI_PATH, withIni(args), dir.path());
  }
  // name=content, sorted.
  Lines content() const {
    Lines names;
    for (const auto& entry : fs::directory_iterator(folder))
      names.push_back(entry.path().filename().string() + "=" +
                      batora::testing::readBytes(entry.path()));
    std::sort(names.begin(), names.end());
    return names;
  }
  // The rename log with every time stamp replaced by "T".
  Lines logLines() const {
    if (!fs::exists(dir / "Batora.log")) return {};
    static const std::regex stamp(R"(\d{4}/\d\d/\d\d \d\d:\d\d:\d\d)");
    const std::string text = platform::cp932ToUtf8(batora::testing::readBytes(dir / "Batora.log"));
    return splitLines(std::regex_replace(text, stamp, "T"), "\r\n");
  }
  std::string path(const std::string& name) const { return (folder / name).string(); }
  std::string renamed(const std::string& name) const { return path(name) + "のﾘﾈｰﾑ 正常終了"; }
  std::string fileLine(const std::string& from, const std::string& to, std::string_view result) {
    return "*** T, [" + path(from) + " -> " + path(to) + "] " + std::string(result) + " ***";
  }

  TempDir dir;
  fs::path folder;
};

}  // namespace batora::cli::testing
