#include "fmabout.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <cmath>
#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <tuple>
#include <vector>

#include "clsinifile.h"
#include "faketoolkit.h"
#include "platform.h"
#include "registry.h"
#include "tempdir.h"
#include "utf8.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using testing::FakeToolkit;
using testing::TempDir;

const QString kTitle = QStringLiteral("Batora　Ver. 1.1.2");
const QString kDescription = QStringLiteral("ファイル名一括変換ツール");

int pixels(int twips, qreal dpi) {
  return static_cast<int>(std::lround(twips * dpi / 1440.0));
}

template <typename T>
T* control(const fmAbout& box, const char* name) {
  T* found = box.findChild<T*>(QString::fromLatin1(name));
  if (found == nullptr) throw std::runtime_error(std::string("no control ") + name);
  return found;
}

void showActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

// ---- The box as the user sees it ----

TEST(fmAboutBox, ShowsNameVersionAndDescription) {
  FakeToolkit toolkit;
  fmAbout box(toolkit);
  EXPECT_EQ(box.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
  EXPECT_EQ(control<QLabel>(box, "lblTitle")->text(), kTitle);
  EXPECT_EQ(control<QLabel>(box, "lblDescription")->text(), kDescription);
  EXPECT_EQ(control<QPushButton>(box, "cmdOK")->text(), QStringLiteral("OK"));
  EXPECT_EQ(control<QPushButton>(box, "cmdSysInfo")->text(), QStringLiteral("ｼｽﾃﾑ情報(&S)..."));
  EXPECT_FALSE(control<QLabel>(box, "picIcon")->pixmap().isNull()) << "the program icon";
}

TEST(fmAboutBox, SecondShowingShowsTheSameTexts) {
  FakeToolkit toolkit;
  std::vector<std::pair<QString, QString>> shown;
  for (int showing = 0; showing < 2; ++showing) {
    auto box = std::make_unique<fmAbout>(toolkit);
    showActive(*box);
    ASSERT_NE(box->focusWidget(), nullptr);
    shown.emplace_back(control<QLabel>(*box, "lblTitle")->text(),
                       control<QLabel>(*box, "lblDescription")->text());
    QTest::keyClick(box->focusWidget(), Qt::Key_Escape);
  }
  EXPECT_EQ(shown[0], shown[1]);
  EXPECT_EQ(shown[1].first, kTitle);
}

TEST(fmAboutBox, FixedClientAreaControlsInTwipsAndTabOrder) {
  FakeToolkit toolkit;
  fmAbout box(toolkit);
  const qreal dpiX = box.screen()->logicalDotsPerInchX();
  const qreal dpiY = box.screen()->logicalDotsPerInchY();
  const auto rect = [&](int left, int top, int width, int height) {
    return QRect(pixels(left, dpiX), pixels(top, dpiY), pixels(width, dpiX), pixels(height, dpiY));
  };

  EXPECT_EQ(box.size(), QSize(pixels(5490, dpiX), pixels(2625, dpiY)));
  EXPECT_EQ(box.minimumSize(), box.maximumSize()) << "the border is fixed";

  const std::vector<std::tuple<const char*, QRect>> placed = {
      {"cmdOK", rect(4080, 1185, 1310, 345)},
      {"cmdSysInfo", rect(4080, 1635, 1310, 345)},
      {"lblDescription", rect(1500, 660, 2325, 330)},
      {"lblTitle", rect(1380, 315, 3045, 345)},
      {"picIcon", QRect(pixels(660, dpiX), pixels(240, dpiY), 32, 32)},
  };
  for (const auto& [name, expected] : placed) {
    SCOPED_TRACE(name);
    EXPECT_EQ(control<QWidget>(box, name)->geometry(), expected);
  }

  const QFont title = control<QLabel>(box, "lblTitle")->font();
  EXPECT_TRUE(title.bold());
  EXPECT_DOUBLE_EQ(title.pointSizeF(), 11.25);
  ASSERT_FALSE(title.families().isEmpty());
  EXPECT_EQ(title.families().front(), QStringLiteral("ＭＳ Ｐ明朝"));

  EXPECT_EQ(control<QWidget>(box, "cmdOK")->nextInFocusChain(),
            control<QWidget>(box, "cmdSysInfo"));
}

TEST(fmAboutBox, EtchedRuleIsGreyOverTwoWhitePixelRows) {
  FakeToolkit toolkit;
  fmAbout box(toolkit);
  const QImage image = box.grab().toImage();
  const int white = pixels(1080, box.screen()->logicalDotsPerInchY());
  const int x = box.width() / 2;
  EXPECT_EQ(image.pixelColor(x, white - 1), QColor(128, 128, 128));
  EXPECT_EQ(image.pixelColor(x, white), QColor(255, 255, 255));
  EXPECT_EQ(image.pixelColor(x, white + 1), QColor(255, 255, 255));
  EXPECT_NE(image.pixelColor(x, white + 2), QColor(255, 255, 255));
}

// ---- Closing ----

struct CloseKey {
  const char* name;
  Qt::Key key;
  QDialog::DialogCode result;
};

class fmAboutClose : public ::testing::TestWithParam<CloseKey> {};

TEST_P(fmAboutClose, KeyRightAfterOpeningClosesTheBox) {
  FakeToolkit toolkit;
  fmAbout box(toolkit);
  showActive(box);
  ASSERT_EQ(box.focusWidget(), control<QPushButton>(box, "cmdOK")) << "first in tab order";
  QTest::keyClick(box.focusWidget(), GetParam().key);
  EXPECT_FALSE(box.isVisible());
  EXPECT_EQ(box.result(), GetParam().result);
  EXPECT_TRUE(toolkit.boxes.empty());
  EXPECT_TRUE(toolkit.started.empty());
}

INSTANTIATE_TEST_SUITE_P(Keys, fmAboutClose,
                         ::testing::Values(CloseKey{"Enter", Qt::Key_Return, QDialog::Accepted},
                                           CloseKey{"Keypad_Enter", Qt::Key_Enter,
                                                    QDialog::Accepted},
                                           CloseKey{"Esc", Qt::Key_Escape, QDialog::Rejected}),
                         [](const auto& row) { return std::string(row.param.name); });

// ---- Centring ----

TEST(fmAboutCentre, HalvesTheRoundedDifferenceDroppingTheRemainderTowardsZero) {
  struct Row {
    const char* name;
    double screen;
    double window;
    long left;
  };
  const std::vector<Row> rows = {
      {"even difference", 20000, 5490, 7255},
      {"odd difference drops the half", 1001, 0, 500},
      {"fraction rounds before halving", 1000, 332.3, 334},
      {"window wider than the screen", 100, 301, -100},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_EQ(centredTwips(row.screen, row.window), row.left);
  }
}

TEST(fmAboutCentre, BoxSitsInTheMiddleOfTheToolkitsScreen) {
  FakeToolkit toolkit;
  toolkit.screen = {1440 * 20, 1440 * 12};
  fmAbout box(toolkit);
  const QScreen& screen = *box.screen();
  const QPoint origin = screen.geometry().topLeft();
  const double middleX =
      static_cast<double>(toolkit.screen.width) * screen.logicalDotsPerInchX() / 1440.0 / 2;
  const double middleY =
      static_cast<double>(toolkit.screen.height) * screen.logicalDotsPerInchY() / 1440.0 / 2;
  const QRect frame = box.frameGeometry();
  EXPECT_NEAR(frame.x() - origin.x() + frame.width() / 2.0, middleX, 1.0);
  EXPECT_NEAR(frame.y() - origin.y() + frame.height() / 2.0, middleY, 1.0);
}

// ---- System information ----

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

// A scripted registry that answers the two values the search reads and records every look-up.
class Registry {
 public:
  std::optional<std::string> msinfoPath;
  std::optional<std::string> sharedToolsLocation;
  std::vector<LookUpCall> calls;
  std::vector<std::string> fileChecks;

  SystemInfoProbes probes() {
    SystemInfoProbes p;
    p.readValue = [this](RegistryRoot root, std::string_view key, std::string_view value,
                         std::string& out) {
      const LookUpCall call{root, std::string(key), std::string(value)};
      calls.push_back(call);
      std::optional<std::string> found;
      if (call == kPathLookUp) found = msinfoPath;
      if (call == kLocationLookUp) found = sharedToolsLocation;
      out = found.value_or("");
      return found.has_value();
    };
    p.fileExists = [this](std::string_view path) {
      fileChecks.emplace_back(path);
      return isVisibleFile(path);
    };
    return p;
  }
};

void expectUnavailableBox(const FakeToolkit& toolkit) {
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0].text, "現時点ではｼｽﾃﾑ情報を使用できません");
  EXPECT_EQ(toolkit.boxes[0].title, "Batora");
  EXPECT_EQ(toolkit.boxes[0].style, 0);
  EXPECT_EQ(toolkit.beeps, 0) << "shown directly, not through the error reporter";
}

