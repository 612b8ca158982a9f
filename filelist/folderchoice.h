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
  virtual DriveList& driveList() = 0;    // DrvLstBox
  // The drive that holds the path: its first two characters on a system with drive letters,
  // the mount point that holds it on one without.
  virtual std::string driveOf(const std::string& path) const = 0;
  // After a fatal message: the process ends without any further window event.
  virtual void endAtOnce() = 0;
  // 1, 2 or 3 for the selected depth option, tested in that order; -1 when none is selected.
  virtual int CmnGetFindDirOption() const = 0;
};

inline constexpr char32_t kKeyEnter = U'\r';
inline constexpr size_t kShownPathLength = 64;

// The text without "\\" and "/": a pattern names files inside the folder, never a path.
std::string withoutSeparators(std::string_view text);

// True when a file or folder matches the text; the last component may hold wildcards.
bool anyEntryMatches(std::string_view text);

class FolderChoice {
 public:
  FolderChoice(bsFunc& func, clsObjCtrl& objCtrl, FolderChoiceHost& host);

  // Searches the folder list's path again at the depth; the search reports its own failures.
  void CmnRefreshFileList(int depth);
  void DirLstBox_Change();
  void optSearch_Click(int index);
  // The box loses every separator, however its text arrived (typed, pasted, dropped); its text
  // without ".." becomes the stored pattern.
  void txtSerchFile_Change();
  // True when the key is consumed: Enter writes the stored pattern back and searches; a path
  // separator cannot be typed.
  bool txtSerchFile_KeyPress(char32_t key);
  void mnDirCopy_Click();
  // Takes a folder path from the clipboard.
  void mnDirPaste_Click();
  // Takes the one folder of a drop.
  void CmnOLEDragDrop(const DropData& data);
  // Points the drive and folder lists at the path when it is a folder; one search follows.
  void CmnSetFilePath(const std::string& path);
  // The user picked a drive; a drive that cannot be opened sends the list back.
  void DrvLstBox_Change();

  // True while the program itself sets the drive list: its change handler then does nothing.
  bool gbDrvReset = false;
  bool gbSetFilePath = false;

 private:
  // Sets the drive list back to the drive of the folder list's path from before; ends the
  // program when even that fails.
  void restoreDrive(const std::string& previousFolder, std::string_view place);

  bsFunc& m_func;
  clsObjCtrl& m_objCtrl;
  FolderChoiceHost& m_host;
};

}  // namespace batora
