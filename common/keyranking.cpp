#include "keyranking.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstring>
#include <span>
#include <utility>

namespace batora {
namespace {

// How far ahead the loops over the keys ask for memory they will read: each key lies somewhere
// else in the buffer, and waiting for each in turn was a good part of the sort's time.
constexpr std::size_t kLookAhead = 8;

// Up to this many entries, a group of tied keys is finished with a comparison sort.
constexpr std::size_t kSmallGroup = 32;

// From this many entries on, the counts of a radix sort cost less than the comparisons.
constexpr std::size_t kRadixFrom = 256;

// A hint only; without it the loads simply wait.
inline void prefetch(const void* address) {
#if defined(__GNUC__) || defined(__clang__)
  __builtin_prefetch(address);
#else
  static_cast<void>(address);
#endif
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

// The keys are ordered eight bytes at a time as one number, each round only within the groups
// still tied. A comparison sort over whole keys spent most of its time waiting for keys
// scattered in memory, and many names share a long beginning; here a round reads each tied key's
// next bytes once, and runs of equal keys (one file name in many folders) cost no string
// comparisons at all.
class Ranker {
 public:
  Ranker(std::string_view keys, const std::vector<std::size_t>& begin)
      : m_keys(keys), m_begin(begin) {}

  KeyRanking rank() const {
    const std::size_t count = m_begin.size() - 1;
    std::vector<Head> heads(count);  // entries in key order as far as sorted yet
    for (std::size_t i = 0; i < count; ++i) heads[i].index = static_cast<std::uint32_t>(i);
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
      for (std::size_t at = range.begin; at < range.end; ++at) {
        if (at + kLookAhead < range.end)
          prefetch(m_keys.data() + m_begin[heads[at + kLookAhead].index] + range.depth);
        heads[at].lead = leadingNumber(key(heads[at].index), range.depth);
      }
      sortByLead(std::span(heads).subspan(range.begin, range.end - range.begin), scratch);
      std::size_t runBegin = range.begin;
      for (std::size_t at = range.begin; at < range.end; ++at) {
        if (at + 1 < range.end && heads[at + 1].lead == heads[runBegin].lead) continue;
        groupStarts[runBegin] = 1;
        // A run's members agree on every byte so far, so one of them that ended before the
        // last of those bytes tells that all are equal (the padding rule of the header). One
        // that ends on the last byte may still be a proper prefix of the others.
        if (at > runBegin && key(heads[runBegin].index).size() >= range.depth + 8)
          tied.push_back({runBegin, at + 1, range.depth + 8});
        runBegin = at + 1;
      }
    }
    KeyRanking result{std::vector<std::uint32_t>(count), std::move(groupStarts)};
    for (std::size_t at = 0; at < count; ++at) result.inKeyOrder[at] = heads[at].index;
    return result;
  }

 private:
  struct Head {
    std::uint64_t lead;
    std::uint32_t index;
  };
  // Entries [begin, end) of the sorted heads, which agree on their first `depth` bytes.
  struct Range {
    std::size_t begin, end, depth;
  };

  std::string_view key(std::size_t i) const {
    return m_keys.substr(m_begin[i], m_begin[i + 1] - m_begin[i]);
  }

  // Eight bytes from `depth` on as one number, the first the most significant; a short key is
  // padded with zeros.
  static std::uint64_t leadingNumber(std::string_view k, std::size_t depth) {
    if (k.size() >= depth + 8) return bigEndian64(k.data() + depth);
    std::uint64_t lead = 0;
    for (std::size_t i = depth; i < depth + 8; ++i)
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
    std::array<std::array<std::size_t, 256>, 8> counts{};
    for (const Head& h : heads)
      for (std::size_t b = 0; b < 8; ++b) ++counts[b][(h.lead >> (8 * b)) & 0xFF];
    scratch.resize(heads.size());
    std::span<Head> from = heads, to = scratch;
    for (std::size_t b = 0; b < 8; ++b) {
      std::array<std::size_t, 256>& count = counts[b];
      if (count[(from[0].lead >> (8 * b)) & 0xFF] == heads.size()) continue;
      std::size_t sum = 0;
      for (std::size_t& c : count) sum += std::exchange(c, sum);
      for (const Head& h : from) to[count[(h.lead >> (8 * b)) & 0xFF]++] = h;
      std::swap(from, to);
    }
    if (from.data() != heads.data()) std::copy(from.begin(), from.end(), heads.begin());
  }

  // A small group's keys fit in the cache together, so a plain comparison sort over the rest of
  // the keys is cheaper than further rounds, which would fetch every member once per round.
  void sortSmallGroup(std::vector<Head>& heads, Range range, std::vector<char>& groupStarts) const {
    if (range.end - range.begin < 2) return;  // nothing to order, and no second entry to step to
    const auto begin = heads.begin() + static_cast<std::ptrdiff_t>(range.begin);
    const auto end = heads.begin() + static_cast<std::ptrdiff_t>(range.end);
    auto rest = [&](const Head& h) { return key(h.index).substr(range.depth); };
    std::sort(begin, end, [&](const Head& a, const Head& b) { return rest(a) < rest(b); });
    for (auto it = begin + 1; it < end; ++it)
      if (rest(*(it - 1)) != rest(*it))
        groupStarts[static_cast<std::size_t>(it - heads.begin())] = 1;
  }

  std::string_view m_keys;
  const std::vector<std::size_t>& m_begin;
};

}  // namespace

bool KeyRanking::allDistinct() const {
  return std::find(groupStarts.begin(), groupStarts.end(), 0) == groupStarts.end();
}

KeyRanking rankKeys(std::string_view keys, const std::vector<std::size_t>& begin) {
  return Ranker(keys, begin).rank();
}

}  // namespace batora
