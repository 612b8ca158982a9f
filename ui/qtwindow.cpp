#include "qtwindow.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QScreen>
#include <cmath>
#include <stdexcept>
#include <utility>

#include "qstringutf8.h"

namespace batora {

namespace {

bool isUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::InputMethod:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
    case QEvent::NativeGesture:
    case QEvent::Gesture:
      return true;
    default:
      return false;
  }
}

constexpr double kTwipsPerInch = 1440.0;

const QScreen& screenOf(const QWidget& window) {
  const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
  return *screen;
}

std::string captionOf(const QWidget* widget) {
  if (const auto* label = qobject_cast<const QLabel*>(widget)) return toUtf8(label->text());
  if (const auto* button = qobject_cast<const QAbstractButton*>(widget))
    return toUtf8(button->text());
  if (const auto* frame = qobject_cast<const QGroupBox*>(widget)) return toUtf8(frame->title());
  return {};
}

}  // namespace

QtWindow::QtWindow(QWidget& window) : m_window(&window) {}

QtWindow::~QtWindow() {
  setInputLocked(false);
}

void QtWindow::addControl(std::string name, ControlKind kind, QWidget& widget) {
  m_entries.push_back({std::move(name), kind, &widget, nullptr});
}

void QtWindow::addMenuItem(std::string name, QAction& action) {
  m_entries.push_back({std::move(name), ControlKind::kMenuItem, nullptr, &action});
}

// A filter on the application rather than setEnabled: disabling would grey the whole window
// for every search and drop the keyboard focus, which a disabled classic window keeps.
void QtWindow::setInputLocked(bool locked) {
  if (locked == m_locked) return;
  QCoreApplication* app = QCoreApplication::instance();
  if (app != nullptr) {
    if (locked)
      app->installEventFilter(this);
    else
      app->removeEventFilter(this);
  }
  m_locked = locked;
}

// Popups (menus, drop-down lists) are windows of their own whose parent chain leads back to
// this window; dialogs stop the walk, so a box shown during a locked search can be answered.
bool QtWindow::belongsToWindow(const QWidget& widget) const {
  for (const QWidget* current = &widget; current != nullptr; current = current->parentWidget()) {
    if (current == m_window) return true;
    if (current->isWindow() && current->windowType() != Qt::Popup) return false;
  }
  return false;
}

bool QtWindow::eventFilter(QObject* watched, QEvent* event) {
  if (!isUserInput(event->type()) || !watched->isWidgetType()) return false;
  if (!belongsToWindow(*static_cast<QWidget*>(watched))) return false;
  // An accepted override claims the key for the focus widget, so no shortcut of the window
  // fires; the key press that follows is swallowed here too.
  if (event->type() == QEvent::ShortcutOverride) event->accept();
  return true;
}

int QtWindow::controlCount() const {
  return static_cast<int>(m_entries.size());
}

const QtWindow::Entry& QtWindow::entry(int index) const {
  if (index < 0 || index >= controlCount())
    throw std::out_of_range("the window has no control " + std::to_string(index));
  return m_entries[static_cast<std::size_t>(index)];
}

ControlInfo QtWindow::controlAt(int index) const {
  const Entry& found = entry(index);
  ControlInfo info{found.name, found.kind, {}};
  if (found.action != nullptr)
    info.caption = found.action->isSeparator() ? "-" : toUtf8(found.action->text());
  else if (found.widget != nullptr)
    info.caption = captionOf(found.widget);
  return info;
}

bool QtWindow::setControlEnabled(int index, bool enabled) {
  const Entry& found = entry(index);
  if (found.action != nullptr) {
    found.action->setEnabled(enabled);
    return true;
  }
  if (found.widget != nullptr) {
    found.widget->setEnabled(enabled);
    return true;
  }
  return false;
}

void QtWindow::setCaption(std::string caption) {
  m_window->setWindowTitle(toQString(caption));
}

// Before the window is first shown its frame is not known yet, so the outer size is the client
// size plus whatever frame the window system has reported so far.
Size QtWindow::outerSizeTwips() const {
  const QScreen& screen = screenOf(*m_window);
  const QSize outer = m_window->frameGeometry().size();
  return {std::lround(outer.width() * kTwipsPerInch / screen.logicalDotsPerInchX()),
          std::lround(outer.height() * kTwipsPerInch / screen.logicalDotsPerInchY())};
}

void QtWindow::moveToTwips(long left, long top) {
  const QScreen& screen = screenOf(*m_window);
  const QPoint origin = screen.geometry().topLeft();
  m_window->move(
      origin.x() + static_cast<int>(std::lround(static_cast<double>(left) *
                                                screen.logicalDotsPerInchX() / kTwipsPerInch)),
      origin.y() + static_cast<int>(std::lround(static_cast<double>(top) *
                                                screen.logicalDotsPerInchY() / kTwipsPerInch)));
}

}  // namespace batora
