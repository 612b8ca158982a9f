#include "nameorder.h"

#include <algorithm>

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

struct Keyed {
  std::u16string folded;
  std::u16string exact;
  std::filesystem::path name;
};

std::u16string foldedUtf16(const std::u16string& exact) {
  std::u16string folded = exact;
  for (char16_t& unit : folded) unit = static_cast<char16_t>(foldCase(unit));
  return folded;
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

void sortInHomeOrder(std::vector<std::filesystem::path>& names) {
  std::vector<Keyed> keyed;
  keyed.reserve(names.size());
  for (auto& name : names) {
    std::u16string exact = utf8::toUtf16(platform::pathToUtf8(name));
    std::u16string folded = foldedUtf16(exact);
    keyed.push_back({std::move(folded), std::move(exact), std::move(name)});
  }
  std::sort(keyed.begin(), keyed.end(), [](const Keyed& a, const Keyed& b) {
    if (int c = a.folded.compare(b.folded); c != 0) return c < 0;
    if (int c = a.exact.compare(b.exact); c != 0) return c < 0;
    return a.name.native() < b.name.native();  // names that differ only in broken bytes
  });
  for (size_t i = 0; i < names.size(); ++i) names[i] = std::move(keyed[i].name);
}

}  // namespace batora
