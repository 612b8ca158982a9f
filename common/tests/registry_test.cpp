#include "registry.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "faketoolkit.h"
#include "tempdir.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using testing::FakeToolkit;
using testing::TempDir;

struct LookUpCall {
  RegistryRoot root;
  std::string key;
  std::string value;
  bool operator==(const LookUpCall&) const = default;
};

const LookUpCall kPathLookUp{RegistryRoot::kLocalMachine,
                             "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", "PATH"};
const LookUpCall kLocationLookUp{RegistryRoot::kLocalMachine,
                                 "SOFTWARE\\Microsoft\\Shared Tools Location", "MSINFO"};

// Where the location value points: nowhere, or a real folder prepared for the row; or its
// look-up breaks down.
enum class Location { kNone, kWithTool, kEmpty, kToolIsAFolder, kLookUpThrows };

TEST(SystemInfoStart, StartsTheToolTheRegistryLeadsToOrShowsTheMessage) {
  struct Row {
    const char* name;
    std::optional<std::string> path;
    Location location;
    bool startSucceeds;
    // What is started: "" nothing, "<tool>" the tool in the location folder, else that path.
    std::string started;
  };
  const std::string tool = "/nowhere/msinfo32.exe";
  const std::optional<std::string> noPath;
  const Row rows[] = {
      {"PATH started as it stands", tool, Location::kWithTool, true, tool},
      {"PATH fails to start, no fall-back", tool, Location::kWithTool, false, tool},
      {"location folder with the tool", noPath, Location::kWithTool, true, "<tool>"},
      {"location tool fails to start", noPath, Location::kWithTool, false, "<tool>"},
      {"neither value", noPath, Location::kNone, true, ""},
      {"location folder without the tool", noPath, Location::kEmpty, true, ""},
      {"tool name taken by a folder", noPath, Location::kToolIsAFolder, true, ""},
      {"look-up breaks down", noPath, Location::kLookUpThrows, true, ""},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    if (row.location == Location::kWithTool) dir.write("MSINFO32.EXE", "");
    if (row.location == Location::kToolIsAFolder) dir.mkdir("MSINFO32.EXE");
    std::vector<LookUpCall> calls;
    bool fileChecked = false;
    SystemInfoProbes probes;
    probes.readValue = [&](RegistryRoot root, std::string_view key, std::string_view value,
                           std::string& out) {
      calls.push_back({root, std::string(key), std::string(value)});
      if (row.location == Location::kLookUpThrows && calls.size() == 2)
        throw std::runtime_error("registry gone");
      std::optional<std::string> found;
      if (calls.back() == kPathLookUp) found = row.path;
      if (calls.back() == kLocationLookUp && row.location != Location::kNone)
        found = dir.path().string();
      out = found.value_or("");
      return found.has_value();
    };
    probes.fileExists = [&](std::string_view path) {
      fileChecked = true;
      return isVisibleFile(path);
    };
    FakeToolkit toolkit;
    toolkit.startSucceeds = row.startSucceeds;

    startSystemInfo(toolkit, probes);

    const std::vector<LookUpCall> expected =
        row.path ? std::vector{kPathLookUp} : std::vector{kPathLookUp, kLocationLookUp};
    EXPECT_EQ(calls, expected);
    EXPECT_EQ(fileChecked, !row.path && row.location != Location::kNone &&
                               row.location != Location::kLookUpThrows)
        << "only the location folder is checked";
    ASSERT_EQ(toolkit.started.size(), row.started.empty() ? 0u : 1u);
    if (!row.started.empty()) {
      EXPECT_EQ(fs::path(toolkit.started[0].program),
                row.started == "<tool>" ? dir / "MSINFO32.EXE" : fs::path(row.started));
      EXPECT_TRUE(toolkit.started[0].args.empty());
    }
    if (!row.started.empty() && row.startSucceeds) {
      EXPECT_TRUE(toolkit.boxes.empty());
      continue;
    }
    // Shown directly, not through the error reporter: no beep.
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, "現時点ではｼｽﾃﾑ情報を使用できません");
    EXPECT_EQ(toolkit.boxes[0].title, "Batora");
    EXPECT_EQ(toolkit.boxes[0].style, 0);
    EXPECT_EQ(toolkit.beeps, 0);
  }
}

}  // namespace
}  // namespace batora
