#include "clsobjctrl.h"

#include <algorithm>
#include <exception>
#include <string_view>

#include "folderscan.h"
#include "quicksortfiles.h"
#include "text.h"

namespace batora {
namespace fs = std::filesystem;

namespace {

constexpr auto kSep = fs::path::preferred_separator;

fs::path withSeparator(const fs::path& folder) {
  fs::path::string_type s = folder.native();
  if (s.empty() || s.back() != kSep) s += kSep;
  return s;
}

// The length of CurrentPath() without building it.
size_t withSeparatorLength(const fs::path& folder) {
  const fs::path::string_type& s = folder.native();
  if (s.empty()) return 0;
  return s.back() == kSep ? s.size() : s.size() + 1;
}

}  // namespace

clsObjCtrl::clsObjCtrl(bsFunc& func) : m_func(func) {}

void clsObjCtrl::SerchFileName(std::string_view sParam) {
  m_pattern = trimSpaces(sParam);
  if (m_pattern.empty()) m_pattern = "*.*";
}

fs::path clsObjCtrl::CurrentPath() const {
  if (m_currentFolder.empty()) return {};
  return withSeparator(m_currentFolder);
}

fs::path clsObjCtrl::SelectionFileName(long lIndex) const {
  if (lIndex < 0 || lIndex > SelectionFiles_FinalIndex()) return {};
  return m_files.path(static_cast<size_t>(lIndex));
}

std::string clsObjCtrl::rowText(long index) const {
  return m_files.rowText(static_cast<size_t>(index));
}

void clsObjCtrl::clearAll() {
  m_files.clear();
  m_listing.reset();
  m_listedFolder.clear();
}

bool clsObjCtrl::SetFileList(Window& oForm, const fs::path& sDirectoryPath, int iHandleOption,
                             StatusBar& oStatusBar) {
  bool failed = false;
  try {
    oForm.setInputLocked(true);
    m_currentFolder = sDirectoryPath;
    if (m_list) m_list->clear();
    clearAll();
    failed =
        SearchFiles(sDirectoryPath, {}, oStatusBar) ||
        (iHandleOption != 1 && SearchSubDirectories(sDirectoryPath, iHandleOption, oStatusBar));
    if (!failed) {
      RefreshListByArray();
      m_func.SetStatusText(oStatusBar, platform::pathToUtf8(sDirectoryPath));
    }
  } catch (const std::exception&) {
    failed = true;
  }
  // No partial result may survive a failed search.
  if (failed) {
    auto attempt = [](auto&& step) {
      try {
        step();
      } catch (const std::exception&) {
      }
    };
    attempt([&] {
      if (m_list) m_list->clear();
    });
    attempt([&] { clearAll(); });
    attempt([&] { m_currentFolder.clear(); });
    attempt([&] { m_func.SetStatusText(oStatusBar, "検索中に例外エラーが発生しました"); });
  }
  m_listing.reset();
  if (m_list) m_list->repaint();
  oForm.setInputLocked(false);
  return failed;
}

const platform::FolderListing* clsObjCtrl::listing(const fs::path& folder) {
  if (!m_listing || m_listedFolder != folder) {
    // A folder of many files is read in batches, the window answering between them.
    m_listing = scanFolder(folder, m_pattern.empty() ? "*.*" : m_pattern,
                           platform::ReadPauses([this] { m_func.toolkit().yield(); }));
    m_listedFolder = folder;
  }
  return m_listing ? &*m_listing : nullptr;
}

bool clsObjCtrl::SearchFiles(const fs::path& sBase, const fs::path& sSubDir,
                             StatusBar& oStatusBar) {
  const fs::path folderPrefix = withSeparator(sBase);
  // Only an empty part means "no subfolder": a folder named with blanks is a folder like any
  // other, and taking it for none would list the searched folder's files again.
  const bool noSubDir = sSubDir.empty();
  const fs::path prefix =
      noSubDir ? folderPrefix : fs::path(folderPrefix.native() + withSeparator(sSubDir).native());
  m_func.SetStatusText(oStatusBar, platform::pathToUtf8(prefix) + "の検索中...", 200);

  const platform::FolderListing* entries = listing(prefix);
  if (!entries) return true;
  if (entries->files.empty()) return false;
  m_files.beginFolder(prefix.native(), withSeparatorLength(m_currentFolder));
  for (const platform::PathText& name : entries->files) m_files.addFile(name);
  return false;
}

bool clsObjCtrl::SearchSubDirectories(const fs::path& sBase, int iHandleOption,
                                      StatusBar& oStatusBar) {
  const fs::path prefix = withSeparator(sBase);
  const platform::FolderListing* entries = listing(prefix);
  if (!entries) return true;
  // Collected before any subfolder is searched: the walk below reads other folders.
  const std::vector<platform::PathText> subfolders = entries->folders;
  for (const platform::PathText& name : subfolders) {
    if (SearchFiles(prefix, name, oStatusBar)) return true;
    m_func.toolkit().yield();
    if (iHandleOption == 3 && SearchSubDirectories(fs::path(prefix.native() + name), 3, oStatusBar))
      return true;
  }
  return false;
}

void clsObjCtrl::RefreshListByArray() {
  if (m_list)
    m_list->fillRows(m_files.size(), [this](size_t i) { return rowText(static_cast<long>(i)); });
  ShowSelNumber();
}

void clsObjCtrl::ShowSelNumber(std::optional<long> lCount) {
  if (!m_label) return;
  long count = lCount ? *lCount : (m_list ? m_list->selectedCount() : 0);
  m_label->setCaption(std::string(kSelectedCountCaption) + groupedNumber(count));
  m_label->repaint();
}

bool clsObjCtrl::SwapFilesArray(long lIndex1, long lIndex2) {
  if (lIndex1 < 0 || lIndex2 < 0 || lIndex1 > SelectionFiles_FinalIndex() ||
      lIndex2 > SelectionFiles_FinalIndex())
    return false;
  m_files.swap(static_cast<size_t>(lIndex1), static_cast<size_t>(lIndex2));
  return true;
}

bool clsObjCtrl::SwapFilesList(long lIndex1, long lIndex2) {
  if (!m_list) return false;
  const int rows = m_list->rowCount();
  auto inList = [rows](long i) { return i >= 0 && i < rows; };
  if (!inList(lIndex1) || !inList(lIndex2)) return false;
  const int r1 = static_cast<int>(lIndex1), r2 = static_cast<int>(lIndex2);
  const std::string text1 = m_list->rowText(r1), text2 = m_list->rowText(r2);
  m_list->setRowText(r1, text2);
  m_list->setRowText(r2, text1);
  if (!SwapFilesArray(lIndex1, lIndex2)) {
    m_list->setRowText(r1, text1);
    m_list->setRowText(r2, text2);
    return false;
  }
  ShowSelNumber();
  return true;
}

void clsObjCtrl::SortList(Window& oForm, int iSortOption, int iDescOption) {
  if (SelectionFiles_FinalIndex() <= 0) return;
  oForm.setInputLocked(true);
  QuickSortFiles(m_files, 0, SelectionFiles_FinalIndex(), iSortOption, iDescOption);
  RefreshListByArray();
  oForm.setInputLocked(false);
}

}  // namespace batora
