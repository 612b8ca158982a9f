#include "memorycontrols.h"

#include <algorithm>
#include <stdexcept>

#include "bsfunc.h"

namespace batora::cli {

void MemoryListBox::clear() {
  m_rows.clear();
  m_selected.clear();
  m_current = -1;
}

void MemoryListBox::setRows(std::vector<std::string> rows) {
  const size_t count = rows.size();
  m_rows.show(std::move(rows));
  m_selected.assign(count, 0);
  m_current = -1;
}

void MemoryListBox::fillRows(size_t count, const std::function<std::string(size_t)>& rowAt) {
  m_rows.show(count, rowAt);
  m_selected.assign(count, 0);
  m_current = -1;
}

void MemoryListBox::addRow(std::string text) {
  m_rows.add(std::move(text));
  m_selected.push_back(0);
}

std::string MemoryListBox::rowText(int row) const {
  if (!m_rows.has(row)) throw std::out_of_range("no such row");
  return m_rows.text(row);
}

void MemoryListBox::setRowText(int row, std::string text) {
  if (!m_rows.has(row)) throw std::out_of_range("no such row");
  m_rows.setText(row, std::move(text));
}

int MemoryListBox::selectedCount() const {
  return static_cast<int>(std::count(m_selected.begin(), m_selected.end(), 1));
}

void MemoryListBox::postSelectAll(bool select) {
  std::fill(m_selected.begin(), m_selected.end(), select ? 1 : 0);
}

std::string TerminalStatusBar::panelText(std::string_view key) const {
  auto it = m_texts.find(key);
  return it == m_texts.end() ? std::string() : it->second;
}

void TerminalStatusBar::setPanelText(std::string_view key, std::string text) {
  m_texts.insert_or_assign(std::string(key), std::move(text));
}

}  // namespace batora::cli
