#include "filetable.h"

#include <algorithm>
#include <filesystem>
#include <stdexcept>
#include <type_traits>

#include "text.h"
#include "utf8.h"

namespace batora {
namespace {

// Nearly every name is valid UTF-8 without a control character and is shown as it is: one pass
// over it at the search tells so, and a row is then only its bytes copied. Where the system
// keeps paths as UTF-16, every row is converted anyway.
template <typename Text>
bool showsAsIs(const Text& text) {
  if constexpr (std::is_same_v<typename Text::value_type, char>) {
    const std::string_view bytes(text);
    size_t i = 0;
    while (i < bytes.size()) {
      const auto c = static_cast<unsigned char>(bytes[i]);
      if (c >= 0x20 && c < 0x7F) {
        ++i;
        continue;
      }
      // A control character, or the lead byte of a C1 control.
      if (c < 0x80 || c == 0xC2) return false;
      const size_t length = utf8::sequenceLength(bytes.substr(i));
      if (length == 1) return false;  // not UTF-8
      i += length;
    }
    return true;
  } else {
    return false;
  }
}

// The text's bytes where it is shown as it is, which only byte paths are.
template <typename Text>
void appendShown(std::string& out, const Text& text) {
  if constexpr (std::is_same_v<typename Text::value_type, char>) out.append(text);
}

// A name may hold a line break or an escape, which no row may show.
template <typename Text>
std::string mended(const Text& shown) {
  if constexpr (std::is_same_v<typename Text::value_type, char>)
    return printable(utf8::sanitize(shown));
  else
    return printable(platform::pathToUtf8(std::filesystem::path(shown)));
}

}  // namespace

void FileTable::clear() {
  m_folders.clear();
  m_names.clear();
  m_entries.clear();
  m_folders.shrink_to_fit();
  m_names.shrink_to_fit();
  m_entries.shrink_to_fit();
}

void FileTable::beginFolder(const platform::PathText& prefix, size_t shownFrom) {
  shownFrom = std::min(shownFrom, prefix.size());
  const View shownPart = View(prefix).substr(shownFrom);
  const bool asIs = showsAsIs(shownPart);
  std::string shown;
  if (asIs) appendShown(shown, shownPart);
  m_folders.push_back({prefix, shownFrom, std::move(shown), asIs});
}

void FileTable::addFile(View name) {
  if (m_folders.empty()) throw std::logic_error("a file outside any folder");
  if (name.size() > 0xFFFF) throw std::length_error("a file name longer than any file system's");
  const bool asIs = m_folders.back().shownAsIs && showsAsIs(name);
  m_entries.push_back({m_names.size(), static_cast<std::uint32_t>(m_folders.size() - 1),
                       static_cast<std::uint16_t>(name.size()), asIs});
  m_names.append(name);
}

FileTable::View FileTable::name(size_t i) const {
  const Entry& e = m_entries[i];
  return View(m_names).substr(e.offset, e.length);
}

platform::PathText FileTable::path(size_t i) const {
  platform::PathText full(folderPrefix(i));
  full.append(name(i));
  return full;
}

std::string FileTable::rowText(size_t i) const {
  const Entry& e = m_entries.at(i);
  const Folder& folder = m_folders[e.folder];
  if (e.shownAsIs) {
    std::string row;
    row.reserve(folder.shown.size() + e.length);
    row.append(folder.shown);
    appendShown(row, name(i));
    return row;
  }
  const platform::PathText full = path(i);
  return mended(full.substr(folder.shownFrom));
}

void FileTable::permute(size_t first, const std::vector<std::uint32_t>& order) {
  std::vector<Entry> moved;
  moved.reserve(order.size());
  for (const std::uint32_t from : order) moved.push_back(m_entries[first + from]);
  std::copy(moved.begin(), moved.end(), m_entries.begin() + static_cast<std::ptrdiff_t>(first));
}

}  // namespace batora
