#pragma once
// UTF-8 helpers for the texts the program shows and compares.

#include <string>
#include <string_view>
#include <vector>

namespace batora::utf8 {

inline constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// Length of the valid sequence at the start of `text` (1 for an invalid byte, 0 when empty).
size_t sequenceLength(std::string_view text);
// The text with every invalid byte replaced by U+FFFD.
std::string sanitize(std::string_view text);
std::u32string decode(std::string_view text);
void append(std::string& out, char32_t c);
std::string encode(std::u32string_view text);
// UTF-16 code units, so that texts order as the home platform orders them.
std::u16string toUtf16(std::string_view text);
// toUtf16 appended to `out`; an invalid byte becomes U+FFFD, as sanitize makes it.
void appendUtf16(std::u16string& out, std::string_view text);
// Number of characters (code points).
size_t length(std::string_view text);
// The first `count` characters.
std::string left(std::string_view text, size_t count);

}  // namespace batora::utf8
