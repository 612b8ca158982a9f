#include <gtest/gtest.h>
#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <filesystem>
#include <memory>
#include <set>
#include <string>

#include "mainwindowfixture.h"
#include "qtfolderlist.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Names = std::set<std::string>;

Names namesIn(const fs::path& folder) {
  Names names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.insert(entry.path().filename().string());
  return names;
}

// A build folder as scripts/run.sh leaves it, with the settings file the build copies next to
// the program.
class FirstRunTest : public testing::MainWindowTest {
 protected:
  FirstRunTest() {
    build.write("CMakeCache.txt", "");
    for (const char* name : {"batora", "batora-cli"}) build.write(fs::path("bin") / name, name);
    fs::copy_file(fs::path(BATORA_SOURCE_DIR) / "ui" / "Batora.ini", bin / "Batora.ini");
  }

  int firstRun(const QStringList& folder = {}) {
    QProcess script;
    script.setStandardOutputFile(QProcess::nullDevice());
    script.setStandardErrorFile(QProcess::nullDevice());
    script.start(QStringLiteral("bash"),
                 QStringList{QStringLiteral(BATORA_SOURCE_DIR "/scripts/first-run.sh"),
                             QString::fromStdString(build.path().string())} +
                     folder);
    if (!script.waitForFinished()) return -1;
    return script.exitStatus() == QProcess::NormalExit ? script.exitCode() : -1;
  }
  std::string openFolder() const { return find<QtFolderList>("DirLstBox")->path(); }

  testing::TempDir build;
  const fs::path bin = build.path() / "bin";
  const fs::path samples = build.path() / "サンプル写真";
};

// The obvious first try: select all, start, OK, and stay. Only the sample pictures change.
TEST_F(FirstRunTest, WindowOpensOnFreshSamplesAndTheFirstTryRenamesOnlyThem) {
  ASSERT_EQ(firstRun(), 0);
  const Names pictures = namesIn(samples);
  EXPECT_EQ(pictures, namesIn(fs::path(BATORA_SOURCE_DIR) / "samples"));
  const Names program = namesIn(bin);
  openIn(bin);
  EXPECT_EQ(openFolder(), samples.string());
  EXPECT_TRUE(window->settings().OutputLogRename()) << "the shipped settings keep the log on";
  EXPECT_EQ(find<QtListBox>("lstFile")->rowCount(), static_cast<int>(pictures.size()));

  QTest::mouseClick(find<QPushButton>("cmdSelectAll"), Qt::LeftButton);
  QApplication::processEvents();
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  QTest::mouseClick(find<QPushButton>("cmdGo"), Qt::LeftButton);
  ASSERT_EQ(toolkit.boxes.size(), 2u) << toolkit.boxes[0].text;
  EXPECT_NE(toolkit.boxes[1].text.find("エラー０件"), std::string::npos) << toolkit.boxes[1].text;
  const Names renamed = namesIn(samples);
  EXPECT_TRUE(std::all_of(renamed.begin(), renamed.end(),
                          [](const std::string& name) { return name.starts_with("20001231_"); }));
  // Beside the settings: the rename log and the journal an undo reads, nothing else.
  Names programNow = namesIn(bin);
  programNow.erase("Batora.log");
  programNow.erase("BatoraJournal");
  EXPECT_EQ(programNow, program);
  window.reset();

  ASSERT_EQ(firstRun(), 0);
  EXPECT_EQ(namesIn(samples), pictures) << "the next start brings the samples back";
}

TEST_F(FirstRunTest, AnotherFolderCanBeChosenButNotTheProgramsOwn) {
  testing::TempDir other;
  other.write("旅行 #1/a.jpg", "a");
  other.write("旅行/b.jpg", "b");
  ASSERT_EQ(firstRun({QString::fromStdString((other / "旅行").string())}), 0);
  openIn(bin);
  EXPECT_EQ(openFolder(), (other / "旅行").string());
  window.reset();

  const std::string settings = testing::readBytes(bin / "Batora.ini");
  struct Row {
    const char* name;
    fs::path folder;
  };
  const Row refused[] = {
      {"the program's folder", bin},
      {"a folder that does not exist", other / "gone"},
      {"a '#', which the settings file reads as a comment", other / "旅行 #1"},
  };
  for (const Row& row : refused) {
    SCOPED_TRACE(row.name);
    EXPECT_NE(firstRun({QString::fromStdString(row.folder.string())}), 0);
    EXPECT_EQ(testing::readBytes(bin / "Batora.ini"), settings);
  }
}

}  // namespace
}  // namespace batora
