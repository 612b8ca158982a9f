#pragma once
// Adapters from the engine's control interfaces to the Qt widgets of a window. Five classes in
// one file, against the house habit: each is a handful of one-line forwards, and they read
// better side by side. Each holds a reference to a widget the window owns and must not outlive
// it; a window keeps them as members, which are destroyed before its child widgets.

#include <QAbstractButton>
#include <QAction>
#include <QLabel>
#include <QLineEdit>

#include "toolkit.h"

namespace batora {

class QtLabel final : public Label {
 public:
  explicit QtLabel(QLabel& label) : m_label(label) {}
  std::string caption() const override;
  void setCaption(std::string text) override;
  void repaint() override;

 private:
  QLabel& m_label;
};

// setText raises textChanged when the text changes, as typing does.
class QtTextField final : public TextField {
 public:
  explicit QtTextField(QLineEdit& edit) : m_edit(edit) {}
  std::string text() const override;
  void setText(std::string text) override;
  int maxLength() const override;
  bool isReadOnly() const override;

 private:
  QLineEdit& m_edit;
};

// A check box or an option button. setValue raises toggled when the value changes; the window
// connects its click handling there (for option buttons, to toggled(true)).
class QtCheckField final : public CheckField {
 public:
  explicit QtCheckField(QAbstractButton& button) : m_button(button) {}
  int value() const override;
  void setValue(int value) override;

 private:
  QAbstractButton& m_button;
};

class QtCommand final : public Command {
 public:
  explicit QtCommand(QAbstractButton& button) : m_button(button) {}
  std::string caption() const override;
  void setCaption(std::string caption) override;
  bool isEnabled() const override;
  void setEnabled(bool enabled) override;

 private:
  QAbstractButton& m_button;
};

// setChecked makes the action checkable and never raises triggered.
class QtMenuItem final : public MenuItem {
 public:
  explicit QtMenuItem(QAction& action) : m_action(action) {}
  std::string caption() const override;
  void setCaption(std::string caption) override;
  bool isEnabled() const override;
  void setEnabled(bool enabled) override;
  bool isChecked() const override;
  void setChecked(bool checked) override;

 private:
  QAction& m_action;
};

}  // namespace batora