// Where the location value points: nowhere, or a real folder prepared for the row.
enum class Location { kNone, kWithTool, kEmpty, kToolIsAFolder };

TEST(SystemInfoStart, StartsTheToolTheRegistryLeadsToOrShowsTheMessage) {
  struct Row {
    const char* name;
    std::optional<std::string> path;
    Location location;
    bool startSucceeds;
    // What is started: "" nothing, "<tool>" the tool in the location folder, else that path.
    std::string started;
    bool readsLocation;
  };
  const std::string tool = "/nowhere/msinfo32.exe";
  const std::optional<std::string> noPath;
  const std::vector<Row> rows = {
      {"PATH started as it stands", tool, Location::kWithTool, true, tool, false},
      {"PATH fails to start, no fall-back", tool, Location::kWithTool, false, tool, false},
      {"location folder with the tool", noPath, Location::kWithTool, true, "<tool>", true},
      {"location tool fails to start", noPath, Location::kWithTool, false, "<tool>", true},
      {"neither value", noPath, Location::kNone, true, "", true},
      {"location folder without the tool", noPath, Location::kEmpty, true, "", true},
      {"tool name taken by a folder", noPath, Location::kToolIsAFolder, true, "", true},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    TempDir dir;
    if (row.location == Location::kWithTool) dir.write("MSINFO32.EXE", "");
    if (row.location == Location::kToolIsAFolder) dir.mkdir("MSINFO32.EXE");
    Registry registry;
    registry.msinfoPath = row.path;
    if (row.location != Location::kNone) registry.sharedToolsLocation = dir.path().string();
    FakeToolkit toolkit;
    toolkit.startSucceeds = row.startSucceeds;

    startSystemInfo(toolkit, registry.probes());

    const std::vector<LookUpCall> calls =
        row.readsLocation ? std::vector<LookUpCall>{kPathLookUp, kLocationLookUp}
                          : std::vector<LookUpCall>{kPathLookUp};
    EXPECT_EQ(registry.calls, calls);
    if (row.path) {
      EXPECT_TRUE(registry.fileChecks.empty()) << "the PATH value is not checked";
    }
    if (row.started.empty()) {
      EXPECT_TRUE(toolkit.started.empty());
    } else {
      ASSERT_EQ(toolkit.started.size(), 1u);
      const fs::path expected =
          row.started == "<tool>" ? dir / "MSINFO32.EXE" : fs::path(row.started);
      EXPECT_EQ(fs::path(toolkit.started[0].program), expected);
      EXPECT_TRUE(toolkit.started[0].args.empty());
    }
    if (!row.started.empty() && row.startSucceeds) {
      EXPECT_TRUE(toolkit.boxes.empty());
    } else {
      expectUnavailableBox(toolkit);
    }
  }
}

