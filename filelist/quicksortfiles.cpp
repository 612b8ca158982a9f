#include "quicksortfiles.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
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
  // Known to be valid UTF-8, so that the folding need not check it again.
  bool valid = false;
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
template <typename Text>
std::string_view shownText(const Text& native, std::string& scratch) {
  if constexpr (std::is_same_v<Text, std::string> || std::is_same_v<Text, std::string_view>) {
    return native;
  } else {
    scratch = platform::pathToUtf8(std::filesystem::path(native));
    return scratch;
  }
}

NameParts splitFileNameOnly(std::string_view name) {
  const size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {name, {}};
  return {name.substr(0, dot), name.substr(dot + 1)};
}

// How far ahead the loops over the table ask for memory they will read: each key lies somewhere
// else in the buffer, and waiting for each in turn was a good part of the sort's time.
constexpr size_t kLookAhead = 8;

// Up to this many entries, a group of tied keys is finished with a comparison sort.
constexpr size_t kSmallGroup = 32;

// From this many entries on, the counts of a radix sort cost less than the comparisons.
constexpr size_t kRadixFrom = 256;

// A hint only; without it the loads simply wait.
inline void prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address);
#else
  static_cast<void>(address);
#endif
}

// Length of the valid UTF-8 sequence at p (which holds a byte of 0x80 or more), 1 when it is
// not one: the rules of utf8::sequenceLength, written out because the sort runs them for every
// character of every name.
size_t sequenceAt(const unsigned char* p, size_t left) {
  const unsigned c = p[0];
  auto within = [&](size_t i, unsigned low, unsigned high) {
    return i < left && p[i] >= low && p[i] <= high;
  };
  if (c >= 0xC2 && c <= 0xDF) return within(1, 0x80, 0xBF) ? 2 : 1;
  if (c >= 0xE0 && c <= 0xEF) {
    const unsigned low = c == 0xE0 ? 0xA0 : 0x80, high = c == 0xED ? 0x9F : 0xBF;
    return within(1, low, high) && within(2, 0x80, 0xBF) ? 3 : 1;
  }
  if (c >= 0xF0 && c <= 0xF4) {
    const unsigned low = c == 0xF0 ? 0x90 : 0x80, high = c == 0xF4 ? 0x8F : 0xBF;
    return within(1, low, high) && within(2, 0x80, 0xBF) && within(3, 0x80, 0xBF) ? 4 : 1;
  }
  return 1;
}

// Eight bytes read as one number, the first the most significant.
std::uint64_t bigEndian64(const char* bytes) {
  std::uint64_t value;
  std::memcpy(&value, bytes, sizeof value);
  if constexpr (std::endian::native == std::endian::little) {
#if defined(__GNUC__) || defined(__clang__)
    value = __builtin_bswap64(value);
#else
    std::uint64_t swapped = 0;
    for (int i = 0; i < 8; ++i, value >>= 8) swapped = (swapped << 8) | (value & 0xFF);
    value = swapped;
#endif
  }
  return value;
}

