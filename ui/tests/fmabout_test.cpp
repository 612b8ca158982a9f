#include "fmabout.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <filesystem>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "clsinifile.h"
#include "faketoolkit.h"
#include "platform.h"
#include "registry.h"
#include "utf8.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using testing::FakeToolkit;

void showActive(QWidget& window) {
  window.show();
  QApplication::setActiveWindow(&window);
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
}

QString labelText(const fmAbout& box, const char* name) {
  return box.findChild<QLabel*>(QString::fromLatin1(name))->text();
}

// Every showing is a new box. Right after opening, Enter must reach OK, not the system
// information button, which would leave a message or a started program behind.
TEST(fmAboutBox, EachShowingHasTheSameTextsAndClosesWithEnterOrEsc) {
  const std::tuple<const char*, Qt::Key, QDialog::DialogCode> closings[] = {
      {"Enter", Qt::Key_Return, QDialog::Accepted},
      {"keypad Enter", Qt::Key_Enter, QDialog::Accepted},
      {"Esc", Qt::Key_Escape, QDialog::Rejected}};
  FakeToolkit toolkit;
  for (const auto& [name, key, result] : closings) {
    SCOPED_TRACE(name);
    fmAbout box(toolkit);
    showActive(box);
    EXPECT_EQ(labelText(box, "lblTitle"), QStringLiteral("Batora　Ver. 1.1.2"));
    EXPECT_EQ(labelText(box, "lblDescription"), QStringLiteral("ファイル名一括変換ツール"));
    ASSERT_NE(box.focusWidget(), nullptr);
    QTest::keyClick(box.focusWidget(), key);
    EXPECT_FALSE(box.isVisible());
    EXPECT_EQ(box.result(), result);
  }
  EXPECT_TRUE(toolkit.boxes.empty());
  EXPECT_TRUE(toolkit.started.empty());
}

// The box sits in the middle of the toolkit's screen. The look-up behind the system
// information button is tested in common/; here, that the button reaches it and the box stays.
TEST(fmAboutBox, SitsInTheMiddleOfTheScreenAndTheSystemInfoButtonKeepsItOpen) {
  FakeToolkit toolkit;
  toolkit.screen = {1440 * 20, 1440 * 12};  // 20 by 12 inches
  fmAbout box(toolkit);
  const QScreen& screen = *box.screen();
  const QRectF frame = QRectF(box.frameGeometry()).translated(-screen.geometry().topLeft());
  EXPECT_NEAR(frame.center().x(), 10 * screen.logicalDotsPerInchX(), 1.0);
  EXPECT_NEAR(frame.center().y(), 6 * screen.logicalDotsPerInchY(), 1.0);

  showActive(box);
  QTest::mouseClick(box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo")), Qt::LeftButton);
  EXPECT_TRUE(toolkit.started.empty());
  ASSERT_EQ(toolkit.boxes.size(), 1u);
  EXPECT_EQ(toolkit.boxes[0].text, kSystemInfoUnavailable);
  EXPECT_TRUE(box.isVisible());
}

// ---- Files installed next to the executable ----

const fs::path kRuntimeDir = BATORA_RUNTIME_DIR;

const std::string kSettingsKeys[] = {
    "INIT_FINDDIR_OPTION", "INIT_FINDDIR_PATH",  "INIT_SERCH_FILE_NAME", "OUTPUT_LOG_RENAME",
    "OUTPUT_LOG_ERROR",    "DIRPATH_LOG_RENAME", "DIRPATH_LOG_ERROR"};

TEST(RuntimeFiles, HelpPageIsUtf8HtmlThatExplainsEverySetting) {
  const std::optional<std::string> page = platform::readFile(kRuntimeDir / "help" / "index.html");
  ASSERT_TRUE(page.has_value()) << "help/index.html next to the executable";
  EXPECT_EQ(utf8::sanitize(*page), *page) << "valid UTF-8";
  EXPECT_NE(page->find("<meta charset=\"utf-8\">"), std::string::npos);
  for (const std::string& key : kSettingsKeys) EXPECT_NE(page->find(key), std::string::npos) << key;
}

TEST(RuntimeFiles, SettingsFileIsCodePage932WithEveryKeyAndReads) {
  const std::optional<std::string> bytes = platform::readFile(kRuntimeDir / "Batora.ini");
  ASSERT_TRUE(bytes.has_value()) << "Batora.ini next to the executable";
  EXPECT_FALSE(bytes->starts_with("\xEF\xBB\xBF")) << "no UTF-8 byte-order mark";
  for (size_t at = 0; (at = bytes->find_first_of("\r\n", at)) != std::string::npos; at += 2)
    ASSERT_EQ(bytes->substr(at, 2), "\r\n") << "lone CR or LF at byte " << at;
  EXPECT_TRUE(bytes->ends_with("\r\n"));

  const std::string text = platform::cp932ToUtf8(*bytes);
  EXPECT_EQ(text.find(utf8::kReplacement), std::string::npos) << "decodes as code page 932";
  for (const std::string& key : kSettingsKeys)
    EXPECT_NE(text.find("\r\n" + key + " ="), std::string::npos) << key << ": uncommented";

  clsIniFile settings(kRuntimeDir);
  std::vector<std::string> errors;
  ASSERT_TRUE(settings.ReadIniFile(kIniFileName, [&](std::string_view place, std::string_view msg) {
    errors.push_back(std::string(place) + ": " + std::string(msg));
  }));
  EXPECT_TRUE(errors.empty()) << errors.front();
  EXPECT_EQ(settings.DefaultFindDirOption(), "1");
}

}  // namespace
}  // namespace batora