TEST(SystemInfoStart, LookUpThatBreaksDownShowsTheMessage) {
  FakeToolkit toolkit;
  SystemInfoProbes probes;
  probes.readValue = [](RegistryRoot, std::string_view, std::string_view, std::string&) -> bool {
    throw std::runtime_error("registry gone");
  };
  startSystemInfo(toolkit, probes);
  expectUnavailableBox(toolkit);
}

TEST(SystemInfoStart, ThisPlatformHasNoRegistrySoTheLookUpFails) {
  std::string value = "left from before";
  EXPECT_FALSE(GetKeyValue(RegistryRoot::kLocalMachine, "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO",
                           "PATH", value));
  EXPECT_EQ(value, "");
}

TEST(SystemInfoStart, OnlyPlainVisibleFilesCount) {
  TempDir dir;
  dir.write("tool", "");
  dir.write(".tool", "");
  dir.mkdir("folder");
  fs::create_symlink(dir / "tool", dir / "link");
  EXPECT_TRUE(isVisibleFile((dir / "tool").string()));
  EXPECT_TRUE(isVisibleFile((dir / "link").string()));
  EXPECT_FALSE(isVisibleFile((dir / ".tool").string())) << "hidden";
  EXPECT_FALSE(isVisibleFile((dir / "folder").string()));
  EXPECT_FALSE(isVisibleFile((dir / "missing").string()));
  EXPECT_FALSE(isVisibleFile(""));
}

