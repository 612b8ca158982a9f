#pragma once
// The found-file table, kept compactly: each folder's path once, every name back to back in
// one buffer, and a small record per entry that says which folder and which name it is.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform.h"

namespace batora {

class FileTable {
 public:
  using View = std::basic_string_view<platform::PathText::value_type>;

  void clear();
  size_t size() const { return m_entries.size(); }
  // Files added from now on lie in this folder; `prefix` is the folder's full path with its
  // trailing separator, `shownFrom` where the part a row shows begins.
  void beginFolder(const platform::PathText& prefix, size_t shownFrom);
  void addFile(View name);

  // The full path of entry i.
  platform::PathText path(size_t i) const;
  View folderPrefix(size_t i) const { return m_folders[m_entries[i].folder].prefix; }
  View name(size_t i) const;
  // The text row i shows: the path from the folder's `shownFrom` on, with every character no
  // row may show (broken UTF-8, control characters) mended.
  std::string rowText(size_t i) const;
  // True when rowText(i) is the path's own bytes, valid UTF-8 without a control character.
  bool rowIsOwnBytes(size_t i) const { return m_entries[i].shownAsIs; }

  void swap(size_t i, size_t j) { std::swap(m_entries[i], m_entries[j]); }
  // Entry k of the range from `first` on takes the entry that was at first + order[k].
  void permute(size_t first, const std::vector<std::uint32_t>& order);

 private:
  struct Folder {
    platform::PathText prefix;
    size_t shownFrom;
    std::string shown;  // the shown part of the prefix when it needs no mending
    bool shownAsIs;
  };
  // Sixteen bytes: a million entries in 16 MB, and a sort moves these only.
  struct Entry {
    std::uint64_t offset;
    std::uint32_t folder;
    std::uint16_t length;
    bool shownAsIs;
  };

  std::vector<Folder> m_folders;
  platform::PathText m_names;
  std::vector<Entry> m_entries;
};

}  // namespace batora
