#include "quicksortfiles.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string_view>
#include <type_traits>
#include <utility>

#include "keyranking.h"
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

// True when the eight bytes at `bytes` are all ASCII.
bool asciiOctet(const char* bytes) {
  std::uint64_t value;
  std::memcpy(&value, bytes, sizeof value);
  return (value & 0x8080808080808080u) == 0;
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
    if (i + 8 <= text.size() && asciiOctet(text.data() + i)) {
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

// Every entry's key, each folded once into one buffer: the primary text in order bytes, a zero
// byte, the secondary text. No name holds a zero, so it sorts below every character: a proper
// prefix comes first, and the secondary text counts only between equal primary ones.
template <typename PartsAt>
KeyRanking rankedKeys(size_t count, PartsAt partsAt, bool byName) {
  std::string keys;
  std::vector<size_t> begin;
  begin.reserve(count + 1);
  for (size_t i = 0; i < count; ++i) {
    const NameParts parts = partsAt(i);
    begin.push_back(keys.size());
    appendOrderBytes(keys, byName ? parts.baseName : parts.extension, parts.valid);
    keys += '\0';
    appendOrderBytes(keys, byName ? parts.extension : parts.baseName, parts.valid);
  }
  begin.push_back(keys.size());
  keys.shrink_to_fit();  // the ranking's own vectors come on top of it
  return rankKeys(keys, begin);
}

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
std::vector<Item> rankedItems(const KeyRanking& ranking) {
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
  KeyRanking ranking = rankedKeys(count, partsAt, iSortOption == 1);
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
