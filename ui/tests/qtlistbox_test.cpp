#include "qtlistbox.h"

#include <gtest/gtest.h>
#include <QAbstractItemModelTester>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <stdexcept>

namespace batora {
namespace {

constexpr int kManyRows = 100'000;

std::vector<std::string> numberedRows(int count) {
  std::vector<std::string> rows;
  for (int i = 0; i < count; ++i) rows.push_back("写真_" + std::to_string(i) + ".jpg");
  return rows;
}

class QtListBoxTest : public ::testing::Test {
 protected:
  QtListBox list;
  // Checks every change the list makes against the rules of Qt's item models.
  QAbstractItemModelTester tester{list.model(),
                                  QAbstractItemModelTester::FailureReportingMode::Fatal};
};

// Rows added or changed one by one follow; a row outside the list is refused.
TEST_F(QtListBoxTest, ManyRowsArriveInOneResetAndTheFocusRowIsNoSelection) {
  list.setRows(numberedRows(3));
  list.setSelected(1, true);
  list.setCurrentRow(2);
  QSignalSpy resets(list.model(), &QAbstractItemModel::modelReset);
  QSignalSpy inserts(list.model(), &QAbstractItemModel::rowsInserted);

  list.fillRows(kManyRows, [](size_t i) { return "写真_" + std::to_string(i) + ".jpg"; });
  EXPECT_EQ(resets.count(), 1);
  EXPECT_EQ(inserts.count(), 0);
  EXPECT_EQ(list.rowCount(), kManyRows);
  EXPECT_EQ(list.rowText(kManyRows - 1), "写真_99999.jpg");
  EXPECT_EQ(list.selectedCount(), 0);
  EXPECT_EQ(list.currentRow(), -1);

  list.setSelected(kManyRows - 1, true);
  list.setCurrentRow(50'000);
  EXPECT_EQ(list.selectedCount(), 1);
  EXPECT_FALSE(list.isSelected(50'000)) << "moving the focus must not select";
  EXPECT_EQ(list.currentRow(), 50'000);
  list.setCurrentRow(-1);
  EXPECT_EQ(list.currentRow(), -1);

  list.addRow("b.jpg");
  list.setRowText(kManyRows, "a.jpg");
  EXPECT_EQ(list.rowText(kManyRows), "a.jpg");
  EXPECT_THROW(list.rowText(kManyRows + 1), std::out_of_range);
  EXPECT_THROW(list.setRowText(-1, "x"), std::out_of_range);
  EXPECT_THROW(list.isSelected(kManyRows + 1), std::out_of_range);
  EXPECT_THROW(list.setCurrentRow(kManyRows + 1), std::out_of_range);
}

// The rows stay in the caller's table: showing a hundred thousand of them reads the few that are
// drawn, and a row moved by hand shows its new text.
TEST_F(QtListBoxTest, ShownRowsAreReadFromTheCallersTableAsTheyAreDrawn) {
  int reads = 0;
  list.fillRows(kManyRows, [&reads](size_t i) {
    ++reads;
    return "row " + std::to_string(i);
  });
  list.resize(200, 300);
  list.show();
  list.scrollToBottom();
  QCoreApplication::processEvents();
  list.QWidget::repaint();
  EXPECT_GT(reads, 0);
  EXPECT_LT(reads, 1000);
  EXPECT_EQ(list.model()->data(list.model()->index(kManyRows - 1, 0)).toString(),
            QStringLiteral("row 99999"));

  list.setRowText(kManyRows - 1, "moved.jpg");
  EXPECT_EQ(list.model()->data(list.model()->index(kManyRows - 1, 0)).toString(),
            QStringLiteral("moved.jpg"));
  list.fillRows(2, [](size_t i) { return "again " + std::to_string(i); });
  EXPECT_EQ(list.rowText(1), "again 1");
}

TEST_F(QtListBoxTest, OverlappingSelectionRangesCountEachRowOnce) {
  list.setRows(numberedRows(20));
  QItemSelection selection(list.model()->index(0, 0), list.model()->index(10, 0));
  selection.select(list.model()->index(5, 0), list.model()->index(15, 0));
  list.selectionModel()->select(selection, QItemSelectionModel::Select);
  EXPECT_EQ(list.selectedCount(), 16);
}

// Like a posted message: applied at the next event processing, to the rows held by then.
TEST_F(QtListBoxTest, PostedSelectAllWaitsForTheNextEventProcessing) {
  list.setRows(numberedRows(2));
  list.postSelectAll(true);
  list.setRows(numberedRows(kManyRows));
  EXPECT_EQ(list.selectedCount(), 0);
  QCoreApplication::processEvents();
  EXPECT_EQ(list.selectedCount(), kManyRows);

  list.postSelectAll(false);
  EXPECT_EQ(list.selectedCount(), kManyRows);
  QCoreApplication::processEvents();
  EXPECT_EQ(list.selectedCount(), 0);
}

// A plain click selects one row, Ctrl adds one, Shift selects the range from the anchor and
// nothing else.
TEST_F(QtListBoxTest, MouseAndKeysSelectLikeAnExtendedSelectionList) {
  list.setRows(numberedRows(10));
  list.resize(200, 400);
  list.show();
  QCoreApplication::processEvents();
  auto clickRow = [this](int row, Qt::KeyboardModifiers modifiers) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers,
                      list.visualRect(list.model()->index(row, 0)).center());
  };

  clickRow(1, Qt::NoModifier);
  clickRow(3, Qt::ControlModifier);
  EXPECT_EQ(list.selectedCount(), 2);
  clickRow(5, Qt::ShiftModifier);
  EXPECT_EQ(list.selectedCount(), 3);
  EXPECT_FALSE(list.isSelected(1));
  EXPECT_EQ(list.currentRow(), 5);
  QTest::keyClick(&list, Qt::Key_Down, Qt::ShiftModifier);
  EXPECT_EQ(list.selectedCount(), 4);
  clickRow(8, Qt::NoModifier);
  EXPECT_EQ(list.selectedCount(), 1);
}

}  // namespace
}  // namespace batora
