#include "qtwindow.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QVBoxLayout>
#include <stdexcept>

#include "qttoolkit.h"

namespace batora {
namespace {

// A small window with one control of each kind the walk meets, registered as the walk sees it.
struct SampleWindow {
  QMainWindow window;
  QLabel* label = new QLabel(QStringLiteral("ﾌｧｲﾙ名(&N)"));
  QLineEdit* edit = new QLineEdit;
  QGroupBox* frame = new QGroupBox(QStringLiteral("ﾌｧｲﾙ名設定"));
  QPushButton* go = new QPushButton(QStringLiteral("ﾘﾈｰﾑ開始(&G)"), frame);
  QMenu* fileMenu = window.menuBar()->addMenu(QStringLiteral("ﾌｧｲﾙ(&F)"));
  QAction* divider = fileMenu->addSeparator();
  QAction* end = fileMenu->addAction(QStringLiteral("終了(&Q)"));
  QtWindow walk{window};

  SampleWindow() {
    auto* central = new QWidget;
    auto* column = new QVBoxLayout(central);
    column->addWidget(label);
    column->addWidget(edit);
    column->addWidget(frame);
    window.setCentralWidget(central);
    end->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Q));
    walk.addControl("txtName", ControlKind::kControl, *edit);
    walk.addControl("Label1", ControlKind::kLabel, *label);
    walk.addControl("fraEdit", ControlKind::kFrame, *frame);
    walk.addControl("cmdGo", ControlKind::kControl, *go);
    walk.addMenuItem("mnFile", *fileMenu->menuAction());
    walk.addMenuItem("mnDiv", *divider);
    walk.addMenuItem("mnEnd", *end);
  }
};

TEST(QtWindowWalk, VisitsControlsInRegistrationOrderWithLiveCaptionsAndEnablesThem) {
  SampleWindow sample;
  sample.go->setText(QStringLiteral("待機中 . . ."));
  const std::vector<ControlInfo> expected = {
      {"txtName", ControlKind::kControl, ""},
      {"Label1", ControlKind::kLabel, "ﾌｧｲﾙ名(&N)"},
      {"fraEdit", ControlKind::kFrame, "ﾌｧｲﾙ名設定"},
      {"cmdGo", ControlKind::kControl, "待機中 . . ."},
      {"mnFile", ControlKind::kMenuItem, "ﾌｧｲﾙ(&F)"},
      {"mnDiv", ControlKind::kMenuItem, "-"},
      {"mnEnd", ControlKind::kMenuItem, "終了(&Q)"},
  };
  ASSERT_EQ(sample.walk.controlCount(), static_cast<int>(expected.size()));
  for (int i = 0; i < sample.walk.controlCount(); ++i) {
    const ControlInfo info = sample.walk.controlAt(i);
    SCOPED_TRACE(expected[size_t(i)].name);
    EXPECT_EQ(info.name, expected[size_t(i)].name);
    EXPECT_EQ(info.kind, expected[size_t(i)].kind);
    EXPECT_EQ(info.caption, expected[size_t(i)].caption);
  }
  EXPECT_THROW(sample.walk.controlAt(7), std::out_of_range);

  EXPECT_TRUE(sample.walk.setControlEnabled(3, false));
  EXPECT_TRUE(sample.walk.setControlEnabled(4, false));
  EXPECT_FALSE(sample.go->isEnabled());
  EXPECT_FALSE(sample.fileMenu->menuAction()->isEnabled());
  EXPECT_TRUE(sample.end->isEnabled()) << "the items keep their own state";
  EXPECT_TRUE(sample.walk.setControlEnabled(6, false));
  EXPECT_FALSE(sample.end->isEnabled());
  delete sample.go;
  EXPECT_FALSE(sample.walk.setControlEnabled(3, true)) << "a control that is gone refuses";
}

class QtWindowLock : public ::testing::Test {
 protected:
  SampleWindow sample;
  QSignalSpy goClicks{sample.go, &QPushButton::clicked};
  QSignalSpy endTriggers{sample.end, &QAction::triggered};

  void SetUp() override {
    sample.window.show();
    QApplication::setActiveWindow(&sample.window);
    QCoreApplication::processEvents();
    sample.edit->setFocus();
  }
  void useTheWindow() {
    QTest::keyClicks(sample.edit, QStringLiteral("ab"));
    QTest::mouseClick(sample.go, Qt::LeftButton);
    QTest::keyClick(sample.edit, Qt::Key_Q, Qt::ControlModifier);
  }
};

TEST_F(QtWindowLock, LockedWindowIgnoresKeysClicksAndShortcuts) {
  useTheWindow();
  ASSERT_EQ(endTriggers.count(), 1) << "the shortcut does not reach the window in this setup";

  sample.walk.setInputLocked(true);
  sample.walk.setInputLocked(true);
  useTheWindow();
  EXPECT_EQ(sample.edit->text(), QStringLiteral("ab"));
  EXPECT_EQ(goClicks.count(), 1);
  EXPECT_EQ(endTriggers.count(), 1);
  EXPECT_TRUE(sample.edit->isEnabled()) << "locking must not grey the controls";

  sample.walk.setInputLocked(false);
  useTheWindow();
  EXPECT_EQ(sample.edit->text(), QStringLiteral("abab"));
  EXPECT_EQ(goClicks.count(), 2);
  EXPECT_EQ(endTriggers.count(), 2);
}

TEST_F(QtWindowLock, OtherWindowsAndBoxesOfTheLockedWindowStayUsable) {
  QLineEdit other;
  other.show();
  sample.walk.setInputLocked(true);
  QTest::keyClicks(&other, QStringLiteral("x"));
  EXPECT_EQ(other.text(), QStringLiteral("x"));

  QTemporaryDir folder;
  QtToolkit toolkit(folder.filePath("batora.lock"));
  toolkit.setDialogParent(&sample.window);
  QTimer::singleShot(0, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr);
    QTest::mouseClick(box->button(QMessageBox::Yes), Qt::LeftButton);
  });
  EXPECT_EQ(toolkit.messageBox("上書きしますか？", "Batora", mb::kYesNo), mb::kIdYes);
}

TEST(QtWindowLockLifetime, DestroyingALockedWindowLeavesInputAlone) {
  QLineEdit other;
  std::make_unique<SampleWindow>()->walk.setInputLocked(true);
  QTest::keyClicks(&other, QStringLiteral("x"));
  EXPECT_EQ(other.text(), QStringLiteral("x"));
}

}  // namespace
}  // namespace batora