TEST(SystemInfoButton, ClickOnThisPlatformShowsTheMessageAndKeepsTheBoxOpen) {
  FakeToolkit toolkit;
  fmAbout box(toolkit);
  showActive(box);
  QTest::mouseClick(control<QPushButton>(box, "cmdSysInfo"), Qt::LeftButton);
  EXPECT_TRUE(toolkit.started.empty());
  expectUnavailableBox(toolkit);
  EXPECT_TRUE(box.isVisible());
}

// ---- Files installed next to the executable ----

const fs::path kRuntimeDir = BATORA_RUNTIME_DIR;

const std::vector<std::string> kSettingsKeys = {
    "INIT_FINDDIR_OPTION", "INIT_FINDDIR_PATH",  "INIT_SERCH_FILE_NAME", "OUTPUT_LOG_RENAME",
    "OUTPUT_LOG_ERROR",    "DIRPATH_LOG_RENAME", "DIRPATH_LOG_ERROR"};

TEST(RuntimeFiles, HelpPageIsUtf8HtmlThatExplainsEverySetting) {
  const std::optional<std::string> page = platform::readFile(kRuntimeDir / "help" / "index.html");
  ASSERT_TRUE(page.has_value()) << "help/index.html next to the executable";
  EXPECT_EQ(utf8::sanitize(*page), *page) << "valid UTF-8";
  EXPECT_NE(page->find("<meta charset=\"utf-8\">"), std::string::npos);
  EXPECT_NE(page->find("lang=\"ja\""), std::string::npos);
  for (const std::string& key : kSettingsKeys) {
    SCOPED_TRACE(key);
    EXPECT_NE(page->find(key), std::string::npos);
  }
}

TEST(RuntimeFiles, SettingsFileIsCodePage932WithEveryKeyAndReads) {
  const std::optional<std::string> bytes = platform::readFile(kRuntimeDir / "Batora.ini");
  ASSERT_TRUE(bytes.has_value()) << "Batora.ini next to the executable";
  EXPECT_FALSE(bytes->starts_with("\xEF\xBB\xBF")) << "no UTF-8 byte-order mark";

  for (size_t i = 0; i < bytes->size(); ++i) {
    if ((*bytes)[i] == '\n') {
      ASSERT_TRUE(i > 0 && (*bytes)[i - 1] == '\r') << "lone LF at byte " << i;
    } else if ((*bytes)[i] == '\r') {
      ASSERT_TRUE(i + 1 < bytes->size() && (*bytes)[i + 1] == '\n') << "lone CR at byte " << i;
    }
  }
  ASSERT_TRUE(bytes->ends_with("\r\n"));

  const std::string text = platform::cp932ToUtf8(*bytes);
  EXPECT_EQ(text.find(utf8::kReplacement), std::string::npos) << "decodes as code page 932";
  EXPECT_NE(text.find("設定ファイル"), std::string::npos) << "Japanese comments decode as such";
  for (const std::string& key : kSettingsKeys) {
    SCOPED_TRACE(key);
    EXPECT_NE(text.find("\r\n" + key + " ="), std::string::npos) << "an uncommented line";
  }

  clsIniFile settings(kRuntimeDir);
  std::vector<std::string> errorLines;
  ASSERT_TRUE(settings.ReadIniFile(kIniFileName, [&](std::string_view place, std::string_view msg) {
    errorLines.push_back(std::string(place) + ": " + std::string(msg));
  }));
  EXPECT_TRUE(errorLines.empty()) << errorLines.front();
  EXPECT_EQ(settings.DefaultFindDirOption(), "1");
  EXPECT_EQ(settings.DefaultFindDirPath(), "");
  EXPECT_EQ(settings.SerchFileName(), "*.*");
  EXPECT_TRUE(settings.OutputLogRename());
  EXPECT_TRUE(settings.OutputLogError());
  EXPECT_EQ(settings.LogRename_FName(), kRuntimeDir / "Batora.log");
  EXPECT_EQ(settings.LogErr_FName(), kRuntimeDir / "BatoraEr.log");
}

}  // namespace
}  // namespace batora
