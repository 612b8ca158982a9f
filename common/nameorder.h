#pragma once
// Case-insensitive text handling as the home platform's file system does it.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace batora {

// The character as the home platform's file system compares it with case ignored: a letter of
// any cased script of the basic plane becomes its upper case; everything else stays.
char32_t foldCase(char32_t c);
// foldCase applied to every character of the text.
void foldCase(std::u32string& text);

// Orders names the way the home platform's file system lists a folder: ordinal over the names
// folded to upper case (UTF-16 code units), ties broken by the exact name.
void sortInHomeOrder(std::vector<std::filesystem::path>& names);
// The same order for names kept as the system's own text.
void sortInHomeOrder(std::vector<std::filesystem::path::string_type>& names);

}  // namespace batora