// Appends the text as bytes whose plain byte order is the ordinal order of its UTF-16 code
// units. UTF-8 already orders as code points do; UTF-16 differs only in putting U+E000..U+FFFF
// after the characters beyond the basic plane (their surrogates, D800..DFFF, are smaller). Those
// are the three-byte sequences led by EE and EF, and F5 and F6, which lead nothing in UTF-8,
// lift them above the four-byte leads F0..F4. A byte that is not UTF-8 counts as U+FFFD, as it
// does in the shown text; `valid` says the text is known to be UTF-8 (decided at the search).
void appendOrderBytes(std::string& out, std::string_view text, bool valid) {
  const size_t at = out.size();
  out.append(text);  // nearly every byte stays as it is
  auto* bytes = reinterpret_cast<unsigned char*>(out.data() + at);
  // In valid UTF-8, EE and EF are always leads: a plain pass over the bytes does it.
  if (valid) {
    for (size_t i = 0; i < text.size(); ++i)
      bytes[i] = static_cast<unsigned char>(
          bytes[i] + (bytes[i] == 0xEE || bytes[i] == 0xEF ? 0xF5 - 0xEE : 0));
    return;
  }
  valid = true;
  for (size_t i = 0; i < text.size();) {
    if (i + 8 <= text.size() && (bigEndian64(text.data() + i) & 0x8080808080808080u) == 0) {
      i += 8;  // eight ASCII characters
      continue;
    }
    if (bytes[i] < 0x80) {
      ++i;
      continue;
    }
    const size_t length = sequenceAt(bytes + i, text.size() - i);
    if (length == 1) {
      valid = false;
      break;
    }
    if (bytes[i] == 0xEE || bytes[i] == 0xEF) bytes[i] += 0xF5 - 0xEE;
    i += length;
  }
  if (valid) return;
  out.resize(at);
  appendOrderBytes(out, utf8::sanitize(text), true);
}

// Position in the range and the rank of its key among all distinct keys. Eight bytes, so the
// partition loop sweeps memory instead of chasing strings. 32 bits are plenty: a table of four
// billion paths would not fit in memory in the first place.
struct Item {
  std::uint32_t rank;
  std::uint32_t index;
};

// Every entry's key (primary text, then secondary text) put in ascending order, with the runs of
// equal keys marked: runs of equal keys (one file name in many folders) cost no string
// comparisons at all.
//
// Each key is folded once into one buffer: the primary text in order bytes, a zero byte, the
// secondary text. No name holds a zero, so it sorts below every character: a proper prefix comes
// first, and the secondary text counts only between equal primary ones. The keys are then
// ordered eight bytes at a time as one number, each round only within the groups still tied. A
// comparison sort over whole keys spent most of its time waiting for keys scattered in memory,
// and many names share a long beginning; here a round reads each tied key's next bytes once.
class KeyRanks {
 public:
  template <typename PartsAt>
  KeyRanks(size_t count, PartsAt partsAt, bool byName) {
    m_begin.reserve(count + 1);
    for (size_t i = 0; i < count; ++i) {
      const NameParts parts = partsAt(i);
      m_begin.push_back(m_keys.size());
      appendOrderBytes(m_keys, byName ? parts.baseName : parts.extension, parts.valid);
      m_keys += '\0';
      appendOrderBytes(m_keys, byName ? parts.extension : parts.baseName, parts.valid);
    }
    m_begin.push_back(m_keys.size());
    m_keys.shrink_to_fit();
  }

  // The entries in ascending key order, and where each run of equal keys begins in it.
  struct Ranking {
    std::vector<std::uint32_t> inKeyOrder;
    std::vector<char> groupStarts;
    bool allDistinct() const {
      return std::find(groupStarts.begin(), groupStarts.end(), 0) == groupStarts.end();
    }
  };

  Ranking ranking() const {
    const size_t count = m_begin.size() - 1;
    std::vector<Head> heads(count);  // entries in key order as far as sorted yet
    for (size_t i = 0; i < count; ++i) heads[i].index = static_cast<std::uint32_t>(i);
    std::vector<char> groupStarts(count, 0);
    if (count > 0) groupStarts[0] = 1;
    std::vector<Range> tied = {{0, count, 0}};
    std::vector<Head> scratch;
    while (!tied.empty()) {
      const Range range = tied.back();
      tied.pop_back();
      if (range.end - range.begin <= kSmallGroup) {
        sortSmallGroup(heads, range, groupStarts);
        continue;
      }
      for (size_t at = range.begin; at < range.end; ++at) {
        if (at + kLookAhead < range.end)
          prefetch(keyData(heads[at + kLookAhead].index, range.depth));
        heads[at].lead = leadingNumber(key(heads[at].index), range.depth);
      }
      sortByLead(std::span(heads).subspan(range.begin, range.end - range.begin), scratch);
      size_t runBegin = range.begin;
      for (size_t at = range.begin; at < range.end; ++at) {
        if (at + 1 < range.end && heads[at + 1].lead == heads[runBegin].lead) continue;
        groupStarts[runBegin] = 1;
        // A run's members agree on every byte so far, so one of them that ended before the
        // last of those bytes tells that all are equal: no key holds a zero where a shorter one
        // is padded, but its one separator, which lies where the shorter key's does. One that
        // ends on the last byte may still be a proper prefix of the others.
        if (at > runBegin && key(heads[runBegin].index).size() >= range.depth + 8)
          tied.push_back({runBegin, at + 1, range.depth + 8});
        runBegin = at + 1;
      }
    }
    Ranking result{std::vector<std::uint32_t>(count), std::move(groupStarts)};
    for (size_t at = 0; at < count; ++at) result.inKeyOrder[at] = heads[at].index;
    return result;
  }

