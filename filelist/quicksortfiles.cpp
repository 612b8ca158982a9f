#include "quicksortfiles.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <span>
#include <string_view>
#include <type_traits>
#include <utility>

#include "platform.h"
#include "utf8.h"

namespace batora {
namespace {

struct NameParts {
  std::string_view baseName;
  std::string_view extension;
};

// The one place that decides where the base name and the extension are, shared by the sort and
// `SplitFileName`. Works on UTF-8 text: the separator and the dot are single bytes that never
// occur inside a multi-byte sequence, so splitting the bytes splits the characters.
NameParts splitName(std::string_view text) {
  const size_t separator = text.rfind(platform::kSeparator);
  if (separator == std::string_view::npos) return {};
  const std::string_view name = text.substr(separator + 1);
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {name, {}};
  return {name.substr(0, dot), name.substr(dot + 1)};
}

// The entry's text as the user sees it, without a copy where the system keeps paths as bytes:
// a byte that is not UTF-8 turns into U+FFFD on the way to UTF-16 just as it does in the shown
// text, and the separator and the dot are the same bytes either way.
template <typename Native>
std::string_view shownText(const Native& native, std::string& scratch) {
  if constexpr (std::is_same_v<Native, std::string>) {
    return native;
  } else {
    scratch = platform::pathToUtf8(std::filesystem::path(native));
    return scratch;
  }
}

// How far ahead the loops over the table ask for memory they will read: each path's text lies
// somewhere else on the heap, and waiting for each in turn was a good part of the sort's time.
constexpr size_t kLookAhead = 8;

// Up to this many entries, a group of tied keys is finished with a comparison sort.
constexpr size_t kSmallGroup = 32;

// A hint only; without it the loads simply wait.
inline void prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address);
#else
  static_cast<void>(address);
#endif
}

// ASCII, the bulk of most names, is widened in place instead of through a temporary string.
void appendUtf16(std::u16string& out, std::string_view text) {
  if (!std::all_of(text.begin(), text.end(),
                   [](char c) { return static_cast<unsigned char>(c) < 0x80; })) {
    out += utf8::toUtf16(text);
    return;
  }
  const size_t at = out.size();
  out.resize(at + text.size());
  for (size_t i = 0; i < text.size(); ++i)
    out[at + i] = static_cast<char16_t>(static_cast<unsigned char>(text[i]));
}

// Position in the range and the rank of its key among all distinct keys. Eight bytes, so the
// partition loop sweeps memory instead of chasing strings. 32 bits are plenty: a table of four
// billion paths would not fit in memory in the first place.
struct Item {
  std::uint32_t rank;
  std::uint32_t index;
};

// Dense ranks of every entry's key (primary text, then secondary text) in ascending order. Equal
// keys share a rank, so comparing two ranks answers exactly what comparing the texts would, and
// runs of equal keys (one file name in many folders) cost no string comparisons at all.
//
// The texts are cut into chunks of three UTF-16 code units, each unit stored plus one in 17 bits
// and a short last chunk padded with zeros, so integer order is ordinal text order with a proper
// prefix first. Every text ends with an all-zero chunk, below any chunk that holds a unit; the
// secondary text thus counts only between equal primary ones. The keys are then sorted two chunks
// at a time, most significant first, each round only within the groups still tied. A comparison
// sort over whole strings spent most of its time waiting for texts scattered in memory; here a
// round reads each tied entry's chunks once.
class KeyRanks {
 public:
  KeyRanks(const std::vector<platform::PathText>& table, long lo, long hi, bool byName) {
    const auto count = static_cast<size_t>(hi - lo + 1);
    m_begin.reserve(count + 1);
    std::string scratch;
    std::u16string primary, secondary;
    const auto first = table.begin() + lo;
    m_chunks.reserve(chunksNeeded(first, count));
    for (size_t i = 0; i < count; ++i) {
      if (i + kLookAhead < count) {
        const auto& ahead = first[i + kLookAhead];  // the name is at the end
        prefetch(ahead.data() + ahead.size() - 1);
      }
      const NameParts parts = splitName(shownText(first[i], scratch));
      primary.clear();
      secondary.clear();
      appendUtf16(primary, byName ? parts.baseName : parts.extension);
      appendUtf16(secondary, byName ? parts.extension : parts.baseName);
      m_begin.push_back(m_chunks.size());
      appendChunks(primary);
      appendChunks(secondary);
    }
    m_begin.push_back(m_chunks.size());
  }

  // A million keys take a hundred megabytes of chunks; growing the vector by doubling would
  // hold up to three times that for a moment. Where the texts are UTF-8, counting their UTF-16
  // units is a cheap pass; elsewhere the guess is the average of ordinary names.
  template <typename Iterator>
  static size_t chunksNeeded(Iterator first, size_t count) {
    if constexpr (!std::is_same_v<std::decay_t<decltype(*first)>, std::string>) {
      return count * 8;
    } else {
      size_t chunks = 0;
      for (size_t i = 0; i < count; ++i) {
        if (i + kLookAhead < count) prefetch(first[i + kLookAhead].data());
        const NameParts parts = splitName(first[i]);
        chunks += chunksOf(parts.baseName) + chunksOf(parts.extension);
      }
      return chunks;
    }
  }

