#include "listrows.h"

#include <memory>
#include <utility>

namespace batora {

// Whatever was set row by row belonged to the rows shown before.
void ListRows::show(size_t count, RowAt rowAt) {
  m_count = count;
  m_rowAt = std::move(rowAt);
  m_set.clear();
}

void ListRows::show(std::vector<std::string> rows) {
  auto held = std::make_shared<const std::vector<std::string>>(std::move(rows));
  show(held->size(), [held](size_t i) { return (*held)[i]; });
}

// An added row is a row set one at a time past the end.
void ListRows::add(std::string text) {
  m_set[static_cast<int>(m_count)] = std::move(text);
  ++m_count;
}

std::string ListRows::text(int row) const {
  const auto set = m_set.find(row);
  if (set != m_set.end()) return set->second;
  return m_rowAt(static_cast<size_t>(row));
}

void ListRows::setText(int row, std::string text) {
  m_set[row] = std::move(text);
}

}  // namespace batora
