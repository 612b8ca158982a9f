#include "mainform.h"

#include <algorithm>
#include <exception>

#include "aboutform.h"
#include "listcommands.h"
#include "platform.h"
#include "statuspanels.h"

namespace batora {
namespace {

constexpr int kDepthOptions = 3;
// The gaps around the status panels: the text panel ends where the four small ones begin.
constexpr long kStatusBarSlack = 140;

}  // namespace

// One row of the command map: the event of a control and what it runs.
struct MainForm::Route {
  std::string_view control;
  FormEventKind kind;
  bool (*run)(MainForm& form, const FormEvent& event);
};

// Every event the window handles, in the order of its controls; the rest are not handled.
const MainForm::Route* MainForm::routeOf(const FormEvent& event) {
  using K = FormEventKind;
  using F = MainForm;
  using E = const FormEvent&;
  static constexpr Route kRoutes[] = {
      {"DrvLstBox", K::kChange, [](F& f, E) { return f.m_choice.DrvLstBox_Change(), true; }},
      {"DirLstBox", K::kChange, [](F& f, E) { return f.DirLstBox_Change(), true; }},
      {"DirLstBox", K::kKeyPress, [](F& f, E e) { return f.DirLstBox_KeyPress(e.key); }},
      {"DirLstBox", K::kDragDrop,
       [](F& f, E e) { return f.m_choice.CmnOLEDragDrop(*e.drop), true; }},
      {"txtSerchFile", K::kChange, [](F& f, E) { return f.m_choice.txtSerchFile_Change(), true; }},
      {"txtSerchFile", K::kKeyPress,
       [](F& f, E e) { return f.m_choice.txtSerchFile_KeyPress(e.key); }},
      {"optSearch", K::kClick, [](F& f, E e) { return f.m_choice.optSearch_Click(e.index), true; }},
      {"lstFile", K::kClick, [](F& f, E) { return f.m_objCtrl.ShowSelNumber(), true; }},
      {"lstFile", K::kDragDrop, [](F& f, E e) { return f.m_choice.CmnOLEDragDrop(*e.drop), true; }},
      {"cmdSortName", K::kClick, [](F& f, E) { return f.sortBy(1), true; }},
      {"cmdSortExp", K::kClick, [](F& f, E) { return f.sortBy(2), true; }},
      {"cmdSortUp", K::kClick, [](F& f, E) { return f.CmnMoveFile(kMoveUp), true; }},
      {"cmdSortDown", K::kClick, [](F& f, E) { return f.CmnMoveFile(kMoveDown), true; }},
      {"cmdSelectAll", K::kClick, [](F& f, E) { return f.CmnSelectAll(true), true; }},
      {"cmdReleaseAll", K::kClick, [](F& f, E) { return f.CmnSelectAll(false), true; }},
      {"txtName", K::kChange, [](F& f, E) { return f.m_rule.CmnShowSample(), true; }},
      {"txtExp", K::kChange, [](F& f, E) { return f.m_rule.CmnShowSample(), true; }},
      {"txtSeq", K::kChange, [](F& f, E) { return f.m_rule.CmnShowSample(), true; }},
      {"chbBackSeq", K::kClick, [](F& f, E) { return f.m_rule.CmnShowSample(), true; }},
      {"cmdGo", K::kClick, [](F& f, E) { return f.m_run.CmnStartRename(), true; }},
      {"cmdStop", K::kClick, [](F& f, E) { return f.m_run.CmnStopRename(), true; }},
      {"stbStatus", K::kPanelClick,
       [](F& f, E e) { return f.stbStatus_PanelClick(e.panel), true; }},
      {"mnEnd", K::kClick, [](F& f, E) { return f.mnEnd_Click(), true; }},
      {"mnSelectAll", K::kClick, [](F& f, E) { return f.CmnSelectAll(true), true; }},
      {"mnReleaseAll", K::kClick, [](F& f, E) { return f.CmnSelectAll(false), true; }},
      {"mnDirCopy", K::kClick, [](F& f, E) { return f.m_choice.mnDirCopy_Click(), true; }},
      {"mnDirPaste", K::kClick, [](F& f, E) { return f.m_choice.mnDirPaste_Click(), true; }},
      {"mnViewRenLog", K::kClick, [](F& f, E) { return f.mnViewRenLog_Click(), true; }},
      {"mnViewNew", K::kClick, [](F& f, E) { return f.mnViewNew_Click(), true; }},
      {"mnOutLogRen", K::kClick, [](F& f, E) { return f.mnOutLogRen_Click(), true; }},
      {"mnGo", K::kClick, [](F& f, E) { return f.m_run.CmnStartRename(), true; }},
      {"mnStop", K::kClick, [](F& f, E) { return f.m_run.CmnStopRename(), true; }},
      {"mnUndo", K::kClick, [](F& f, E) { return f.m_undo.mnUndo_Click(), true; }},
      {"mnMan", K::kClick, [](F& f, E) { return f.mnMan_Click(), true; }},
      {"mnVersion", K::kClick, [](F& f, E) { return f.mnVersion_Click(), true; }},
  };
  for (const Route& route : kRoutes)
    if (route.control == event.control && route.kind == event.kind) return &route;
  return nullptr;
}

MainForm::MainForm(MainFormServices services, FormHost& host)
    : m_services(std::move(services)),
      m_host(host),
      m_settings(m_services.programFolder),
      m_func(m_services.toolkit, m_settings, m_services.clock, m_services.exeName),
      m_objCtrl(m_func),
      m_rule(host.textField("txtName"), host.textField("txtExp"), host.textField("txtSeq"),
             host.checkField("chbBackSeq"), host.textField("txtSample"), m_services.clock),
      m_run(m_func, m_objCtrl, m_rule, *this),
      m_undo(m_func, m_run, host.menuItem("mnUndo")),
      m_choice(m_func, m_objCtrl, *this) {
  m_run.onUnlocked = [this] { m_undo.updateItem(); };
}

// The file list may read its rows from the list controller's table until it is cleared, and the
// host's controls outlive the form.
MainForm::~MainForm() {
  try {
    fileList().clear();
  } catch (const std::exception&) {
  }
}

bool MainForm::handle(const FormEvent& event) {
  if (event.kind == FormEventKind::kDragDrop && event.drop == nullptr) return false;
  const Route* route = routeOf(event);
  return route != nullptr && route->run(*this, event);
}

bool MainForm::Form_Load() {
  if (m_services.toolkit.previousInstance()) {
    m_func.ShowErrMsg(0, "既に起動されています。", mb::kInformation, "Form_Load");
    unloadWindow();
    return false;
  }
  m_choice.gbDrvReset = true;
  m_choice.gbSetFilePath = false;
  const Picture renameLogPicture = statusBar().panelPicture(kPanelOutLogRen);
  m_objCtrl.ListControl(&fileList());
  m_objCtrl.LabelSelFileNum(&m_host.label("lblSelNum"));
  m_host.window().setCaption("Batora");
  centreOnScreen();

  if (!m_settings.ReadIniFile(kIniFileName, [this](std::string_view place, std::string_view msg) {
        m_func.OutputErrLog(place, msg);
      })) {
    m_func.ShowErrMsg(0, "INIファイル読み込みエラー!! 終了します。", mb::kCritical, "Form_Load");
    endAtOnce();
    return false;
  }
  m_objCtrl.SerchFileName(m_settings.SerchFileName());
  patternBox().setText(m_objCtrl.SerchFileName());
  // The window's making, the folder list's reading of the start folder and the fill's reading of
  // it each take a turn of their own: a start folder of a hundred thousand files takes a while
  // to read, twice.
  m_services.toolkit.yield();
  applyStartFolder();
  m_services.toolkit.yield();
  m_host.checkField("optSearch", m_settings.StartFindDirOption()).setValue(1);

  const NamingRuleStart start = namingRuleStartValues(m_services.clock.now());
  m_host.textField("txtName").setText(start.commonPart);
  m_host.textField("txtExp").setText(start.extension);
  m_host.textField("txtSeq").setText(start.digits);
  m_host.checkField("chbBackSeq").setValue(start.sequenceAfter ? 1 : 0);
  m_rule.CmnShowSample();

  fitTextPanel();
  m_logs = std::make_unique<LogSwitches>(m_settings, m_host.menuItem("mnOutLogRen"), statusBar(),
                                         renameLogPicture);
  m_logs->CmnShowOutLogRen(m_settings.OutputLogRename());
  m_logs->CmnShowOutLogError();
  m_undo.updateItem();
  m_choice.gbDrvReset = false;
  return true;
}

bool MainForm::Form_QueryUnload(CloseSource source) {
  return source == CloseSource::kCloseCommand && stopButton().isEnabled();
}

// The start folder goes to the drive list first, then to the folder list. A start folder the
// folder list cannot take falls back to the program's folder. The folder list's change does not
// search here: no depth is selected yet, so the search would go deeper than any depth the user
// can choose, and selecting the start depth right after fills the list anew anyway.
void MainForm::applyStartFolder() {
  const std::string programFolder = platform::pathToUtf8(m_services.programFolder);
  std::string folder = m_settings.DefaultFindDirPath();
  if (folder.empty()) folder = programFolder;
  // Reset on every way out, a throwing folder list included: later changes must search.
  struct Placing {
    bool& flag;
    ~Placing() { flag = false; }
  } placing{m_placingStartFolder = true};
  for (const std::string& candidate : {folder, programFolder}) {
    driveList().setDrive(driveOf(candidate));
    if (folderList().setPath(candidate)) return;
  }
}

void MainForm::DirLstBox_Change() {
  if (!m_placingStartFolder) m_choice.DirLstBox_Change();
}

void MainForm::centreOnScreen() {
  TopLevelWindow& window = m_host.window();
  const Size screen = m_services.toolkit.screenSizeTwips();
  const Size outer = window.outerSizeTwips();
  window.moveToTwips(
      centredTwips(static_cast<double>(screen.width), static_cast<double>(outer.width)),
      centredTwips(static_cast<double>(screen.height), static_cast<double>(outer.height)));
}

// The text panel takes what the four small panels leave of the window's width.
void MainForm::fitTextPanel() {
  StatusBar& bar = statusBar();
  long smallPanels = 0;
  for (auto key : {kPanelOutLogRen, kPanelOutLogError, kPanelDate, kPanelTime})
    smallPanels += bar.panelWidthTwips(key);
  bar.setPanelWidthTwips(kPanelText,
                         m_host.window().outerSizeTwips().width - smallPanels - kStatusBarSlack);
}

int MainForm::CmnGetFindDirOption() const {
  for (int i = 1; i <= kDepthOptions; ++i)
    if (m_host.checkField("optSearch", i).value() != 0) return i;
  return -1;
}

bool MainForm::DirLstBox_KeyPress(char32_t key) {
  if (key != kKeyEnter) return false;
  FolderList& list = folderList();
  const std::string target = list.highlightedPath();
  if (target != list.path()) list.setPath(target);
  return true;
}

void MainForm::sortBy(int iSortOption) {
  m_objCtrl.SortList(form(), iSortOption, sortDescValue());
}

void MainForm::CmnMoveFile(int iDirection) {
  batora::CmnMoveFile(m_objCtrl, fileList(), m_func, iDirection);
}

void MainForm::CmnSelectAll(bool bSelect) {
  batora::CmnSelectAll(m_objCtrl, fileList(), bSelect);
}

void MainForm::mnEnd_Click() {
  unloadWindow();
}

// The help folder is joined with a separator even at the root: that is where it is installed.
void MainForm::mnMan_Click() {
  std::string folder = platform::pathToUtf8(m_services.programFolder);
  folder += platform::kSeparator;
  folder += "help";
  m_func.ExecRefFile("index.html", folder);
}

void MainForm::mnVersion_Click() {
  m_host.showAbout();
}

void MainForm::mnViewNew_Click() {
  m_choice.CmnRefreshFileList(CmnGetFindDirOption());
}

// The log switches exist from the end of start-up on; earlier clicks find nothing to switch.
void MainForm::mnViewRenLog_Click() {
  if (m_logs) m_logs->mnViewRenLog_Click(m_func, m_host.logViewer());
}

void MainForm::mnOutLogRen_Click() {
  if (m_logs) m_logs->CmnChangeOutLogRen();
}

void MainForm::stbStatus_PanelClick(std::string_view key) {
  if (m_logs) m_logs->stbStatus_PanelClick(key);
}

Window& MainForm::form() {
  return m_host.window();
}
ListBox& MainForm::fileList() {
  return m_host.listBox("lstFile");
}
Command& MainForm::stopButton() {
  return m_host.command("cmdStop");
}
Command& MainForm::stopMenuItem() {
  return m_host.menuItem("mnStop");
}
StatusBar& MainForm::statusBar() {
  return m_host.statusBar("stbStatus");
}
FolderList& MainForm::folderList() {
  return m_host.folderList("DirLstBox");
}
TextField& MainForm::patternBox() {
  return m_host.textField("txtSerchFile");
}
DriveList& MainForm::driveList() {
  return m_host.driveList("DrvLstBox");
}

std::filesystem::path MainForm::folderPath() const {
  return platform::pathFromUtf8(m_host.folderList("DirLstBox").path());
}

int MainForm::sortDescValue() const {
  return m_host.checkField("ckbSortDesc").value() != 0 ? 1 : 0;
}

void MainForm::unloadWindow() {
  m_host.unload();
}

void MainForm::endAtOnce() {
  m_host.endAtOnce();
}

std::string MainForm::driveOf(const std::string& path) const {
  return m_host.driveOf(path);
}

}  // namespace batora
