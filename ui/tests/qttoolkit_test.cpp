#include "qttoolkit.h"

#include <gtest/gtest.h>
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QMessageBox>
#include <QScreen>
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

class QtToolkitTest : public ::testing::Test {
 protected:
  QTemporaryDir folder;
  QString lockPath() const { return folder.filePath("batora.lock"); }
};

// One row per icon and per way of leaving each kind of box. Closing a box that has no Cancel
// answers its non-committal button: Cancel (2) for OK alone, No (7) for Yes/No. The buttons read
// as on a Japanese Windows, without Qt's translation, and carry no stock icons; the text keeps
// its line breaks and is never read as markup.
TEST_F(QtToolkitTest, BoxShowsTheStyleAndAnswersTheWayItWasLeft) {
  struct Row {
    const char* name;
    int style;
    QMessageBox::Icon icon;
    QStringList buttons;
    BoxAction act;
    int expected;
  };
  using enum QMessageBox::Icon;
  const QStringList ok{"OK"};
  const QStringList okCancel{"OK", QStringLiteral("キャンセル")};
  const QStringList yesNo{QStringLiteral("はい(&Y)"), QStringLiteral("いいえ(&N)")};
  const Row rows[] = {
      {"OK: click", 16, Critical, ok, click(QMessageBox::Ok), mb::kIdOk},
      {"OK: Enter", 0, NoIcon, ok, press(Qt::Key_Return), mb::kIdOk},
      {"OK: Esc", 64, Information, ok, press(Qt::Key_Escape), mb::kIdCancel},
      {"OK: closed", 48, Warning, ok, kClose, mb::kIdCancel},
      {"OK/Cancel: click Cancel", 1, NoIcon, okCancel, click(QMessageBox::Cancel), mb::kIdCancel},
      {"OK/Cancel: Enter", 33, Question, okCancel, press(Qt::Key_Return), mb::kIdOk},
      {"Yes/No: click Yes", 36, Question, yesNo, click(QMessageBox::Yes), mb::kIdYes},
      {"Yes/No: the access key N", 36, Question, yesNo, press(Qt::Key_N), mb::kIdNo},
      {"Yes/No: closed", 52, Warning, yesNo, kClose, mb::kIdNo},
  };
  QtToolkit toolkit(lockPath());
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const auto check = [&row](QMessageBox& box) {
      EXPECT_EQ(box.windowTitle(), QStringLiteral("Batora"));
      EXPECT_EQ(box.findChild<QLabel*>("qt_msgbox_label")->text(),
                QString::fromUtf16(u"1行目\n<b>2</b>行目"));
      EXPECT_EQ(box.textFormat(), Qt::PlainText);
      EXPECT_EQ(box.icon(), row.icon);
      QStringList shown;
      for (QAbstractButton* button : box.buttons()) {
        if (!button->isVisible()) continue;
        shown.push_back(button->text());
        EXPECT_TRUE(button->icon().isNull()) << button->text().toStdString();
      }
      EXPECT_EQ(shown, row.buttons);
      row.act(box);
    };
    EXPECT_EQ(answerBox(toolkit, row.style, check, "1行目\r\n<b>2</b>行目"), row.expected);
  }
}

// The boxes that come before the window (another instance, no settings) have no shown window
// to sit on; once the window is shown, they sit on it.
TEST_F(QtToolkitTest, BoxIsCentredOnTheScreenUntilItsWindowIsShown) {
  QWidget window;
  window.setGeometry(10, 20, 200, 100);
  QtToolkit toolkit(lockPath());
  toolkit.setDialogParent(&window);
  const QPoint screenCentre = QGuiApplication::primaryScreen()->availableGeometry().center();
  const auto centreOfBox = [&toolkit] {
    QPoint centre;
    answerBox(toolkit, mb::kOkOnly, [&centre](QMessageBox& box) {
      centre = box.frameGeometry().center();
      box.reject();
    });
    return centre;
  };
  const QPoint hidden = centreOfBox();
  EXPECT_LE((hidden - screenCentre).manhattanLength(), 2) << hidden.x() << "," << hidden.y();
  window.show();
  const QPoint shown = centreOfBox();
  EXPECT_LE((shown - window.frameGeometry().center()).manhattanLength(), 2)
      << shown.x() << "," << shown.y();
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

TEST_F(QtToolkitTest, SecondInstanceSeesTheFirstUntilItEnds) {
  auto first = std::make_unique<QtToolkit>(lockPath());
  EXPECT_FALSE(first->previousInstance());
  QtToolkit second(lockPath());
  EXPECT_TRUE(second.previousInstance());
  first.reset();
  EXPECT_FALSE(second.previousInstance());
  EXPECT_TRUE(QtToolkit(lockPath()).previousInstance()) << "the second now holds the lock";
}

// Neither must keep the program from starting.
TEST_F(QtToolkitTest, LockOfADeadInstanceOrALockThatCannotBeMadeIsNoOtherInstance) {
  QFile lock(lockPath());
  ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
  // No process can have this id; the empty host name means this machine.
  lock.write("2147483647\nbatora\n\n");
  lock.close();
  QtToolkit toolkit(lockPath());
  EXPECT_FALSE(toolkit.previousInstance());
  EXPECT_TRUE(QtToolkit(lockPath()).previousInstance()) << "the dead instance's lock was taken";
  EXPECT_FALSE(QtToolkit(lockPath() + "/batora.lock").previousInstance()) << "below a file";
}

}  // namespace
}  // namespace batora
