#include "text.h"

#include <cstdio>

namespace batora {

std::string RemoveString(std::string_view sText, std::string_view sRemove) {
  if (sRemove.empty()) return std::string(sText);
  std::string result;
  result.reserve(sText.size());
  size_t pos = 0;
  for (;;) {
    size_t found = sText.find(sRemove, pos);
    if (found == std::string_view::npos) {
      result.append(sText.substr(pos));
      return result;
    }
    result.append(sText.substr(pos, found - pos));
    pos = found + sRemove.size();
  }
}

std::string trimSpaces(std::string_view text) {
  size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return {};
  size_t last = text.find_last_not_of(' ');
  return std::string(text.substr(first, last - first + 1));
}

std::string trimBlanks(std::string_view text) {
  constexpr std::string_view kIdeographicSpace = "\xE3\x80\x80";
  for (bool changed = true; changed;) {
    changed = false;
    if (text.starts_with(' ')) text.remove_prefix(1), changed = true;
    if (text.ends_with(' ')) text.remove_suffix(1), changed = true;
    if (text.starts_with(kIdeographicSpace)) text.remove_prefix(3), changed = true;
    if (text.ends_with(kIdeographicSpace)) text.remove_suffix(3), changed = true;
  }
  return std::string(text);
}

std::string asciiUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return out;
}

// A name holding a line break or an escape sequence could otherwise forge a record of a log,
// or a row of batora-cli's output, or retitle the terminal that shows it.
std::string printable(std::string_view utf8Text, bool keepCrLf) {
  std::string out;
  out.reserve(utf8Text.size());
  for (size_t i = 0; i < utf8Text.size(); ++i) {
    const auto c = static_cast<unsigned char>(utf8Text[i]);
    if (keepCrLf && c == '\r' && i + 1 < utf8Text.size() && utf8Text[i + 1] == '\n') {
      out += "\r\n";
      ++i;
    } else if ((c < 0x20 && c != '\t') || c == 0x7F) {
      out += '?';
    } else if (c == 0xC2 && i + 1 < utf8Text.size() &&
               static_cast<unsigned char>(utf8Text[i + 1]) >= 0x80 &&
               static_cast<unsigned char>(utf8Text[i + 1]) <= 0x9F) {
      out += '?';  // U+0080 to U+009F
      ++i;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out;
}

std::string fullWidthNumber(long long value) {
  std::string digits = std::to_string(value);
  std::string out;
  for (char c : digits) {
    if (c == '-') {
      out += "\xEF\xBC\x8D";  // U+FF0D
    } else {
      // U+FF10 + digit: EF BC 90..99
      out += "\xEF\xBC";
      out.push_back(static_cast<char>(0x90 + (c - '0')));
    }
  }
  return out;
}

std::string groupedNumber(long long value) {
  std::string digits = std::to_string(value < 0 ? -value : value);
  std::string out;
  for (size_t i = 0; i < digits.size(); ++i) {
    if (i > 0 && (digits.size() - i) % 3 == 0) out.push_back(',');
    out.push_back(digits[i]);
  }
  return value < 0 ? "-" + out : out;
}

std::string joinPath(std::string_view folder, std::string_view name) {
  std::string out(folder);
  if (!out.ends_with(platform::kSeparator)) out.push_back(platform::kSeparator);
  out.append(name);
  return out;
}

std::string formatTimestamp(const platform::LocalDateTime& t) {
  char buffer[48];
  std::snprintf(buffer, sizeof buffer, "%04d/%02d/%02d %02d:%02d:%02d", t.year, t.month, t.day,
                t.hour, t.minute, t.second);
  return buffer;
}

std::string formatDate8(const platform::LocalDateTime& t) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%04d%02d%02d", t.year, t.month, t.day);
  return buffer;
}

}  // namespace batora
