#pragma once
// The main window's behaviour without a toolkit: start-up, the close rule, and every event of
// the command map, on the controls a front end built from fmMainLayout().

#include <filesystem>
#include <memory>
#include <string>

#include "bsfunc.h"
#include "clock.h"
#include "clsinifile.h"
#include "clsobjctrl.h"
#include "folderchoice.h"
#include "formevent.h"
#include "formhost.h"
#include "logswitches.h"
#include "namingrule.h"
#include "toolkit.h"
#include "windowrenamerun.h"
#include "windowundorun.h"

namespace batora {

// What the program hands the window: created once by main, replaced by tests.
struct MainFormServices {
  Toolkit& toolkit;
  Clock& clock;
  std::filesystem::path programFolder;
  std::string exeName;
};

class MainForm final : private RenameHost, private FolderChoiceHost {
 public:
  // The host's controls must exist already and outlive the form.
  MainForm(MainFormServices services, FormHost& host);
  ~MainForm() override;
  MainForm(const MainForm&) = delete;
  MainForm& operator=(const MainForm&) = delete;

  // The start-up sequence. False when the program ends without showing the window (another
  // instance runs, or the settings file cannot be read).
  bool Form_Load();
  // True when the close request is refused: the window's own close command while a run can
  // still be stopped.
  bool Form_QueryUnload(CloseSource source);
  // Runs the handler the command map gives the event. True when the event was handled; for a
  // key press, true when the key is consumed and must not reach the control.
  bool handle(const FormEvent& event);

  int CmnGetFindDirOption() const override;
  const clsIniFile& settings() const { return m_settings; }
  clsObjCtrl& objCtrl() { return m_objCtrl; }
  bool bStopRename() const { return m_run.bStopRename(); }

 private:
  struct Route;
  static const Route* routeOf(const FormEvent& event);

  void applyStartFolder();
  void centreOnScreen();
  void fitTextPanel();
  // Enter opens the highlighted folder; other keys go to the list.
  bool DirLstBox_KeyPress(char32_t key);
  // Searches the folder list's path, except while start-up points it at the start folder.
  void DirLstBox_Change();
  void sortBy(int iSortOption);
  void CmnMoveFile(int iDirection);
  void CmnSelectAll(bool bSelect);
  void mnEnd_Click();
  void mnMan_Click();
  void mnVersion_Click();
  void mnViewNew_Click();
  void mnViewRenLog_Click();
  void mnOutLogRen_Click();
  void stbStatus_PanelClick(std::string_view key);

  // RenameHost
  Window& form() override;
  ListBox& fileList() override;
  Command& stopButton() override;
  Command& stopMenuItem() override;
  StatusBar& statusBar() override;
  int findDirOption() const override { return CmnGetFindDirOption(); }
  std::filesystem::path folderPath() const override;
  int sortDescValue() const override;
  void unloadWindow() override;
  void endAtOnce() override;
  // FolderChoiceHost
  FolderList& folderList() override;
  TextField& patternBox() override;
  DriveList& driveList() override;
  std::string driveOf(const std::string& path) const override;

  MainFormServices m_services;
  FormHost& m_host;
  clsIniFile m_settings;
  bsFunc m_func;
  clsObjCtrl m_objCtrl;
  NamingRule m_rule;
  WindowRenameRun m_run;
  WindowUndoRun m_undo;
  FolderChoice m_choice;
  // True while start-up points the folder list at the start folder.
  bool m_placingStartFolder = false;
  std::unique_ptr<LogSwitches> m_logs;
};

}  // namespace batora
