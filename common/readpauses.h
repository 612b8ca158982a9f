#pragma once
// When a long reading of one folder hands control back to its caller.

#include <cstddef>
#include <functional>
#include <utility>

namespace batora::platform {

// Well under a millisecond of reading; a turn of an idle event loop costs far less.
inline constexpr std::size_t kEntriesBetweenPauses = 1024;

// Runs `pause` before each batch of `every` (at least 1) entries but the first, and once more
// before the names of a folder that paused are put in order; an empty pause never runs.
class ReadPauses {
 public:
  ReadPauses() = default;
  explicit ReadPauses(std::function<void()> pause, std::size_t every = kEntriesBetweenPauses)
      : m_pause(std::move(pause)), m_every(every) {}

  // Before the reading takes an entry.
  void beforeEntry() {
    if (!m_pause) return;
    if (m_taken >= m_every) {
      m_taken = 0;
      m_paused = true;
      m_pause();
    }
    ++m_taken;
  }
  // Once every entry is read, before the ordering.
  void beforeOrdering() {
    if (m_paused) m_pause();
  }

 private:
  std::function<void()> m_pause;
  std::size_t m_every = kEntriesBetweenPauses;
  std::size_t m_taken = 0;
  bool m_paused = false;
};

}  // namespace batora::platform
