#pragma once
// The window's controls without a window: each holds its state in memory. Kept together in one
// header, as the test fakes are, because each is a few lines of plain state.

#include <cstddef>
#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "listrows.h"
#include "toolkit.h"

namespace batora::cli {

// Reads its rows through the caller's row function, as the window's lists do: a sorted million
// rows are then neither copied nor rebuilt, only read once as they are written out.
class MemoryListBox final : public ListBox {
 public:
  void clear() override;
  void setRows(std::vector<std::string> rows) override;
  void fillRows(size_t count, const std::function<std::string(size_t)>& rowAt) override;
  void addRow(std::string text) override;
  int rowCount() const override { return static_cast<int>(m_rows.count()); }
  std::string rowText(int row) const override;
  void setRowText(int row, std::string text) override;
  int selectedCount() const override;
  bool isSelected(int row) const override { return m_selected.at(static_cast<size_t>(row)) != 0; }
  void setSelected(int row, bool selected) override {
    m_selected.at(static_cast<size_t>(row)) = selected ? 1 : 0;
  }
  int currentRow() const override { return m_current; }
  void setCurrentRow(int row) override { m_current = row; }
  // Applied at once: nothing runs between the request and the next read of the list.
  void postSelectAll(bool select) override;
  void repaint() override {}

 private:
  ListRows m_rows;
  std::vector<char> m_selected;
  int m_current = -1;
};

class MemoryLabel final : public Label {
 public:
  std::string caption() const override { return m_caption; }
  void setCaption(std::string text) override { m_caption = std::move(text); }
  void repaint() override {}

 private:
  std::string m_caption;
};

class MemoryTextField final : public TextField {
 public:
  explicit MemoryTextField(std::string text = {}) : m_text(std::move(text)) {}
  std::string text() const override { return m_text; }
  void setText(std::string text) override { m_text = std::move(text); }
  int maxLength() const override { return 0; }
  bool isReadOnly() const override { return false; }

 private:
  std::string m_text;
};

class MemoryCheckField final : public CheckField {
 public:
  explicit MemoryCheckField(int value) : m_value(value) {}
  int value() const override { return m_value; }
  void setValue(int value) override { m_value = value; }

 private:
  int m_value;
};

class MemoryCommand final : public Command {
 public:
  explicit MemoryCommand(std::string caption) : m_caption(std::move(caption)) {}
  std::string caption() const override { return m_caption; }
  void setCaption(std::string caption) override { m_caption = std::move(caption); }
  bool isEnabled() const override { return m_enabled; }
  void setEnabled(bool enabled) override { m_enabled = enabled; }

 private:
  std::string m_caption;
  bool m_enabled = false;
};

// Nothing to lock: the command line takes no input while it works.
class HeadlessWindow final : public Window {
 public:
  void setInputLocked(bool) override {}
  int controlCount() const override { return 0; }
  ControlInfo controlAt(int) const override { return {}; }
  bool setControlEnabled(int, bool) override { return false; }
};

// Holds the panels' texts; the command line shows only the search's failure from them.
class TerminalStatusBar final : public StatusBar {
 public:
  std::string panelText(std::string_view key) const override;
  void setPanelText(std::string_view key, std::string text) override;
  Picture panelPicture(std::string_view) const override { return {}; }
  void setPanelPicture(std::string_view, Picture) override {}
  void repaint() override {}

 private:
  std::map<std::string, std::string, std::less<>> m_texts;
};

}  // namespace batora::cli
