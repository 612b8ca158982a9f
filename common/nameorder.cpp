#include "nameorder.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <type_traits>

#include "keyranking.h"
#include "platform.h"
#include "upcasetable.h"
#include "utf8.h"

namespace batora {
namespace {

// Built once, on first use, for every thread: the list order folds every unit of every name
// in a folder, and a lookup is the cheapest fold there is.
const UpcaseTable& upcase() {
  static const UpcaseTable table = buildUpcaseTable();
  return table;
}

// The name as UTF-16 code units, appended to `out`: where the system keeps names as bytes they
// are decoded in place, which is what converting them to shown text and then to UTF-16 gives.
template <typename Native>
void appendExactUtf16(std::u16string& out, const Native& native) {
  if constexpr (std::is_same_v<Native, std::string>)
    utf8::appendUtf16(out, native);
  else
    utf8::appendUtf16(out, platform::pathToUtf8(std::filesystem::path(native)));
}

}  // namespace

UpcaseTable buildUpcaseTable() {
  UpcaseTable table{};
  for (size_t unit = 0; unit < table.size(); ++unit)
    table[unit] = platformUpperCase(static_cast<char16_t>(unit));
  return table;
}

// The home platform folds UTF-16 code units through a table of the basic plane: a character
// beyond it, such as the Deseret 𐐨, is two surrogate units there and keeps its case.
char32_t foldCase(char32_t c) {
  return c < 0x10000 ? upcase()[c] : c;
}

void foldCase(std::u32string& text) {
  for (char32_t& c : text) c = foldCase(c);
}

namespace {

// Writes each UTF-16 unit folded as two bytes, the high one first, so that byte order is unit
// order; returns the end of what it wrote.
char* writeUnits(char* out, std::u16string_view units, const UpcaseTable& table) {
  for (const char16_t unit : units) {
    const char16_t folded = table[unit];
    *out++ = static_cast<char>(folded >> 8);
    *out++ = static_cast<char>(folded & 0xFF);
  }
  return out;
}

// The name's UTF-16 units folded to upper case, as bytes in unit order. ASCII, the bulk of most
// names, is folded byte by byte; only the other stretches are decoded. A name has no more UTF-16
// units than UTF-8 bytes, so the room is made once.
template <typename Native>
void appendFoldedKey(std::string& out, const Native& native, std::u16string& scratch) {
  const UpcaseTable& table = upcase();
  if constexpr (std::is_same_v<Native, std::string>) {
    const size_t at = out.size();
    out.resize(at + 2 * native.size());
    char* to = out.data() + at;
    for (size_t i = 0; i < native.size();) {
      const auto c = static_cast<unsigned char>(native[i]);
      if (c < 0x80) {
        *to++ = '\0';
        *to++ = static_cast<char>(table[c]);
        ++i;
        continue;
      }
      size_t end = i + 1;
      while (end < native.size() && static_cast<unsigned char>(native[end]) >= 0x80) ++end;
      scratch.clear();
      utf8::appendUtf16(scratch, std::string_view(native).substr(i, end - i));
      to = writeUnits(to, scratch, table);
      i = end;
    }
    out.resize(static_cast<size_t>(to - out.data()));
  } else {
    scratch.clear();
    appendExactUtf16(scratch, native);
    const size_t at = out.size();
    out.resize(at + 2 * scratch.size());
    writeUnits(out.data() + at, scratch, table);
  }
}

const std::filesystem::path::string_type& nativeOf(const std::filesystem::path& name) {
  return name.native();
}
const std::filesystem::path::string_type& nativeOf(const std::filesystem::path::string_type& name) {
  return name;
}

// Names that fold alike (the same name in another case) are rare, so the exact names are
// converted only for them, within each run of equal folded keys.
template <typename Name>
void orderTies(KeyRanking& ranking, const std::vector<Name>& names) {
  auto exactLess = [&](std::uint32_t a, std::uint32_t b) {
    std::u16string exactA, exactB;
    appendExactUtf16(exactA, nativeOf(names[a]));
    appendExactUtf16(exactB, nativeOf(names[b]));
    if (int c = exactA.compare(exactB); c != 0) return c < 0;
    return nativeOf(names[a]) < nativeOf(names[b]);  // names that differ only in broken bytes
  };
  const auto order = ranking.inKeyOrder.begin();
  const size_t count = ranking.inKeyOrder.size();
  for (size_t run = 0; run < count;) {
    size_t end = run + 1;
    while (end < count && !ranking.groupStarts[end]) ++end;
    if (end - run > 1)
      std::sort(order + static_cast<std::ptrdiff_t>(run), order + static_cast<std::ptrdiff_t>(end),
                exactLess);
    run = end;
  }
}

// Every folded key goes into one buffer as bytes that compare as the folded units do, and the
// keys are ranked eight bytes at a time: a folder of many files sorts without an allocation per
// name and without a comparison per pair of names.
template <typename Name>
void sortNames(std::vector<Name>& names) {
  size_t units = 0;
  for (const auto& name : names) units += nativeOf(name).size();
  std::string folded;
  folded.reserve(2 * units);  // a name has no more UTF-16 units than it has units of its own
  std::u16string scratch;
  std::vector<size_t> begin;
  begin.reserve(names.size() + 1);
  for (const auto& name : names) {
    begin.push_back(folded.size());
    appendFoldedKey(folded, nativeOf(name), scratch);
  }
  begin.push_back(folded.size());
  KeyRanking ranking = rankKeys(folded, begin);
  if (!ranking.allDistinct()) orderTies(ranking, names);
  std::vector<Name> sorted;
  sorted.reserve(names.size());
  for (const std::uint32_t i : ranking.inKeyOrder) sorted.push_back(std::move(names[i]));
  names = std::move(sorted);
}

}  // namespace

void sortInHomeOrder(std::vector<std::filesystem::path>& names) {
  sortNames(names);
}

void sortInHomeOrder(std::vector<std::filesystem::path::string_type>& names) {
  sortNames(names);
}

}  // namespace batora
