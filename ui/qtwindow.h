#pragma once
// A top-level window as the engine sees it: the lock against input, the walk over the controls
// and menu items the window registered, its caption and its place on the screen.

#include <QAction>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <string>
#include <vector>

#include "toolkit.h"

namespace batora {

class QtWindow final : public QObject, public TopLevelWindow {
  Q_OBJECT

 public:
  explicit QtWindow(QWidget& window);
  ~QtWindow() override;

  // The walk visits controls in the order they were added: add them in the window's tab order,
  // menu items after them. Captions are read from the widget at each walk.
  void addControl(std::string name, ControlKind kind, QWidget& widget);
  // A top-level menu is added with its QMenu::menuAction(); a separator's caption reads "-".
  void addMenuItem(std::string name, QAction& action);

  bool isInputLocked() const { return m_locked; }
  // Keyboard, mouse, shortcut, input-method and drop events to the window and its popups are
  // swallowed; painting goes on, and dialogs of their own (message boxes) stay usable.
  void setInputLocked(bool locked) override;
  int controlCount() const override;
  // Indexes outside the walk throw std::out_of_range.
  ControlInfo controlAt(int index) const override;
  // False when the control no longer exists.
  bool setControlEnabled(int index, bool enabled) override;
  void setCaption(std::string caption) override;
  Size outerSizeTwips() const override;
  void moveToTwips(long left, long top) override;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Entry {
    std::string name;
    ControlKind kind;
    QPointer<QWidget> widget;
    QPointer<QAction> action;
  };

  const Entry& entry(int index) const;
  bool belongsToWindow(const QWidget& widget) const;

  QPointer<QWidget> m_window;
  std::vector<Entry> m_entries;
  bool m_locked = false;
};

}  // namespace batora
