#include "qtstatusbar.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>

#include "fakeclock.h"

namespace batora {
namespace {

class QtStatusBarTest : public ::testing::Test {
 protected:
  QtStatusBarTest() {
    clock.time = {2026, 12, 6, 23, 59, 58};
    bar = std::make_unique<QtStatusBar>(clock, fmMainLayout().panels);
    bar->resize(800, 24);
    bar->show();
    QCoreApplication::processEvents();
  }
  QWidget& panel(std::string_view key) {
    return *bar->findChild<QWidget*>(QString::fromLatin1(key.data(), qsizetype(key.size())));
  }

  testing::FakeClock clock;
  std::unique_ptr<QtStatusBar> bar;
};

TEST_F(QtStatusBarTest, PanelsKeepTextsAndPicturesByKey) {
  bar->setPanelText(kPanelText, "D:\\写真\\の検索中...");
  EXPECT_EQ(bar->panelText(kPanelText), "D:\\写真\\の検索中...");
  EXPECT_EQ(bar->panelText(kPanelOutLogRen), "");
  EXPECT_THROW(bar->setPanelText("stbptext", "x"), std::out_of_range);

  const Picture first = bar->registerPicture(QIcon());
  const Picture second = bar->registerPicture(QIcon());
  EXPECT_TRUE(first);
  EXPECT_NE(first, second);
  bar->setPanelPicture(kPanelOutLogRen, second);
  EXPECT_EQ(bar->panelPicture(kPanelOutLogRen), second);
  EXPECT_EQ(bar->panelPicture(kPanelText), Picture{});
  bar->setPanelPicture(kPanelOutLogRen, Picture{});
  EXPECT_EQ(bar->panelPicture(kPanelOutLogRen), Picture{});
  EXPECT_THROW(bar->setPanelPicture(kPanelOutLogRen, Picture{3}), std::out_of_range);
}

TEST_F(QtStatusBarTest, DateAndTimeFollowTheClockAcrossMidnightAndShowWhole) {
  EXPECT_EQ(bar->panelText(kPanelDate), "2026/12/06");
  EXPECT_EQ(bar->panelText(kPanelTime), "23:59");
  auto* timer = bar->findChild<QTimer*>();
  ASSERT_NE(timer, nullptr);
  EXPECT_TRUE(timer->isActive());
  EXPECT_LE(timer->remainingTime(), 2000) << "the panel would miss the next minute";

  clock.time = {2026, 12, 7, 0, 0, 0};
  QMetaObject::invokeMethod(timer, "timeout");
  EXPECT_EQ(bar->panelText(kPanelDate), "2026/12/07");
  EXPECT_EQ(bar->panelText(kPanelTime), "00:00");
  EXPECT_TRUE(timer->isActive()) << "the panels must stay current after the first update";

  for (std::string_view key : {kPanelDate, kPanelTime}) {
    const QString text = QString::fromStdString(bar->panelText(key));
    EXPECT_GT(panel(key).contentsRect().width(), panel(key).fontMetrics().horizontalAdvance(text))
        << key;
  }
}

// A click counts when the left button is pressed and released on the same panel.
TEST_F(QtStatusBarTest, ClickReportsThePanelsKey) {
  QSignalSpy clicks(bar.get(), &QtStatusBar::panelClicked);
  for (std::string_view key :
       {kPanelText, kPanelOutLogRen, kPanelOutLogError, kPanelDate, kPanelTime}) {
    SCOPED_TRACE(key);
    clicks.clear();
    QTest::mouseClick(&panel(key), Qt::LeftButton);
    ASSERT_EQ(clicks.count(), 1);
    EXPECT_EQ(clicks.at(0).at(0).toString().toStdString(), key);
  }
  clicks.clear();
  QWidget& logPanel = panel(kPanelOutLogRen);
  QTest::mousePress(&logPanel, Qt::LeftButton);
  QTest::mouseRelease(&logPanel, Qt::LeftButton, {}, QPoint(logPanel.width() + 5, 2));
  EXPECT_EQ(clicks.count(), 0) << "released outside the panel";
}

}  // namespace
}  // namespace batora
