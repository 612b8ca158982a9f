// The folder choice and the log commands, driven through the real window.

#include <QDropEvent>
#include <QMimeData>
#include <QUrl>

#include "mainwindowfixture.h"
#include "platform.h"
#include "qtfolderlist.h"
#include "qtlogviewer.h"

namespace batora {
namespace {

using testing::MainWindowTest;

class FolderChoiceWindowTest : public MainWindowTest {
 protected:
  void SetUp() override {
    open("INIT_SERCH_FILE_NAME=*.jpg\r\nOUTPUT_LOG_RENAME=1\r\n");
    searches->clear();
  }
  // A drop as the desktop delivers it, on the file list.
  void drop(QMimeData* data) {
    QWidget* target = find<QtListBox>("lstFile")->viewport();
    const QPoint at = target->rect().center();
    QDragEnterEvent enter(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &enter);
    ASSERT_TRUE(enter.isAccepted());
    QDropEvent dropped(at, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(target, &dropped);
    delete data;
  }
  static QMimeData* files(std::initializer_list<std::filesystem::path> paths) {
    auto* data = new QMimeData;
    QList<QUrl> urls;
    for (const auto& p : paths) urls << QUrl::fromLocalFile(QString::fromStdString(p.string()));
    data->setUrls(urls);
    return data;
  }
  std::string folder() const { return find<QtFolderList>("DirLstBox")->path(); }
  int searchCount() const { return static_cast<int>(searches->count()) / 2; }
};

TEST_F(FolderChoiceWindowTest, OnlyASingleDroppedFolderIsTakenAndSearchedOnce) {
  drop(files({dir / "a.jpg"}));
  drop(files({dir / "sub", dir / "sub" / "deeper"}));
  auto* text = new QMimeData;
  text->setText(QStringLiteral("写真"));
  drop(text);
  ASSERT_EQ(toolkit.boxes.size(), 3u);
  EXPECT_EQ(toolkit.boxes[0].text, "フォルダ以外は指定できません。");
  EXPECT_EQ(toolkit.boxes[1].text, "複数のターゲットは指定できません。");
  EXPECT_EQ(toolkit.boxes[2].text, "このオブジェクトは指定できません。");
  EXPECT_EQ(folder(), dir.path().string());
  EXPECT_EQ(searchCount(), 0);

  drop(files({dir / "sub"}));
  EXPECT_EQ(folder(), (dir / "sub").string());
  EXPECT_EQ(searchCount(), 1);
  EXPECT_EQ(rows(), std::vector<std::string>{"d.jpg"});
  EXPECT_EQ(toolkit.boxes.size(), 3u);
}

// The menu's Ctrl+C and Ctrl+P win over the text box's own copy and paste.
TEST_F(FolderChoiceWindowTest, CtrlCCopiesAndCtrlPPastesTheFolderFromInsideATextBox) {
  auto* name = find<QLineEdit>("txtName");
  name->setFocus();
  name->selectAll();
  QTest::keyClick(name, Qt::Key_C, Qt::ControlModifier);
  EXPECT_EQ(toolkit.clipboardText(), dir.path().string());
  toolkit.setClipboardText("  " + (dir / "sub" / "deeper").string() + "  ");
  QTest::keyClick(name, Qt::Key_P, Qt::ControlModifier);
  EXPECT_EQ(folder(), (dir / "sub" / "deeper").string());
  EXPECT_EQ(searchCount(), 1);
  EXPECT_EQ(rows(), std::vector<std::string>{"e.jpg"});
}

TEST_F(FolderChoiceWindowTest, PatternBoxRefusesSeparatorsAndEnterAppliesIt) {
  auto* box = find<QLineEdit>("txtSerchFile");
  box->clear();
  QTest::keyClicks(box, "..\\x");
  EXPECT_EQ(box->text(), "..x");
  EXPECT_EQ(window->objCtrl().SerchFileName(), "x");
  EXPECT_EQ(searchCount(), 0);
  QTest::keyClick(box, Qt::Key_Return);
  EXPECT_EQ(box->text(), "x");
  EXPECT_EQ(searchCount(), 1);
}

TEST_F(FolderChoiceWindowTest, LogViewerShowsTheJapaneseOfACodePage932Log) {
  auto* view = window->findChild<QAction*>(QStringLiteral("mnViewRenLog"));
  const std::string line =
      "*** 2000/12/31 09:05:07, [/写真/夏.jpg -> /写真/ﾘﾈｰﾑ01.jpg] リネーム正常終了 ***";
  dir.write("Batora.log", platform::utf8ToCp932(line + "\r\n"));
  view->trigger();
  auto* log = window->findChild<LogWindow*>(QStringLiteral("LogWindow"));
  ASSERT_NE(log, nullptr);
  EXPECT_TRUE(log->isVisible());
  EXPECT_FALSE(log->isModal());
  EXPECT_EQ(log->text().trimmed(), QString::fromStdString(line));
}

}  // namespace
}  // namespace batora
