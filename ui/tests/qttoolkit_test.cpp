#include "qttoolkit.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QClipboard>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>

namespace batora {
namespace {

using BoxAction = std::function<void(QMessageBox&)>;

// Shows a box and lets `act` answer it once it is up.
int answerBox(QtToolkit& toolkit, int style, const BoxAction& act, std::string_view text = "") {
  QTimer::singleShot(0, [&act] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    ASSERT_NE(box, nullptr) << "no message box is open";
    act(*box);
  });
  return toolkit.messageBox(text, "Batora", style);
}

BoxAction click(QMessageBox::StandardButton which) {
  return [which](QMessageBox& box) { QTest::mouseClick(box.button(which), Qt::LeftButton); };
}
BoxAction press(Qt::Key key) {
  return [key](QMessageBox& box) { QTest::keyClick(&box, key); };
}
const BoxAction kClose = [](QMessageBox& box) { box.close(); };
const BoxAction kReject = [](QMessageBox& box) { box.reject(); };

class QtToolkitTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  QString lockPath() const { return folder.filePath("batora.lock"); }
};

struct Answer {
  const char* name;
  int style;
  QMessageBox::Icon icon;
  int visibleButtons;
  BoxAction act;
  int expected;
};

class MessageBox : public QtToolkitTest, public ::testing::WithParamInterface<Answer> {};

TEST_P(MessageBox, ShowsTheStyleAndAnswersTheWayTheBoxWasLeft) {
  QtToolkit toolkit(lockPath());
  const Answer& row = GetParam();
  const int answer = answerBox(toolkit, row.style, [&row](QMessageBox& box) {
    EXPECT_EQ(box.icon(), row.icon);
    int visible = 0;
    for (QAbstractButton* button : box.buttons()) visible += button->isVisible() ? 1 : 0;
    EXPECT_EQ(visible, row.visibleButtons);
    row.act(box);
  });
  EXPECT_EQ(answer, row.expected);
}

using enum QMessageBox::Icon;
INSTANTIATE_TEST_SUITE_P(
    Styles, MessageBox,
    ::testing::Values(Answer{"OkClickOk", 16, Critical, 1, click(QMessageBox::Ok), 1},
                      Answer{"OkEnter", 0, NoIcon, 1, press(Qt::Key_Return), 1},
                      Answer{"OkEscape", 64, Information, 1, press(Qt::Key_Escape), 2},
                      Answer{"OkClose", 48, Warning, 1, kClose, 2},
                      Answer{"OkCancelClickOk", 1, NoIcon, 2, click(QMessageBox::Ok), 1},
                      Answer{"OkCancelClickCancel", 1, NoIcon, 2, click(QMessageBox::Cancel), 2},
                      Answer{"OkCancelEnter", 33, Question, 2, press(Qt::Key_Return), 1},
                      Answer{"OkCancelEscape", 1, NoIcon, 2, press(Qt::Key_Escape), 2},
                      Answer{"OkCancelClose", 1, NoIcon, 2, kClose, 2},
                      Answer{"OkCancelReject", 1, NoIcon, 2, kReject, 2},
                      Answer{"YesNoClickYes", 36, Question, 2, click(QMessageBox::Yes), 6},
                      Answer{"YesNoClickNo", 52, Warning, 2, click(QMessageBox::No), 7},
                      Answer{"YesNoEnter", 4, NoIcon, 2, press(Qt::Key_Return), 6},
                      Answer{"YesNoEscape", 4, NoIcon, 2, press(Qt::Key_Escape), 7},
                      Answer{"YesNoClose", 4, NoIcon, 2, kClose, 7}),
    [](const auto& row) { return std::string(row.param.name); });

TEST_F(QtToolkitTest, BoxShowsTitleAndTextWithItsLineBreaksAsPlainText) {
  QtToolkit toolkit(lockPath());
  answerBox(
      toolkit, mb::kOkOnly,
      [](QMessageBox& box) {
        EXPECT_EQ(box.windowTitle(), QStringLiteral("Batora"));
        EXPECT_EQ(box.findChild<QLabel*>("qt_msgbox_label")->text(),
                  QString::fromUtf16(u"1行目\n<b>2</b>行目"));
        EXPECT_EQ(box.textFormat(), Qt::PlainText);
        box.reject();
      },
      "1行目\r\n<b>2</b>行目");
}

TEST_F(QtToolkitTest, BusyPointerDoesNotStackAndRestoresOnlyItsOwn) {
  {
    QtToolkit toolkit(lockPath());
    toolkit.setMousePointer(kPointerHourglass);
    toolkit.setMousePointer(kPointerHourglass);
    ASSERT_NE(QGuiApplication::overrideCursor(), nullptr);
    EXPECT_EQ(QGuiApplication::overrideCursor()->shape(), Qt::BusyCursor);
    toolkit.setMousePointer(kPointerDefault);
    EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr);

    QGuiApplication::setOverrideCursor(Qt::CrossCursor);
    toolkit.setMousePointer(kPointerDefault);
    EXPECT_NE(QGuiApplication::overrideCursor(), nullptr) << "someone else's cursor was taken";
    QGuiApplication::restoreOverrideCursor();
    toolkit.setMousePointer(kPointerHourglass);
  }
  EXPECT_EQ(QGuiApplication::overrideCursor(), nullptr) << "the busy pointer outlived the toolkit";
}

TEST_F(QtToolkitTest, ClipboardYieldAndStartProgramReachTheSystem) {
  QtToolkit toolkit(lockPath());
  QGuiApplication::clipboard()->clear();
  EXPECT_FALSE(toolkit.clipboardHasText());
  toolkit.setClipboardText("D:\\写真\\ﾃﾞｰﾀ");
  EXPECT_TRUE(toolkit.clipboardHasText());
  EXPECT_EQ(QGuiApplication::clipboard()->text(), QString::fromUtf16(u"D:\\写真\\ﾃﾞｰﾀ"));
  EXPECT_EQ(toolkit.clipboardText(), "D:\\写真\\ﾃﾞｰﾀ");

  bool delivered = false;
  QMetaObject::invokeMethod(
      qApp, [&] { delivered = true; }, Qt::QueuedConnection);
  toolkit.yield();
  EXPECT_TRUE(delivered);

  EXPECT_TRUE(toolkit.startProgram("true", {"説明.txt"}));
  EXPECT_FALSE(toolkit.startProgram(folder.filePath("no-such-program").toStdString(), {}));
}

TEST_F(QtToolkitTest, SecondInstanceSeesTheFirstUntilItEnds) {
  auto first = std::make_unique<QtToolkit>(lockPath());
  EXPECT_FALSE(first->previousInstance());
  QtToolkit second(lockPath());
  EXPECT_TRUE(second.previousInstance());
  first.reset();
  EXPECT_FALSE(second.previousInstance());
  EXPECT_TRUE(QtToolkit(lockPath()).previousInstance()) << "the second now holds the lock";
}

TEST_F(QtToolkitTest, LockLeftByAnInstanceThatDiedDoesNotCount) {
  QFile lock(lockPath());
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
  // No process can have this id; the empty host name means this machine.
  lock.write("2147483647\nbatora\n\n");
  lock.close();
  QtToolkit toolkit(lockPath());
  EXPECT_FALSE(toolkit.previousInstance());
  EXPECT_TRUE(QtToolkit(lockPath()).previousInstance());
}

TEST_F(QtToolkitTest, LockThatCannotBeMadeIsNoSignOfAnotherInstance) {
  QFile blocker(folder.filePath("file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_FALSE(QtToolkit(folder.filePath("file/batora.lock")).previousInstance());
}

}  // namespace
}  // namespace batora
