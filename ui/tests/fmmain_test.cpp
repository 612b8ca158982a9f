#include "fmmain.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "mainwindowfixture.h"
#include "qtfolderlist.h"
#include "qtlistbox.h"
#include "tempdir.h"

namespace batora {
namespace {

using testing::MainWindowTest;
using Rows = std::vector<std::string>;

// The start-up rules themselves are tested headless with the form logic; here, that the Qt
// widgets raise each event once: the start folder is set before a depth is chosen and does not
// search, so the depth option's search is the only one. Then the access keys of the labels move
// the focus, the sample follows every field and the fields' limits hold.
TEST_F(MainWindowTest, OpensWithTheStartValuesAndTheFieldsWork) {
  open();
  EXPECT_EQ(find<QtFolderList>("DirLstBox")->path(), dir.path().string());
  EXPECT_EQ(searches->count(), 1 * 2);
  EXPECT_EQ(rows(), (Rows{"a.jpg", "b.jpg", "Batora.ini", "c.txt"}));
  EXPECT_EQ(text("txtSample"), "20001231_01.jpg");
  EXPECT_FALSE(find<QPushButton>("cmdStop")->isEnabled());

  const std::pair<Qt::Key, const char*> keys[] = {
      {Qt::Key_M, "DrvLstBox"}, {Qt::Key_T, "DirLstBox"}, {Qt::Key_I, "txtSerchFile"},
      {Qt::Key_N, "lstFile"},   {Qt::Key_C, "txtName"},   {Qt::Key_P, "txtExp"},
      {Qt::Key_Q, "txtSeq"}};
  for (auto [key, name] : keys) {
    SCOPED_TRACE(name);
    QTest::keyClick(window.get(), key, Qt::AltModifier);
    ASSERT_NE(QApplication::focusWidget(), nullptr);
    EXPECT_EQ(QApplication::focusWidget()->objectName(), name);
  }

  auto* name = find<QLineEdit>("txtName");
  name->clear();
  QTest::keyClicks(name, "photo_of_the_summer_2000");
  EXPECT_EQ(name->text(), "photo_of_the_sum");  // 16 characters at most
  EXPECT_EQ(text("txtSample"), "photo_of_the_sum01.jpg");
  auto* seq = find<QLineEdit>("txtSeq");
  seq->selectAll();
  QTest::keyClicks(seq, "45");
  EXPECT_EQ(seq->text(), "4");
  EXPECT_EQ(text("txtSample"), "photo_of_the_sum0001.jpg");
  auto* ext = find<QLineEdit>("txtExp");
  ext->clear();
  QTest::keyClicks(ext, "tiffxx");
  EXPECT_EQ(ext->text(), "tiffx");
  QTest::mouseClick(find<QCheckBox>("chbBackSeq"), Qt::LeftButton);
  EXPECT_EQ(text("txtSample"), "0001photo_of_the_sum.tiffx");
}

TEST_F(MainWindowTest, WholeRenameFromTheWindow) {
  open("OUTPUT_LOG_RENAME=1\r\nINIT_SERCH_FILE_NAME=*.jpg\r\n");
  find<QLineEdit>("txtName")->setText(QStringLiteral("p"));
  QTest::mouseClick(find<QCheckBox>("ckbSortDesc"), Qt::LeftButton);
  QTest::mouseClick(find<QPushButton>("cmdSelectAll"), Qt::LeftButton);
  QApplication::processEvents();
  EXPECT_EQ(find<QLabel>("lblSelNum")->text(), "選択ファイル数 : 2");
  bool closeRefused = false;
  int yields = 0;
  toolkit.onYield = [&] {
    QApplication::processEvents();
    if (++yields == 2) {
      window->close();  // the close box during a run
      closeRefused = window->isVisible();
    }
  };
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  QTest::keyClick(window.get(), Qt::Key_G, Qt::ControlModifier);
  EXPECT_TRUE(closeRefused);
  ASSERT_EQ(toolkit.boxes.size(), 2u);
  EXPECT_EQ(toolkit.boxes[0].style, 33);
  EXPECT_NE(toolkit.boxes[1].text.find("２件中 エラー０件"), std::string::npos);
  // Searched again and sorted by name in the direction of the descending box.
  EXPECT_EQ(rows(), (Rows{"p02.jpg", "p01.jpg"}));
  EXPECT_EQ(testing::readBytes(dir / "p01.jpg"), "a.jpg");
  EXPECT_EQ(find<QLabel>("lblSelNum")->text(), "選択ファイル数 : 0");
  EXPECT_EQ(find<QPushButton>("cmdStop")->text(), "ﾘﾈｰﾑ中断(&X)");
  EXPECT_FALSE(find<QPushButton>("cmdStop")->isEnabled());
}

}  // namespace
}  // namespace batora
