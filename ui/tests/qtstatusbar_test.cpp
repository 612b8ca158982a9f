#include "qtstatusbar.h"

#include <gtest/gtest.h>
#include <QCoreApplication>
#include <QImage>
#include <QLayout>
#include <QPixmap>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <memory>
#include <stdexcept>

#include "fakeclock.h"

namespace batora {
namespace {

constexpr std::string_view kKeys[] = {kPanelText, kPanelOutLogRen, kPanelOutLogError, kPanelDate,
                                      kPanelTime};

QIcon solidIcon(QColor colour) {
  QPixmap pixmap(16, 16);
  pixmap.fill(colour);
  return QIcon(pixmap);
}

bool showsColour(QWidget& widget, QColor colour) {
  const QImage image = widget.grab().toImage();
  for (int y = 0; y < image.height(); ++y)
    for (int x = 0; x < image.width(); ++x)
      if (image.pixelColor(x, y) == colour) return true;
  return false;
}

struct PaintCounter : QObject {
  int paints = 0;
  bool eventFilter(QObject*, QEvent* event) override {
    paints += event->type() == QEvent::Paint ? 1 : 0;
    return false;
  }
};

class QtStatusBarTest : public ::testing::Test {
 protected:
  testing::FakeClock clock;
  std::unique_ptr<QtStatusBar> bar;

  void SetUp() override {
    clock.time = {2026, 12, 6, 23, 59, 58};
    bar = std::make_unique<QtStatusBar>(clock);
    bar->resize(800, 24);
    bar->show();
    QCoreApplication::processEvents();
  }
  QWidget& panel(std::string_view key) {
    return *bar->findChild<QWidget*>(QString::fromLatin1(key.data(), qsizetype(key.size())));
  }
};

TEST_F(QtStatusBarTest, PanelsStandLeftToRightAndKeepTheirTextsByKey) {
  int previousRight = -1;
  for (std::string_view key : kKeys) {
    EXPECT_GT(panel(key).x(), previousRight) << key;
    previousRight = panel(key).geometry().right();
  }
  bar->setPanelText(kPanelText, "D:\\写真\\の検索中...");
  EXPECT_EQ(bar->panelText(kPanelText), "D:\\写真\\の検索中...");
  EXPECT_EQ(bar->panelText(kPanelOutLogRen), "");
  EXPECT_THROW(bar->setPanelText("stbptext", "x"), std::out_of_range);
}

TEST_F(QtStatusBarTest, PicturesAreShownOnTheirPanelAndRemoved) {
  const Picture red = bar->registerPicture(solidIcon(Qt::red));
  const Picture blue = bar->registerPicture(solidIcon(Qt::blue));
  EXPECT_TRUE(red);
  EXPECT_NE(red, blue);
  bar->setPanelPicture(kPanelOutLogRen, red);
  bar->setPanelPicture(kPanelOutLogError, blue);
  EXPECT_EQ(bar->panelPicture(kPanelOutLogRen), red);
  EXPECT_EQ(bar->panelPicture(kPanelText), Picture{});
  EXPECT_TRUE(showsColour(panel(kPanelOutLogRen), Qt::red));
  EXPECT_FALSE(showsColour(panel(kPanelOutLogRen), Qt::blue));

  bar->setPanelPicture(kPanelOutLogRen, Picture{});
  EXPECT_EQ(bar->panelPicture(kPanelOutLogRen), Picture{});
  EXPECT_FALSE(showsColour(panel(kPanelOutLogRen), Qt::red));
  EXPECT_TRUE(showsColour(panel(kPanelOutLogError), Qt::blue));
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

class PanelClick : public QtStatusBarTest,
                   public ::testing::WithParamInterface<std::string_view> {};

TEST_P(PanelClick, ReportsTheKeyOfTheClickedPanel) {
  QSignalSpy clicks(bar.get(), &QtStatusBar::panelClicked);
  QTest::mouseClick(&panel(GetParam()), Qt::LeftButton);
  ASSERT_EQ(clicks.count(), 1);
  EXPECT_EQ(clicks.at(0).at(0).toString().toStdString(), GetParam());
}

INSTANTIATE_TEST_SUITE_P(Keys, PanelClick, ::testing::ValuesIn(kKeys),
                         [](const auto& row) { return std::string(row.param); });

TEST_F(QtStatusBarTest, PressThatEndsOutsideThePanelIsNoClick) {
  QSignalSpy clicks(bar.get(), &QtStatusBar::panelClicked);
  QWidget& logPanel = panel(kPanelOutLogRen);
  QTest::mousePress(&logPanel, Qt::LeftButton);
  QTest::mouseRelease(&logPanel, Qt::LeftButton, {}, QPoint(logPanel.width() + 5, 2));
  EXPECT_EQ(clicks.count(), 0);
}

TEST_F(QtStatusBarTest, PanelWidthsAreSetInPixels) {
  bar->setPanelWidth(kPanelText, 300);
  bar->layout()->activate();
  EXPECT_EQ(bar->panelWidth(kPanelText), 300);
  EXPECT_GT(panel(kPanelOutLogRen).x(), 300);
}

// Status texts are written inside loops that do not return to the event loop.
TEST_F(QtStatusBarTest, RepaintPaintsBeforeItReturns) {
  PaintCounter counter;
  panel(kPanelText).installEventFilter(&counter);
  bar->setPanelText(kPanelText, "1件目");
  EXPECT_EQ(counter.paints, 0);
  bar->repaint();
  EXPECT_GE(counter.paints, 1);
}

}  // namespace
}  // namespace batora
