#pragma once
// Text routines shared by many parts of the program.

#include <cstdint>
#include <string>
#include <string_view>

#include "platform.h"

namespace batora {

// The text without any occurrence of `sRemove`, matched left to right without overlap and not
// searched again afterwards.
std::string RemoveString(std::string_view sText, std::string_view sRemove);

// Without leading and trailing ASCII spaces.
std::string trimSpaces(std::string_view text);
// Without leading and trailing ASCII and ideographic (U+3000) spaces.
std::string trimBlanks(std::string_view text);

std::string asciiUpper(std::string_view text);

// The text as it may be shown or recorded: every control character (C0 but TAB, DEL, C1)
// becomes "?". With keepCrLf, CR LF pairs, the line breaks of the program's own messages, stay.
std::string printable(std::string_view utf8Text, bool keepCrLf = false);

// A count in full-width digits: 105 -> "１０５".
std::string fullWidthNumber(long long value);
// Digits grouped by three with ",", at least one digit: 0, 12, 1,234.
std::string groupedNumber(long long value);

// Folder and name joined with the path separator, unless the folder already ends with one.
std::string joinPath(std::string_view folder, std::string_view name);

// "YYYY/MM/DD HH:NN:SS"
std::string formatTimestamp(const platform::LocalDateTime& t);
// "yyyymmdd"
std::string formatDate8(const platform::LocalDateTime& t);

}  // namespace batora
