#pragma once
// The texts of a list's rows without a copy of each: a list box reads them through its
// caller's function, and keeps only the few rows set one at a time.

#include <cstddef>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace batora {

class ListRows {
 public:
  using RowAt = std::function<std::string(size_t)>;

  // `count` rows, row i read through rowAt(i) whenever it is asked for.
  void show(size_t count, RowAt rowAt);
  // The rows themselves, held here (lists of a few rows and tests).
  void show(std::vector<std::string> rows);
  void clear() { show(0, {}); }
  void add(std::string text);

  size_t count() const { return m_count; }
  bool has(int row) const { return row >= 0 && static_cast<size_t>(row) < m_count; }
  // The row must exist.
  std::string text(int row) const;
  void setText(int row, std::string text);

 private:
  size_t m_count = 0;
  RowAt m_rowAt;
  // Rows set or added one at a time; they stand in front of rowAt.
  std::unordered_map<int, std::string> m_set;
};

}  // namespace batora
