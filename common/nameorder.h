#pragma once
// Case-insensitive text handling as the home platform's file system does it.

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace batora {

// Simple upper-case folding: ASCII, Latin-1, Greek, Cyrillic and full-width Latin letters.
char32_t foldCase(char32_t c);

// Orders names the way the home platform's file system lists a folder: ordinal over the names
// folded to upper case (UTF-16 code units), ties broken by the exact name.
void sortInHomeOrder(std::vector<std::filesystem::path>& names);

}  // namespace batora
