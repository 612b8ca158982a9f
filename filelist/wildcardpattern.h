#pragma once
// File-name patterns with the meaning users know from the home platform.

#include <filesystem>
#include <string>
#include <string_view>

namespace batora {

// `*` matches any run of characters, `?` any one character; letters match without regard to
// case. A pattern ending in ".*" also matches names without an extension ("*.*" matches every
// name); a pattern ending in a single "." matches names without an extension only ("*.").
class WildcardPattern {
 public:
  explicit WildcardPattern(std::string_view pattern);
  bool matches(const std::filesystem::path& name) const;
  // True when every name matches ("*", "*.*").
  bool matchesAll() const { return m_everything; }

 private:
  std::u32string m_pattern;
  bool m_everything = false;
  bool m_extensionOptional = false;
  bool m_noExtension = false;
};

}  // namespace batora