 private:
  struct Head {
    std::uint64_t lead;
    std::uint32_t index;
  };
  // Entries [begin, end) of the sorted heads, which agree on their first `depth` bytes.
  struct Range {
    size_t begin, end, depth;
  };

  std::string_view key(size_t i) const {
    return std::string_view(m_keys).substr(m_begin[i], m_begin[i + 1] - m_begin[i]);
  }
  const char* keyData(size_t i, size_t depth) const { return m_keys.data() + m_begin[i] + depth; }

  // Eight bytes from `depth` on as one number, the first the most significant; a short key is
  // padded with zeros.
  static std::uint64_t leadingNumber(std::string_view k, size_t depth) {
    if (k.size() >= depth + 8) return bigEndian64(k.data() + depth);
    std::uint64_t lead = 0;
    for (size_t i = depth; i < depth + 8; ++i)
      lead = (lead << 8) | (i < k.size() ? static_cast<unsigned char>(k[i]) : 0u);
    return lead;
  }

  // A radix sort, a byte at a time from the last: a comparison sort took twice as long, and a
  // byte that all the leads share (names begin alike) costs only its count.
  static void sortByLead(std::span<Head> heads, std::vector<Head>& scratch) {
    if (heads.size() < kRadixFrom) {
      std::sort(heads.begin(), heads.end(),
                [](const Head& a, const Head& b) { return a.lead < b.lead; });
      return;
    }
    std::array<std::array<size_t, 256>, 8> counts{};
    for (const Head& h : heads)
      for (size_t b = 0; b < 8; ++b) ++counts[b][(h.lead >> (8 * b)) & 0xFF];
    scratch.resize(heads.size());
    std::span<Head> from = heads, to = scratch;
    for (size_t b = 0; b < 8; ++b) {
      std::array<size_t, 256>& count = counts[b];
      if (count[(from[0].lead >> (8 * b)) & 0xFF] == heads.size()) continue;
      size_t sum = 0;
      for (size_t& c : count) sum += std::exchange(c, sum);
      for (const Head& h : from) to[count[(h.lead >> (8 * b)) & 0xFF]++] = h;
      std::swap(from, to);
    }
    if (from.data() != heads.data()) std::copy(from.begin(), from.end(), heads.begin());
  }

  // A small group's keys fit in the cache together, so a plain comparison sort over the rest of
  // the keys is cheaper than further rounds, which would fetch every member once per round.
  void sortSmallGroup(std::vector<Head>& heads, Range range, std::vector<char>& groupStarts) const {
    const auto begin = heads.begin() + static_cast<std::ptrdiff_t>(range.begin);
    const auto end = heads.begin() + static_cast<std::ptrdiff_t>(range.end);
    auto rest = [&](const Head& h) { return key(h.index).substr(range.depth); };
    std::sort(begin, end, [&](const Head& a, const Head& b) { return rest(a) < rest(b); });
    for (auto it = begin + 1; it < end; ++it)
      if (rest(*(it - 1)) != rest(*it)) groupStarts[static_cast<size_t>(it - heads.begin())] = 1;
  }

