#pragma once
// The list controller: the table of found files and the file list that shows it.
// Row i of the list always shows table entry i, relative to the searched folder.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bsfunc.h"
#include "filetable.h"
#include "platform.h"
#include "toolkit.h"

namespace batora {

inline constexpr std::string_view kSelectedCountCaption = "選択ファイル数 : ";

class clsObjCtrl {
 public:
  explicit clsObjCtrl(bsFunc& func);

  void ListControl(ListBox* oList) { m_list = oList; }
  void LabelSelFileNum(Label* oLabel) { m_label = oLabel; }

  // Searches the folder at depth 1, 2 or 3 (anything else behaves as 2) and fills the table
  // and the list. Returns true when the search FAILED; the list is then empty.
  bool SetFileList(Window& oForm, const std::filesystem::path& sDirectoryPath, int iHandleOption,
                   StatusBar& oStatusBar);

  // The searched folder with a trailing separator; empty while no folder is listed.
  std::filesystem::path CurrentPath() const;
  // Highest table index, -1 when empty.
  long SelectionFiles_FinalIndex() const { return static_cast<long>(m_files.size()) - 1; }
  // Full path of entry lIndex; empty outside the table.
  std::filesystem::path SelectionFileName(long lIndex) const;
  std::string SerchFileName() const { return m_pattern; }
  // Stored trimmed; an empty pattern is stored as "*.*".
  void SerchFileName(std::string_view sParam);

  void RefreshListByArray();
  // Exchanges two rows and their table entries; on failure every change is undone.
  bool SwapFilesList(long lIndex1, long lIndex2);
  // "選択ファイル数 : 1,234"; without a count, the list's selected count.
  void ShowSelNumber(std::optional<long> lCount = std::nullopt);
  void SortList(Window& oForm, int iSortOption, int iDescOption);

  // The row text that entry `index` shows.
  std::string rowText(long index) const;

 private:
  bool SearchFiles(const std::filesystem::path& sBase, const std::filesystem::path& sSubDir,
                   StatusBar& oStatusBar);
  bool SearchSubDirectories(const std::filesystem::path& sBase, int iHandleOption,
                            StatusBar& oStatusBar);
  bool SwapFilesArray(long lIndex1, long lIndex2);
  const platform::FolderListing* listing(const std::filesystem::path& folder);
  void clearAll();

  bsFunc& m_func;
  ListBox* m_list = nullptr;
  Label* m_label = nullptr;
  std::string m_pattern;
  std::filesystem::path m_currentFolder;
  FileTable m_files;
  // The folder read last: the walk reads a folder for its files and then, right away, for its
  // subfolders, and one reading serves both.
  std::filesystem::path m_listedFolder;
  std::optional<platform::FolderListing> m_listing;
};

}  // namespace batora
