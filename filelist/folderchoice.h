#pragma once
// Which folder is searched, with which pattern and at which depth, and when.

#include <string>

#include "bsfunc.h"
#include "clsobjctrl.h"
#include "toolkit.h"

namespace batora {

// The window as the folder choice sees it.
class FolderChoiceHost {
 public:
  virtual ~FolderChoiceHost() = default;
  virtual Window& form() = 0;
  virtual StatusBar& statusBar() = 0;
  virtual FolderList& folderList() = 0;  // DirLstBox
  virtual TextField& patternBox() = 0;   // txtSerchFile
  // 1, 2 or 3 for the selected depth option, tested in that order; -1 when none is selected.
  virtual int CmnGetFindDirOption() const = 0;
};

inline constexpr char32_t kKeyEnter = U'\r';

class FolderChoice {
 public:
  FolderChoice(bsFunc& func, clsObjCtrl& objCtrl, FolderChoiceHost& host);

  // Searches the folder list's path again at the depth; the search reports its own failures.
  void CmnRefreshFileList(int depth);
  void DirLstBox_Change();
  void optSearch_Click(int index);
  // The box's text, without "..", becomes the stored pattern; the box itself keeps its text.
  void txtSerchFile_Change();
  // True when the key is consumed: Enter writes the stored pattern back and searches; a path
  // separator cannot be typed.
  bool txtSerchFile_KeyPress(char32_t key);
  void mnDirCopy_Click();

 private:
  bsFunc& m_func;
  clsObjCtrl& m_objCtrl;
  FolderChoiceHost& m_host;
};

}  // namespace batora