  // Exact for valid UTF-8; an invalid byte may make it short, and the vector then grows.
  static size_t chunksOf(std::string_view utf8Text) {
    size_t units = 0;
    for (const char c : utf8Text) {
      const auto b = static_cast<unsigned char>(c);
      units += (b & 0xC0) != 0x80 ? 1 : 0;
      units += b >= 0xF0 ? 1 : 0;
    }
    return (units + 2) / 3 + 1;
  }

  std::vector<Item> rankedItems() const {
    const size_t count = m_begin.size() - 1;
    std::vector<std::uint32_t> order(count);  // entries in key order as far as sorted yet
    for (size_t i = 0; i < count; ++i) order[i] = static_cast<std::uint32_t>(i);
    std::vector<char> groupStarts(count, 0);  // where a run of equal keys begins in `order`
    if (count > 0) groupStarts[0] = 1;
    std::vector<Range> tied = {{0, count}}, stillTied;
    std::vector<Slot> slots;
    for (size_t depth = 0; !tied.empty(); depth += 2) {
      stillTied.clear();
      for (const Range& range : tied) {
        if (range.end - range.begin <= kSmallGroup) {
          sortSmallGroup(order, range, depth, groupStarts);
          continue;
        }
        slots.clear();
        for (size_t at = range.begin; at < range.end; ++at) {
          if (at + kLookAhead < range.end)
            prefetch(&m_chunks[m_begin[order[at + kLookAhead]] + depth]);
          slots.push_back(slotAt(order[at], depth));
        }
        std::sort(slots.begin(), slots.end(),
                  [](const Slot& a, const Slot& b) { return a.chunks < b.chunks; });
        size_t runBegin = 0;
        for (size_t k = 0; k < slots.size(); ++k) {
          order[range.begin + k] = slots[k].index;
          if (k + 1 < slots.size() && slots[k + 1].chunks == slots[runBegin].chunks) continue;
          groupStarts[range.begin + runBegin] = 1;
          // A run's members agree on every chunk so far, so one of them tells whether the keys
          // are complete, which makes them equal.
          const std::uint32_t member = slots[runBegin].index;
          if (k > runBegin && depth + 2 < chunkCount(member))
            stillTied.push_back({range.begin + runBegin, range.begin + k + 1});
          runBegin = k + 1;
        }
      }
      std::swap(tied, stillTied);
    }
    std::vector<Item> items(count);
    std::uint32_t rank = 0;
    for (size_t at = 0; at < count; ++at) {
      if (at > 0 && groupStarts[at]) ++rank;
      items[order[at]] = {rank, order[at]};
    }
    return items;
  }

 private:
  struct Range {
    size_t begin, end;
  };
  // Two chunks of one entry; sorting by two at a time halves the rounds over the tied entries.
  struct Slot {
    std::pair<std::uint64_t, std::uint64_t> chunks;
    std::uint32_t index;
  };

  // An entry whose key ends with the first of the two chunks gets zero for the second: its
  // group's other members, agreeing on everything so far, end there too.
  Slot slotAt(std::uint32_t entry, size_t depth) const {
    const std::uint64_t* chunks = &m_chunks[m_begin[entry] + depth];
    return {{chunks[0], depth + 1 < chunkCount(entry) ? chunks[1] : 0}, entry};
  }

  size_t chunkCount(std::uint32_t entry) const { return m_begin[entry + 1] - m_begin[entry]; }

  // The chunks from `depth` on. Two such rests never differ in length only: both would end
  // with the same two zero chunks at the same places.
  std::span<const std::uint64_t> rest(std::uint32_t entry, size_t depth) const {
    return std::span(m_chunks).subspan(m_begin[entry] + depth, chunkCount(entry) - depth);
  }

  // A small group's chunks fit in the cache together, so a plain comparison sort over the rest
  // of the keys is cheaper than further rounds, which would fetch every member once per chunk.
  void sortSmallGroup(std::vector<std::uint32_t>& order, Range range, size_t depth,
                      std::vector<char>& groupStarts) const {
    const auto begin = order.begin() + static_cast<std::ptrdiff_t>(range.begin);
    const auto end = order.begin() + static_cast<std::ptrdiff_t>(range.end);
    std::sort(begin, end, [&](std::uint32_t a, std::uint32_t b) {
      const auto x = rest(a, depth), y = rest(b, depth);
      return std::lexicographical_compare(x.begin(), x.end(), y.begin(), y.end());
    });
    for (auto it = begin + 1; it < end; ++it) {
      const auto x = rest(*(it - 1), depth), y = rest(*it, depth);
      if (!std::equal(x.begin(), x.end(), y.begin(), y.end())) groupStarts[it - order.begin()] = 1;
    }
  }

