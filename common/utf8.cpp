#include "utf8.h"

namespace batora::utf8 {
namespace {

bool isContinuation(unsigned char c) {
  return (c & 0xC0) == 0x80;
}

// Decodes the sequence at the start of a non-empty text; `length` receives its byte count.
// Overlong forms, surrogates and values past U+10FFFF are invalid (length 1).
char32_t decodeOne(std::string_view text, size_t& length) {
  auto b0 = static_cast<unsigned char>(text[0]);
  length = 1;
  if (b0 < 0x80) return b0;
  size_t n;
  char32_t c;
  char32_t min;
  if ((b0 & 0xE0) == 0xC0) {
    n = 2, c = b0 & 0x1Fu, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    n = 3, c = b0 & 0x0Fu, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    n = 4, c = b0 & 0x07u, min = 0x10000;
  } else {
    return 0xFFFD;
  }
  if (text.size() < n) return 0xFFFD;
  for (size_t i = 1; i < n; ++i) {
    auto b = static_cast<unsigned char>(text[i]);
    if (!isContinuation(b)) return 0xFFFD;
    c = (c << 6) | (b & 0x3Fu);
  }
  if (c < min || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return 0xFFFD;
  length = n;
  return c;
}

}  // namespace

size_t sequenceLength(std::string_view text) {
  if (text.empty()) return 0;
  size_t length;
  decodeOne(text, length);
  return length;
}

// Valid stretches are copied whole: file names and log lines are nearly always valid, and
// appending them sequence by sequence cost more than decoding them (it ran for every list row
// and every log line).
std::string sanitize(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  size_t validFrom = 0;
  size_t i = 0;
  while (i < text.size()) {
    if (static_cast<unsigned char>(text[i]) < 0x80) {
      ++i;
      continue;
    }
    size_t length;
    if (decodeOne(text.substr(i), length) == 0xFFFD && length == 1) {
      out.append(text.substr(validFrom, i - validFrom));
      out += kReplacement;
      validFrom = i + 1;
    }
    i += length;
  }
  out.append(text.substr(validFrom));
  return out;
}

std::u32string decode(std::string_view text) {
  std::u32string out;
  out.reserve(text.size());
  while (!text.empty()) {
    size_t length;
    out.push_back(decodeOne(text, length));
    text.remove_prefix(length);
  }
  return out;
}

void append(std::string& out, char32_t c) {
  if (c < 0x80) {
    out.push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (c >> 6)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else if (c < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (c >> 12)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (c >> 18)));
    out.push_back(static_cast<char>(0x80 | ((c >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

std::string encode(std::u32string_view text) {
  std::string out;
  out.reserve(text.size());
  for (char32_t c : text) append(out, c);
  return out;
}

void appendUtf16(std::u16string& out, std::string_view text) {
  while (!text.empty()) {
    auto b0 = static_cast<unsigned char>(text[0]);
    if (b0 < 0x80) {  // the common case, kept cheap for sorting large lists
      out.push_back(b0);
      text.remove_prefix(1);
      continue;
    }
    size_t length;
    char32_t c = decodeOne(text, length);
    text.remove_prefix(length);
    if (c < 0x10000) {
      out.push_back(static_cast<char16_t>(c));
    } else {
      c -= 0x10000;
      out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
      out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
    }
  }
}

std::u16string toUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  appendUtf16(out, text);
  return out;
}

size_t length(std::string_view text) {
  size_t count = 0;
  while (!text.empty()) {
    text.remove_prefix(sequenceLength(text));
    ++count;
  }
  return count;
}

std::string left(std::string_view text, size_t count) {
  size_t bytes = 0;
  for (size_t i = 0; i < count && bytes < text.size(); ++i)
    bytes += sequenceLength(text.substr(bytes));
  return std::string(text.substr(0, bytes));
}

}  // namespace batora::utf8
