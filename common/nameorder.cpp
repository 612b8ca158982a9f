#include "nameorder.h"

#include <algorithm>
#include <string_view>
#include <type_traits>

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

// Every folded key goes into one buffer: a folder of many files sorts without an allocation per
// name, and the exact names are converted only for the rare keys that tie.
void sortInHomeOrder(std::vector<std::filesystem::path>& names) {
  std::u16string folded;
  std::vector<size_t> begin;
  begin.reserve(names.size() + 1);
  for (const auto& name : names) {
    begin.push_back(folded.size());
    appendExactUtf16(folded, name.native());
    for (size_t i = begin.back(); i < folded.size(); ++i)
      folded[i] = static_cast<char16_t>(foldCase(folded[i]));
  }
  begin.push_back(folded.size());
  auto key = [&](size_t i) {
    return std::u16string_view(folded).substr(begin[i], begin[i + 1] - begin[i]);
  };
  std::vector<size_t> order(names.size());
  for (size_t i = 0; i < order.size(); ++i) order[i] = i;
  std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
    if (int c = key(a).compare(key(b)); c != 0) return c < 0;
    std::u16string exactA, exactB;
    appendExactUtf16(exactA, names[a].native());
    appendExactUtf16(exactB, names[b].native());
    if (int c = exactA.compare(exactB); c != 0) return c < 0;
    return names[a].native() < names[b].native();  // names that differ only in broken bytes
  });
  std::vector<std::filesystem::path> sorted;
  sorted.reserve(names.size());
  for (size_t i : order) sorted.push_back(std::move(names[i]));
  names = std::move(sorted);
}

}  // namespace batora