  void appendChunks(std::u16string_view text) {
    for (size_t from = 0; from < text.size(); from += 3) {
      std::uint64_t chunk = 0;
      for (size_t i = from; i < from + 3; ++i)
        chunk = (chunk << 17) | (i < text.size() ? text[i] + 1u : 0u);
      m_chunks.push_back(chunk);
    }
    m_chunks.push_back(0);
  }

  std::vector<std::uint64_t> m_chunks;  // every entry's chunks, back to back
  std::vector<size_t> m_begin;          // where each entry's chunks begin, and where the last ends
};

// (lo + hi) / 2 rounded to the nearest integer, halves to the even neighbour. The parity is that
// of the table indices, so the range keeps its offset in the table.
long middleOf(long lo, long hi) {
  const long sum = lo + hi;
  long mid = sum / 2;
  if (sum % 2 != 0 && mid % 2 != 0) ++mid;
  return mid;
}

// The classic quicksort steps over ranks, ascending: a descending sort hands in ranks counted
// from the other end. Only entries with equal keys can end up in a different order under another
// algorithm, and users see that order as the numbering of their files, so every pivot choice and
// exchange is the classic one. Two departures that cannot change the result, since each range is
// sorted on its own and the two sides never share an entry:
// - the smaller side is sorted by recursion and the larger by the loop, so the depth stays
//   logarithmic even when thousands of entries share one file name;
// - a range whose keys are all equal is finished without comparing: every pass over it moves
//   nothing but the pivot exchange, so the passes reduce to that exchange each.
class ClassicQuickSort {
 public:
  ClassicQuickSort(std::vector<Item>& items, long offset) : m_items(items), m_offset(offset) {}

  void sort(long lo, long hi) {
    while (lo < hi) {
      std::swap(at(lo), at(middleOf(lo, hi)));
      const std::uint32_t pivot = at(lo).rank;
      long last = lo;
      bool allEqual = true;
      for (long j = lo + 1; j <= hi; ++j) {
        // The exchange of `last` + 1 and j when entry j goes before the pivot, written without a
        // branch: the processor cannot guess the outcome, and a wrong guess costs more than the
        // two stores.
        const Item entry = at(j);
        const bool before = entry.rank < pivot;
        const long other = before ? last + 1 : j;
        at(j) = at(other);
        at(other) = entry;
        last += before;
        allEqual = allEqual && entry.rank == pivot;
      }
      std::swap(at(lo), at(last));
      if (allEqual) {
        finishEqual(lo + 1, hi);
        return;
      }
      if (last - lo < hi - last) {
        sort(lo, last - 1);
        lo = last + 1;
      } else {
        sort(last + 1, hi);
        hi = last - 1;
      }
    }
  }

 private:
  Item& at(long i) { return m_items[static_cast<size_t>(i - m_offset)]; }

  void finishEqual(long lo, long hi) {
    for (; lo < hi; ++lo) std::swap(at(lo), at(middleOf(lo, hi)));
  }

  std::vector<Item>& m_items;
  long m_offset;
};

// Gathers the entries in their new order, then moves them back. The reads jump around the table
// but do not depend on one another, so the processor overlaps them; following the permutation's
// cycles in place waited for every read in turn and took about twice as long.
void permute(std::vector<platform::PathText>& table, long lo, const std::vector<Item>& items) {
  const auto first = table.begin() + lo;
  std::vector<platform::PathText> sorted;
  sorted.reserve(items.size());
  for (size_t i = 0; i < items.size(); ++i) {
    if (i + kLookAhead < items.size()) prefetch(&first[items[i + kLookAhead].index]);
    sorted.push_back(std::move(first[items[i].index]));
  }
  std::move(sorted.begin(), sorted.end(), first);
}

}  // namespace

void SplitFileName(const std::filesystem::path& path, std::string& baseName,
                   std::string& extension) {
  const std::string text = platform::pathToUtf8(path);
  const NameParts parts = splitName(text);
  baseName.assign(parts.baseName);
  extension.assign(parts.extension);
}

// The keys are split and converted once per sort rather than once per comparison, the quicksort
// runs over small rank records, and the paths themselves move only once at the end.
void QuickSortFiles(std::vector<platform::PathText>& table, long lo, long hi, int iSortOption,
                    int iDescOption) {
  // The window always passes 0 to the final index; anything outside the table is left alone
  // rather than read past its end.
  if (lo >= hi || lo < 0 || hi >= static_cast<long>(table.size())) return;
  std::vector<Item> items = KeyRanks(table, lo, hi, iSortOption == 1).rankedItems();
  if (iDescOption == 1) {
    // "Goes before" turns into "greater than", which is "less than" for ranks counted downwards.
    for (Item& item : items) item.rank = std::numeric_limits<std::uint32_t>::max() - item.rank;
  }
  ClassicQuickSort(items, lo).sort(lo, hi);
  permute(table, lo, items);
}

}  // namespace batora
