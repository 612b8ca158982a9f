#include "memorycontrols.h"

#include <algorithm>

#include "bsfunc.h"

namespace batora::cli {

namespace {
constexpr size_t kBlockSize = size_t{1} << 20;
}

void MemoryListBox::clear() {
  m_blocks.clear();
  m_rows.clear();
  m_current = -1;
}

MemoryListBox::Row MemoryListBox::stored(std::string_view text, std::vector<std::string>& spare) {
  if (m_blocks.empty() || m_blocks.back().capacity() - m_blocks.back().size() < text.size()) {
    if (!spare.empty() && spare.back().capacity() >= text.size()) {
      m_blocks.push_back(std::move(spare.back()));
      spare.pop_back();
    } else {
      m_blocks.emplace_back();
      m_blocks.back().reserve(std::max(kBlockSize, text.size()));
    }
  }
  std::string& block = m_blocks.back();
  const Row row{static_cast<std::uint32_t>(m_blocks.size() - 1),
                static_cast<std::uint32_t>(block.size()), static_cast<std::uint32_t>(text.size()),
                false};
  block.append(text);
  return row;
}

void MemoryListBox::setRows(std::vector<std::string> rows) {
  fillRows(rows.size(), [&rows](size_t i) { return std::move(rows[i]); });
}

// The blocks are emptied and filled again rather than freed: a sort refills the list with the
// same texts in another order, and fresh memory costs a page fault for every four kilobytes.
void MemoryListBox::fillRows(size_t count, const std::function<std::string(size_t)>& rowAt) {
  std::vector<std::string> blocks = std::move(m_blocks);
  clear();
  for (std::string& block : blocks) block.clear();
  std::reverse(blocks.begin(), blocks.end());  // taken from the back, in their old order
  m_rows.shrink_to_fit();
  m_rows.reserve(count);
  for (size_t i = 0; i < count; ++i) m_rows.push_back(stored(rowAt(i), blocks));
}

void MemoryListBox::addRow(std::string text) {
  std::vector<std::string> none;
  m_rows.push_back(stored(text, none));
}

std::string MemoryListBox::rowText(int row) const {
  return std::string(rowView(row));
}

std::string_view MemoryListBox::rowView(int row) const {
  const Row& r = m_rows.at(row);
  return std::string_view(m_blocks[r.block]).substr(r.offset, r.length);
}

void MemoryListBox::setRowText(int row, std::string text) {
  const bool selected = m_rows.at(row).selected;
  std::vector<std::string> none;
  m_rows.at(row) = stored(text, none);
  m_rows.at(row).selected = selected;
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
  m_texts.insert_or_assign(std::string(key), std::move(text));
}

}  // namespace batora::cli
