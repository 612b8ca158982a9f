#pragma once
// The rename run: checks the rule against the selection, renames the selected files in list
// order, and reports every file, the collisions and a summary.

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "bsfunc.h"
#include "clsobjctrl.h"
#include "namingrule.h"
#include "toolkit.h"

namespace batora {

// The window as the run sees it.
class RenameHost {
 public:
  virtual ~RenameHost() = default;
  virtual Window& form() = 0;
  virtual ListBox& fileList() = 0;                       // lstFile
  virtual Command& stopButton() = 0;                     // cmdStop
  virtual Command& stopMenuItem() = 0;                   // mnStop
  virtual StatusBar& statusBar() = 0;                    // stbStatus
  virtual int findDirOption() const = 0;                 // the selected search depth, -1 when none
  virtual std::filesystem::path folderPath() const = 0;  // the folder list's path
  virtual int sortDescValue() const = 0;                 // ckbSortDesc
  // Yes at the closing question: the window unloads, which ends the program.
  virtual void unloadWindow() = 0;
  // After the fatal message: the process ends without any further window event.
  virtual void endAtOnce() = 0;
};

// The controls that stay enabled while a run locks the window.
const std::vector<std::string>& renameLockExceptions();

inline constexpr std::string_view kStopWaitingCaption = "待機中 . . .";

class RenameRun {
 public:
  RenameRun(bsFunc& func, clsObjCtrl& objCtrl, NamingRule& rule, RenameHost& host);

  void CmnStartRename();
  void CmnStopRename();
  bool bStopRename() const { return m_stopRename; }

 private:
  struct Progress {
    long total = 0;
    long errors = 0;
    long handled = 0;  // files the loop reached
    bool leftEarly = false;
  };

  bool checksPass(long selectedCount);
  bool confirmed();
  std::vector<int> selectedRows();
  // Renames file k; returns false when the user chose to stop at a collision.
  bool renameOne(long k, int row, long digits, Progress& progress);
  std::string summary(const Progress& progress) const;
  void reportInterruption(const std::vector<int>& rows, long digits, const Progress& progress);
  void closeRun(const Progress& progress);

  bsFunc& m_func;
  clsObjCtrl& m_objCtrl;
  NamingRule& m_rule;
  RenameHost& m_host;
  bool m_stopRename = false;
  std::string m_savedStopCaption;
  std::string m_savedStopMenuCaption;
};

// Why the rule cannot be applied to the selection, as the user is told; nullopt when it can.
// Checked in this order: a selection, a number of digits, 1 to 4 digits, few enough files for
// the digits, no forbidden character in the common part.
std::optional<std::string> renameRefusal(long selectedCount, std::string_view digitsText,
                                         std::string_view commonPart);

// The sequence text of file k (0-based) for d digits: k + 1 padded with zeros.
std::string sequenceText(long k, long digits);

}  // namespace batora
