#pragma once
// A scripted stand-in for the window toolkit: records every box and answers from a queue, so
// that no test ever waits on a modal box.

#include <deque>
#include <functional>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "toolkit.h"

namespace batora::testing {

struct BoxRecord {
  std::string text;
  std::string title;
  int style = 0;
};

class FakeToolkit : public Toolkit {
 public:
  // Answers for the next boxes, in order; an unscripted box answers its first button.
  std::deque<int> answers;
  std::vector<BoxRecord> boxes;
  int beeps = 0;
  std::vector<int> pointers;
  int yields = 0;
  std::function<void()> onYield;
  // Runs while a box is "open", before it answers (a click on stop during a box, say).
  std::function<void(const BoxRecord&)> onBox;
  std::string clipboard;
  bool clipboardHoldsText = false;
  struct Started {
    std::string program;
    std::vector<std::string> args;
  };
  std::vector<Started> started;
  bool startSucceeds = true;
  struct Opened {
    std::string file;
    std::string folder;
  };
  std::vector<Opened> opened;
  int openResult = 42;
  bool otherInstance = false;
  Size screen{1440 * 16, 1440 * 9};

  int messageBox(std::string_view text, std::string_view title, int style) override;
  void beep() override { ++beeps; }
  void setMousePointer(int pointer) override { pointers.push_back(pointer); }
  void yield() override;
  bool clipboardHasText() override { return clipboardHoldsText; }
  std::string clipboardText() override { return clipboard; }
  void setClipboardText(std::string_view text) override;
  bool startProgram(const std::string& program, const std::vector<std::string>& args) override;
  int openDocument(const std::string& file, const std::string& folder) override;
  bool previousInstance() override { return otherInstance; }
  Size screenSizeTwips() override { return screen; }

  // Pending work that the next yield delivers (a posted select-all, say).
  std::vector<std::function<void()>> pending;
};

class FakeListBox : public ListBox {
 public:
  struct Row {
    std::string text;
    bool selected = false;
  };
  explicit FakeListBox(FakeToolkit* toolkit = nullptr) : m_toolkit(toolkit) {}
  std::vector<Row> rows;
  int current = -1;
  int repaints = 0;
  // A list that has broken down: reading a row fails.
  bool broken = false;

  void clear() override;
  void setRows(std::vector<std::string> texts) override;
  void addRow(std::string text) override { rows.push_back({std::move(text), false}); }
  int rowCount() const override { return static_cast<int>(rows.size()); }
  std::string rowText(int row) const override { return checked(row).text; }
  void setRowText(int row, std::string text) override { rows.at(row).text = std::move(text); }
  int selectedCount() const override;
  bool isSelected(int row) const override { return checked(row).selected; }
  void setSelected(int row, bool selected) override { rows.at(row).selected = selected; }
  int currentRow() const override { return current; }
  void setCurrentRow(int row) override { current = row; }
  void postSelectAll(bool select) override;
  void repaint() override { ++repaints; }

  std::vector<std::string> texts() const;

 private:
  const Row& checked(int row) const {
    if (broken) throw std::runtime_error("list box failed");
    return rows.at(row);
  }
  FakeToolkit* m_toolkit;
};

class FakeLabel : public Label {
 public:
  std::string text;
  int repaints = 0;
  std::string caption() const override { return text; }
  void setCaption(std::string caption) override { text = std::move(caption); }
  void repaint() override { ++repaints; }
};

class FakeStatusBar : public StatusBar {
 public:
  std::map<std::string, std::string, std::less<>> texts;
  std::map<std::string, Picture, std::less<>> pictures;
  std::map<std::string, long, std::less<>> widths;
  // Every text the text panel showed, in order.
  std::vector<std::string> history;
  int repaints = 0;

  std::string panelText(std::string_view key) const override;
  void setPanelText(std::string_view key, std::string text) override;
  Picture panelPicture(std::string_view key) const override;
  void setPanelPicture(std::string_view key, Picture picture) override;
  void repaint() override { ++repaints; }
  long panelWidthTwips(std::string_view key) const override;
  void setPanelWidthTwips(std::string_view key, long twips) override;
};

class FakeWindow : public Window {
 public:
  struct Control {
    ControlInfo info;
    bool enabled = true;
  };
  std::vector<Control> controls;
  bool locked = false;
  std::vector<bool> lockHistory;

  void setInputLocked(bool isLocked) override;
  int controlCount() const override { return static_cast<int>(controls.size()); }
  ControlInfo controlAt(int index) const override { return controls.at(index).info; }
  bool setControlEnabled(int index, bool enabled) override;
  bool isEnabled(std::string_view name) const;
};

}  // namespace batora::testing

namespace batora::testing {

class FakeTextField : public TextField {
 public:
  explicit FakeTextField(std::string initial = {}, int maxChars = 0)
      : value(std::move(initial)), limit(maxChars) {}
  std::string value;
  int limit;
  bool readOnly = false;
  std::function<void()> onChange;
  std::string text() const override { return value; }
  void setText(std::string text) override {
    value = std::move(text);
    if (onChange) onChange();
  }
  int maxLength() const override { return limit; }
  bool isReadOnly() const override { return readOnly; }
};

class FakeCheckField : public CheckField {
 public:
  explicit FakeCheckField(int initial = 0) : state(initial) {}
  int state;
  std::function<void()> onClick;
  int value() const override { return state; }
  void setValue(int v) override {
    bool changed = v != state;
    state = v;
    if (changed && onClick) onClick();
  }
};

class FakeMenuItem : public MenuItem {
 public:
  explicit FakeMenuItem(std::string caption = {}, bool isOn = true)
      : text(std::move(caption)), enabled(isOn) {}
  std::string text;
  bool enabled;
  bool checked = false;
  std::string caption() const override { return text; }
  void setCaption(std::string caption) override { text = std::move(caption); }
  bool isEnabled() const override { return enabled; }
  void setEnabled(bool e) override { enabled = e; }
  bool isChecked() const override { return checked; }
  void setChecked(bool c) override { checked = c; }
};

}  // namespace batora::testing
