#pragma once
// The main window: every control the user works with, the menu tree, the status bar, start-up
// and shutdown, and the wiring of every event to the routine that handles it.

#include <QMainWindow>
#include <array>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "bsfunc.h"
#include "clock.h"
#include "clsinifile.h"
#include "clsobjctrl.h"
#include "folderchoice.h"
#include "toolkit.h"
#include "windowrenamerun.h"

class QAction;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QRadioButton;

namespace batora {

class QtDriveList;
class QtFolderList;
class QtListBox;
class QtStatusBar;
class QtLogViewer;
class QtWindow;

// What the program hands the window: created once by main, replaced by tests.
struct fmMainServices {
  Toolkit& toolkit;
  Clock& clock;
  std::filesystem::path programFolder;
  std::string exeName;
  // Ends the process at once, without any further window event.
  std::function<void()> endAtOnce;
};

class fmMain final : public QMainWindow, private RenameHost, private FolderChoiceHost {
  Q_OBJECT

 public:
  explicit fmMain(fmMainServices services, QWidget* parent = nullptr);
  ~fmMain() override;

  // The start-up sequence. False when the program ends without showing the window (another
  // instance runs, or the settings file cannot be read).
  bool Form_Load();

  int CmnGetFindDirOption() const override;
  // Pixels for a length in twips at the screen's logical resolution.
  int twips(int value) const;
  const clsIniFile& settings() const { return m_settings; }
  clsObjCtrl& objCtrl() { return m_objCtrl; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Engine;

  void buildControls();
  void buildMenus();
  void registerControlWalk();
  void connectCommands();
  void centreOnScreen();
  void applyStartFolder();
  void acceptDrops(QWidget& target);
  bool dropEvent(QEvent* event);
  void CmnMoveFile(int iDirection);
  void CmnSelectAll(bool bSelect);
  void sortBy(int iSortOption);
  void openHelp();
  void showAbout();

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

  fmMainServices m_services;
  clsIniFile m_settings;
  bsFunc m_func;
  clsObjCtrl m_objCtrl;
  bool m_unloading = false;
  Picture m_renameLogPicture;

  // Controls, in tab order.
  QLabel* lblDrive = nullptr;
  QtDriveList* DrvLstBox = nullptr;
  QLabel* lblDirectory = nullptr;
  QtFolderList* DirLstBox = nullptr;
  QLabel* lblSerchFile = nullptr;
  QLineEdit* txtSerchFile = nullptr;
  QGroupBox* fraSearchOption = nullptr;
  std::array<QRadioButton*, 3> optSearch{};
  QLabel* lblFileList = nullptr;
  QtListBox* lstFile = nullptr;
  QGroupBox* Frame1 = nullptr;
  QCheckBox* ckbSortDesc = nullptr;
  QPushButton* cmdSortName = nullptr;
  QPushButton* cmdSortExp = nullptr;
  QPushButton* cmdSortUp = nullptr;
  QPushButton* cmdSortDown = nullptr;
  QPushButton* cmdSelectAll = nullptr;
  QPushButton* cmdReleaseAll = nullptr;
  QGroupBox* fraEdit = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* txtName = nullptr;
  QLabel* Label2 = nullptr;
  QLineEdit* txtExp = nullptr;
  QLabel* Label3 = nullptr;
  QLineEdit* txtSeq = nullptr;
  QCheckBox* chbBackSeq = nullptr;
  QLabel* Label4 = nullptr;
  QLineEdit* txtSample = nullptr;
  QPushButton* cmdGo = nullptr;
  QPushButton* cmdStop = nullptr;
  QtStatusBar* stbStatus = nullptr;
  QLabel* lblSelNum = nullptr;

  // Menus and their items.
  QMenu* mnFile = nullptr;
  QAction* mnEnd = nullptr;
  QMenu* mnEdit = nullptr;
  QAction* mnSelectAll = nullptr;
  QAction* mnReleaseAll = nullptr;
  QAction* mnDiv = nullptr;
  QAction* mnDirCopy = nullptr;
  QAction* mnDirPaste = nullptr;
  QMenu* mnView = nullptr;
  QAction* mnViewRenLog = nullptr;
  QAction* mnViewNew = nullptr;
  QMenu* mnOption = nullptr;
  QAction* mnOutLogRen = nullptr;
  QMenu* mnActive = nullptr;
  QAction* mnGo = nullptr;
  QAction* mnStop = nullptr;
  QMenu* mnHelp = nullptr;
  QAction* mnMan = nullptr;
  QAction* mnVersion = nullptr;

  std::unique_ptr<QtWindow> m_form;
  std::unique_ptr<QtLogViewer> m_logViewer;
  std::unique_ptr<Engine> m_engine;
};

}  // namespace batora
