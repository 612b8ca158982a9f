#include "nameorder.h"

#include <algorithm>

#include "platform.h"
#include "utf8.h"

namespace batora {

char32_t foldCase(char32_t c) {
  if (c < 0x80) return (c >= 'a' && c <= 'z') ? c - 0x20 : c;
  if ((c >= 0xE0 && c <= 0xFE && c != 0xF7)) return c - 0x20;
  if (c == 0xFF) return 0x178;
  if (c >= 0x3B1 && c <= 0x3C9 && c != 0x3C2) return c - 0x20;
  if (c >= 0x430 && c <= 0x44F) return c - 0x20;
  if (c >= 0x450 && c <= 0x45F) return c - 0x50;
  if (c >= 0xFF41 && c <= 0xFF5A) return c - 0x20;
  return c;
}

namespace {

struct Keyed {
  std::u16string folded;
  std::u16string exact;
  std::filesystem::path name;
};

std::u16string foldedUtf16(const std::u16string& exact) {
  std::u16string folded = exact;
  for (char16_t& unit : folded) {
    // Every letter folded here lies in the basic plane, so folding unit by unit is exact.
    if (unit < 0xD800 || unit > 0xDFFF) unit = static_cast<char16_t>(foldCase(unit));
  }
  return folded;
}

}  // namespace

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
