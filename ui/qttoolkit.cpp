#include "qttoolkit.h"

#include <QApplication>
#include <QClipboard>
#include <QCryptographicHash>
#include <QDir>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMimeData>
#include <QProcess>
#include <QPushButton>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>

#include "opendocument.h"
#include "qstringutf8.h"

namespace batora {

namespace {

constexpr double kTwipsPerInch = 1440.0;

QMessageBox::Icon boxIcon(int style) {
  switch (mb::iconOf(style)) {
    case mb::kCritical:
      return QMessageBox::Critical;
    case mb::kQuestion:
      return QMessageBox::Question;
    case mb::kExclamation:
      return QMessageBox::Warning;
    case mb::kInformation:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

int answerOf(QMessageBox::StandardButton button) {
  switch (button) {
    case QMessageBox::Ok:
      return mb::kIdOk;
    case QMessageBox::Yes:
      return mb::kIdYes;
    case QMessageBox::No:
      return mb::kIdNo;
    default:
      return mb::kIdCancel;
  }
}

// The style's stock icons stay off: the home platform's boxes have none on their buttons.
void setCaption(QPushButton& button, const QString& caption) {
  button.setText(caption);
  button.setIcon(QIcon());
}

// The captions of a Japanese Windows' boxes, whether or not Qt's own translation is there.
QPushButton* addBoxButton(QMessageBox& box, QMessageBox::StandardButton which) {
  QPushButton* button = box.addButton(which);
  switch (which) {
    case QMessageBox::Ok:
      setCaption(*button, QStringLiteral("OK"));
      break;
    case QMessageBox::Cancel:
      setCaption(*button, QStringLiteral("キャンセル"));
      break;
    case QMessageBox::Yes:
      setCaption(*button, QStringLiteral("はい(&Y)"));
      break;
    default:
      setCaption(*button, QStringLiteral("いいえ(&N)"));
      break;
  }
  return button;
}

// A box without a shown window to belong to is centred on the screen, as the home platform
// does; Qt would centre it on the hidden window, which has not been placed yet.
class ScreenCentredBox final : public QMessageBox {
 public:
  using QMessageBox::QMessageBox;

 protected:
  // The box takes its final size while it is being shown, before it reaches the screen.
  void showEvent(QShowEvent* event) override {
    QMessageBox::showEvent(event);
    if (parentWidget() != nullptr) return;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) return;
    QRect frame = frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    move(frame.topLeft());
  }
};

QString boxText(std::string_view text) {
  QString shown = toQString(text);
  shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  shown.replace(u'\r', u'\n');
  return shown;
}

}  // namespace

QtToolkit::QtToolkit(const QString& lockFilePath) : m_instanceLock(lockFilePath) {}

QtToolkit::~QtToolkit() {
  if (m_busyPointer) QGuiApplication::restoreOverrideCursor();
}

QString QtToolkit::defaultLockFilePath() {
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (!folder.isEmpty()) return folder + QStringLiteral("/batora.lock");
  // The temporary folder is shared between users; the home folder tells them apart.
  const QByteArray user =
      QCryptographicHash::hash(QDir::homePath().toUtf8(), QCryptographicHash::Sha1)
          .toHex()
          .left(12);
  return QDir::tempPath() + QStringLiteral("/batora-") + QString::fromLatin1(user) +
         QStringLiteral(".lock");
}

// The escape button is set for every style, so that Esc and the close box always answer the
// same way. A Yes/No box has no Cancel; closing it answers No, the non-committal answer that
// every Yes/No question of the program treats as "leave things as they are".
int QtToolkit::messageBox(std::string_view text, std::string_view title, int style) {
  QWidget* owner = m_dialogParent && m_dialogParent->isVisible() ? m_dialogParent.data() : nullptr;
  ScreenCentredBox box(boxIcon(style), toQString(title), boxText(text), QMessageBox::NoButton,
                       owner);
  box.setTextFormat(Qt::PlainText);
  QPushButton* first = nullptr;
  QPushButton* escape = nullptr;
  switch (mb::buttonsOf(style)) {
    case mb::kOkCancel:
      first = addBoxButton(box, QMessageBox::Ok);
      escape = addBoxButton(box, QMessageBox::Cancel);
      break;
    case mb::kYesNo:
      first = addBoxButton(box, QMessageBox::Yes);
      escape = addBoxButton(box, QMessageBox::No);
      break;
    default:
      first = addBoxButton(box, QMessageBox::Ok);
      // Without it Qt would make OK the escape button, and closing the box would answer OK.
      escape = addBoxButton(box, QMessageBox::Cancel);
      escape->hide();
      break;
  }
  box.setDefaultButton(first);
  box.setEscapeButton(escape);
  box.exec();
  QAbstractButton* clicked = box.clickedButton();
  return answerOf(box.standardButton(clicked ? clicked : escape));
}

void QtToolkit::beep() {
  QApplication::beep();
}

// Qt stacks override cursors; the engine's pointer is a single setting, so only one is pushed.
void QtToolkit::setMousePointer(int pointer) {
  const bool busy = pointer == kPointerHourglass;
  if (busy == m_busyPointer) return;
  if (busy)
    QGuiApplication::setOverrideCursor(Qt::BusyCursor);
  else
    QGuiApplication::restoreOverrideCursor();
  m_busyPointer = busy;
}

void QtToolkit::yield() {
  QCoreApplication::processEvents();
}

bool QtToolkit::clipboardHasText() {
  const QMimeData* data = QGuiApplication::clipboard()->mimeData();
  return data != nullptr && data->hasText();
}

std::string QtToolkit::clipboardText() {
  return toUtf8(QGuiApplication::clipboard()->text());
}

void QtToolkit::setClipboardText(std::string_view text) {
  QGuiApplication::clipboard()->setText(toQString(text));
}

bool QtToolkit::startProgram(const std::string& program, const std::vector<std::string>& args) {
  QStringList arguments;
  arguments.reserve(static_cast<qsizetype>(args.size()));
  for (const std::string& arg : args) arguments.push_back(toQString(arg));
  return QProcess::startDetached(toQString(program), arguments);
}

int QtToolkit::openDocument(const std::string& file, const std::string& folder) {
  return openWithAssociatedProgram(toQString(file), toQString(folder));
}

bool QtToolkit::previousInstance() {
  return m_instanceLock.anotherInstanceRuns();
}

Size QtToolkit::screenSizeTwips() {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QSize size = screen->size();
  return {static_cast<long>(size.width() * kTwipsPerInch / screen->logicalDotsPerInchX()),
          static_cast<long>(size.height() * kTwipsPerInch / screen->logicalDotsPerInchY())};
}

}  // namespace batora
