#include "wildcardpattern.h"

#include "nameorder.h"
#include "platform.h"
#include "utf8.h"

namespace batora {
namespace {

std::u32string folded(std::string_view text) {
  std::u32string out = utf8::decode(text);
  foldCase(out);
  return out;
}

// Classic glob with one backtracking point per star. With `dotsAreWalls`, neither wildcard
// matches a dot.
bool globMatch(std::u32string_view pattern, std::u32string_view name, bool dotsAreWalls) {
  size_t p = 0, n = 0;
  size_t starP = std::u32string_view::npos, starN = 0;
  while (n < name.size()) {
    const bool wildcardMayTake = !(dotsAreWalls && name[n] == U'.');
    if (p < pattern.size() && pattern[p] == U'*') {
      starP = p++;
      starN = n;
    } else if (p < pattern.size() &&
               (pattern[p] == name[n] || (pattern[p] == U'?' && wildcardMayTake))) {
      ++p, ++n;
    } else if (starP != std::u32string_view::npos && !(dotsAreWalls && name[starN] == U'.')) {
      p = starP + 1;
      n = ++starN;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == U'*') ++p;
  return p == pattern.size();
}

}  // namespace

WildcardPattern::WildcardPattern(std::string_view pattern) : m_pattern(folded(pattern)) {
  m_everything = m_pattern == U"*" || m_pattern == U"*.*";
  std::u32string_view view = m_pattern;
  if (view.size() >= 2 && view.ends_with(U".*")) {
    m_extensionOptional = true;
  } else if (view.ends_with(U'.') && !view.ends_with(U"..")) {
    m_noExtension = true;
    m_pattern.pop_back();
  }
}

bool WildcardPattern::matches(const std::filesystem::path& name) const {
  if (matchesAll()) return true;
  const std::u32string folded_name = folded(platform::pathToUtf8(name));
  if (m_noExtension) return globMatch(m_pattern, folded_name, true);
  if (globMatch(m_pattern, folded_name, false)) return true;
  if (!m_extensionOptional) return false;
  std::u32string_view stem(m_pattern);
  stem.remove_suffix(2);
  return folded_name.find(U'.') == std::u32string::npos && globMatch(stem, folded_name, false);
}

}  // namespace batora