  std::string m_keys;           // every entry's key, back to back
  std::vector<size_t> m_begin;  // where each key begins, and where the last ends
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

// Ranks of the entries' keys for the quicksort: equal keys share a rank, so comparing two ranks
// answers exactly what comparing the texts would.
std::vector<Item> rankedItems(const KeyRanks::Ranking& ranking) {
  std::vector<Item> items(ranking.inKeyOrder.size());
  std::uint32_t rank = 0;
  for (size_t at = 0; at < items.size(); ++at) {
    if (at > 0 && ranking.groupStarts[at]) ++rank;
    const std::uint32_t index = ranking.inKeyOrder[at];
    items[index] = {rank, index};
  }
  return items;
}

// Where each entry of the range goes: entry k of the sorted range is order[k] of the old one.
// Where no two keys are equal, every correct sort leaves the same order, the key order itself,
// and the quicksort's steps need not be taken; one folder's names are always distinct.
template <typename PartsAt>
std::vector<std::uint32_t> sortedOrder(long lo, long hi, PartsAt partsAt, int iSortOption,
                                       int iDescOption) {
  const auto count = static_cast<size_t>(hi - lo + 1);
  KeyRanks::Ranking ranking = KeyRanks(count, partsAt, iSortOption == 1).ranking();
  if (ranking.allDistinct()) {
    if (iDescOption == 1) std::reverse(ranking.inKeyOrder.begin(), ranking.inKeyOrder.end());
    return std::move(ranking.inKeyOrder);
  }
  std::vector<Item> items = rankedItems(ranking);
  ranking = {};
  if (iDescOption == 1) {
    // "Goes before" turns into "greater than", which is "less than" for ranks counted downwards.
    for (Item& item : items) item.rank = std::numeric_limits<std::uint32_t>::max() - item.rank;
  }
  ClassicQuickSort(items, lo).sort(lo, hi);
  std::vector<std::uint32_t> order(count);
  for (size_t k = 0; k < count; ++k) order[k] = items[k].index;
  return order;
}

}  // namespace

void SplitFileName(const std::filesystem::path& path, std::string& baseName,
                   std::string& extension) {
  const std::string text = platform::pathToUtf8(path);
  const NameParts parts = splitName(text);
  baseName.assign(parts.baseName);
  extension.assign(parts.extension);
}

// The keys are split and folded once per sort rather than once per comparison, the quicksort
// runs over small rank records, and the paths themselves move only once at the end.
void QuickSortFiles(std::vector<platform::PathText>& table, long lo, long hi, int iSortOption,
                    int iDescOption) {
  // The window always passes 0 to the final index; anything outside the table is left alone
  // rather than read past its end.
  if (lo >= hi || lo < 0 || hi >= static_cast<long>(table.size())) return;
  std::string scratch;
  const auto first = table.begin() + lo;
  const std::vector<std::uint32_t> order = sortedOrder(
      lo, hi, [&](size_t i) { return splitName(shownText(first[i], scratch)); }, iSortOption,
      iDescOption);
  std::vector<platform::PathText> sorted;
  sorted.reserve(order.size());
  for (const std::uint32_t from : order) sorted.push_back(std::move(first[from]));
  std::move(sorted.begin(), sorted.end(), first);
}

// Only the names are read, and only the small entry records move.
void QuickSortFiles(FileTable& table, long lo, long hi, int iSortOption, int iDescOption) {
  if (lo >= hi || lo < 0 || hi >= static_cast<long>(table.size())) return;
  std::string scratch;
  const std::vector<std::uint32_t> order = sortedOrder(
      lo, hi,
      [&](size_t i) {
        const size_t entry = static_cast<size_t>(lo) + i;
        NameParts parts = splitFileNameOnly(shownText(table.name(entry), scratch));
        parts.valid = table.rowIsOwnBytes(entry);
        return parts;
      },
      iSortOption, iDescOption);
  table.permute(static_cast<size_t>(lo), order);
}

}  // namespace batora
