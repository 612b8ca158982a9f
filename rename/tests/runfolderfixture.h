#pragma once
// A listed folder of real files, the settings, the list controller and the rule's fields: what
// a rename run needs around it, for the engine's tests and the window's.

#include <gtest/gtest.h>

#include <algorithm>

#include "bsfunc.h"
#include "clsobjctrl.h"
#include "fakeclock.h"
#include "faketoolkit.h"
#include "namingrule.h"
#include "renamelog.h"
#include "tempdir.h"

namespace batora::testing {

class RunFolderFixture : public ::testing::Test {
 protected:
  using Rows = std::vector<std::string>;

  RunFolderFixture() {
    folder = dir.mkdir("photos");
    objCtrl.ListControl(&list);
    objCtrl.LabelSelFileNum(&label);
    objCtrl.SerchFileName("*.*");
    readSettings("OUTPUT_LOG_RENAME=1\r\n");
  }

  void readSettings(const std::string& text) {
    dir.write("Batora.ini", platform::utf8ToCp932(text));
    ASSERT_TRUE(
        settings.ReadIniFile("Batora.ini", [this](auto p, auto m) { func.OutputErrLog(p, m); }));
  }
  // Creates the files (content = own name), lists the folder and selects every row.
  void files(const Rows& names, int depth = 1) {
    for (const auto& n : names) dir.write(std::filesystem::path("photos") / n, n);
    ASSERT_FALSE(objCtrl.SetFileList(window, folder, depth, status));
    for (auto& r : list.rows) r.selected = true;
  }
  void rule(std::string name, std::string digits, std::string ext = "jpg") {
    txtName.value = std::move(name);
    txtSeq.value = std::move(digits);
    txtExp.value = std::move(ext);
  }
  // "name=content" per file, sorted.
  Rows content(const std::filesystem::path& where) const {
    Rows names;
    for (const auto& e : std::filesystem::directory_iterator(where))
      names.push_back(e.path().filename().string() +
                      (e.is_regular_file() ? "=" + readBytes(e.path()) : "/"));
    std::sort(names.begin(), names.end());
    return names;
  }
  Rows logLines() const {
    std::string text = platform::cp932ToUtf8(readBytes(dir / "Batora.log"));
    Rows lines;
    size_t pos = 0;
    for (size_t end; (end = text.find("\r\n", pos)) != std::string::npos; pos = end + 2)
      lines.push_back(text.substr(pos, end - pos));
    return lines;
  }
  // A file line for two names in the listed folder.
  std::string logLine(const std::string& from, const std::string& to, std::string_view result) {
    return renameLogFileLine(clock.time, file(from), file(to), result);
  }
  std::string file(const std::string& name) const { return (folder / name).string(); }
  // "style text" per box.
  Rows boxes() const {
    Rows texts;
    for (const auto& b : toolkit.boxes) texts.push_back(std::to_string(b.style) + " " + b.text);
    return texts;
  }

  TempDir dir;
  std::filesystem::path folder;
  FakeToolkit toolkit;
  FakeClock clock;
  clsIniFile settings{dir.path()};
  bsFunc func{toolkit, settings, clock, "Batora"};
  FakeWindow window;
  FakeListBox list{&toolkit};
  FakeStatusBar status;
  FakeLabel label;
  clsObjCtrl objCtrl{func};
  FakeTextField txtName{"x"}, txtExp{"jpg"}, txtSeq{"2"}, txtSample;
  FakeCheckField chbBackSeq{1};
  NamingRule namingRule{txtName, txtExp, txtSeq, chbBackSeq, txtSample, clock};
};

}  // namespace batora::testing
