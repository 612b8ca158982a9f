#include "memorycontrols.h"

#include <algorithm>

#include "bsfunc.h"

namespace batora::cli {

void MemoryListBox::clear() {
  m_rows.clear();
  m_current = -1;
}

void MemoryListBox::setRows(std::vector<std::string> rows) {
  m_rows.clear();
  m_rows.reserve(rows.size());
  for (std::string& text : rows) m_rows.push_back({std::move(text), false});
  m_current = -1;
}

void MemoryListBox::addRow(std::string text) {
  m_rows.push_back({std::move(text), false});
}

int MemoryListBox::selectedCount() const {
  return static_cast<int>(
      std::count_if(m_rows.begin(), m_rows.end(), [](const Row& r) { return r.selected; }));
}

void MemoryListBox::postSelectAll(bool select) {
  for (Row& row : m_rows) row.selected = select;
}

std::string TerminalStatusBar::panelText(std::string_view key) const {
  auto it = m_texts.find(key);
  return it == m_texts.end() ? std::string() : it->second;
}

void TerminalStatusBar::setPanelText(std::string_view key, std::string text) {
  if (key == kPanelText && m_listener) m_listener(text);
  m_texts.insert_or_assign(std::string(key), std::move(text));
}

}  // namespace batora::cli
