#pragma once
// Ordering of the found-file table by base name or extension.

#include <filesystem>
#include <string>
#include <vector>

#include "filetable.h"
#include "platform.h"

namespace batora {

// Base name and extension (without the dot) of the last path component, as UTF-8 text.
// Both stay empty when the path holds no separator.
void SplitFileName(const std::filesystem::path& path, std::string& baseName,
                   std::string& extension);

// Sorts table[lo..hi] in place: iSortOption 1 = by base name, else by extension; iDescOption 1 =
// descending. Texts compare ordinally over UTF-16 code units. Entries with equal keys end up in
// exactly the order the classic recursive quicksort (pivot at the middle, rounded half to even)
// leaves them in.
void QuickSortFiles(std::vector<platform::PathText>& table, long lo, long hi, int iSortOption,
                    int iDescOption);
// The same order for the list controller's table.
void QuickSortFiles(FileTable& table, long lo, long hi, int iSortOption, int iDescOption);

}  // namespace batora
