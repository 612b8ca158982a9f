#include "fmmain.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDropEvent>
#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QUrl>
#include <algorithm>

#include "fmabout.h"
#include "listcommands.h"
#include "logswitches.h"
#include "namingrule.h"
#include "platform.h"
#include "qstringutf8.h"
#include "qtcontrols.h"
#include "qtdrivelist.h"
#include "qtfolderlist.h"
#include "qtlistbox.h"
#include "qtlogviewer.h"
#include "qtstatusbar.h"
#include "qtwindow.h"
#include "text.h"

// The window's pictures live in a static library, whose resources are not registered by
// themselves.
static void registerWindowResources() {
  Q_INIT_RESOURCE(resources);
}

namespace batora {
namespace {

constexpr int kTwipsPerInch = 1440;
constexpr int kClientWidth = 8115;
constexpr int kClientHeight = 6720;
// The gaps around the status panels: the text panel ends where the four small ones begin.
constexpr int kStatusBarSlack = 140;

enum class Pitch { kFixed, kProportional };

// The classic Japanese system fonts where they exist, else the nearest CJK family.
QFont japaneseFont(Pitch pitch, qreal points) {
  QFont font;
  if (pitch == Pitch::kFixed) {
    font.setFamilies({QStringLiteral("ＭＳ ゴシック"), QStringLiteral("MS Gothic"),
                      QStringLiteral("Noto Sans Mono CJK JP"), QStringLiteral("Noto Sans CJK JP")});
    font.setStyleHint(QFont::Monospace);
  } else {
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("MS PGothic"),
                      QStringLiteral("Noto Sans CJK JP")});
  }
  font.setPointSizeF(points);
  return font;
}

// The menu shortcuts win over the text boxes' own editing keys (Ctrl+C copies the folder).
bool isMenuShortcut(const QKeyEvent& key, const QList<QAction*>& actions) {
  const QKeySequence pressed(key.keyCombination());
  for (const QAction* action : actions)
    if (!action->shortcut().isEmpty() && action->shortcut() == pressed) return true;
  return false;
}

}  // namespace

// The engine objects that need the window's controls: built once the controls stand.
struct fmMain::Engine {
  Engine(fmMain& w)
      : lblSelNum(*w.lblSelNum),
        txtName(*w.txtName),
        txtExp(*w.txtExp),
        txtSeq(*w.txtSeq),
        txtSample(*w.txtSample),
        txtSerchFile(*w.txtSerchFile),
        chbBackSeq(*w.chbBackSeq),
        cmdStop(*w.cmdStop),
        mnStop(*w.mnStop),
        mnOutLogRen(*w.mnOutLogRen),
        rule(txtName, txtExp, txtSeq, chbBackSeq, txtSample, w.m_services.clock),
        run(w.m_func, w.m_objCtrl, rule, w),
        choice(w.m_func, w.m_objCtrl, w) {}

  QtLabel lblSelNum;
  QtTextField txtName, txtExp, txtSeq, txtSample, txtSerchFile;
  QtCheckField chbBackSeq;
  QtCommand cmdStop;
  QtMenuItem mnStop, mnOutLogRen;
  NamingRule rule;
  WindowRenameRun run;
  FolderChoice choice;
  std::unique_ptr<LogSwitches> logs;
};

fmMain::fmMain(fmMainServices services, QWidget* parent)
    : QMainWindow(parent),
      m_services(std::move(services)),
      m_settings(m_services.programFolder),
      m_func(m_services.toolkit, m_settings, m_services.clock, m_services.exeName),
      m_objCtrl(m_func) {
  registerWindowResources();
  setObjectName(QStringLiteral("fmMain"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/batora.xpm")));
  setFont(japaneseFont(Pitch::kProportional, 9));
  buildControls();
  buildMenus();
  m_form = std::make_unique<QtWindow>(*this);
  registerControlWalk();
  m_logViewer = std::make_unique<QtLogViewer>(*this);
  m_engine = std::make_unique<Engine>(*this);
  connectCommands();
  // Fixed single border: the window cannot be resized.
  layout()->setSizeConstraint(QLayout::SetFixedSize);
}

fmMain::~fmMain() = default;

int fmMain::twips(int value) const {
  const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen();
  const qreal dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
  return qRound(value * dpi / kTwipsPerInch);
}

void fmMain::buildControls() {
  auto* client = new QWidget(this);
  client->setFixedSize(twips(kClientWidth), twips(kClientHeight));
  setCentralWidget(client);
  auto place = [this](QWidget* widget, const char* name, int l, int t, int w, int h) {
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twips(l), twips(t), twips(w), twips(h));
  };
  auto label = [&](QWidget* parent, const char* name, const char* caption, int l, int t, int w,
                   int h) {
    auto* l1 = new QLabel(QString::fromUtf8(caption), parent);
    place(l1, name, l, t, w, h);
    return l1;
  };
  auto button = [&](QWidget* parent, const char* name, const char* caption, int l, int t, int w,
                    int h) {
    auto* b = new QPushButton(QString::fromUtf8(caption), parent);
    place(b, name, l, t, w, h);
    return b;
  };
  auto edit = [&](QWidget* parent, const char* name, int l, int t, int w, int h, int maxLength) {
    auto* e = new QLineEdit(parent);
    place(e, name, l, t, w, h);
    if (maxLength > 0) e->setMaxLength(maxLength);
    return e;
  };
  const QFont fixed9 = japaneseFont(Pitch::kFixed, 9);

  lblDrive = label(client, "lblDrive", "ﾄﾞﾗｲﾌﾞ(&M)", 120, 60, 2550, 195);
  DrvLstBox = new QtDriveList(client);
  place(DrvLstBox, "DrvLstBox", 120, 240, 2610, 300);
  lblDirectory = label(client, "lblDirectory", "ﾃﾞｨﾚｸﾄﾘ(&T)", 120, 645, 2550, 195);
  DirLstBox = new QtFolderList(client);
  place(DirLstBox, "DirLstBox", 120, 840, 2550, 2400);
  lblSerchFile = label(client, "lblSerchFile", "ﾌｧｲﾙ名指定(&I)", 120, 3300, 2550, 195);
  txtSerchFile = edit(client, "txtSerchFile", 120, 3510, 2550, 270, 0);
  fraSearchOption = new QGroupBox(QStringLiteral("ﾌｧｲﾙの検索対象ﾃﾞｨﾚｸﾄﾘ(&R)"), client);
  place(fraSearchOption, "fraSearchOption", 120, 3840, 2550, 1035);
  const char* depthCaptions[] = {"ｶﾚﾝﾄのみ（推奨）", "+ 直下のｻﾌﾞﾃﾞｨﾚｸﾄﾘ", "+ 全ｻﾌﾞﾃﾞｨﾚｸﾄﾘ"};
  for (int i = 0; i < 3; ++i) {
    optSearch[i] = new QRadioButton(QString::fromUtf8(depthCaptions[i]), fraSearchOption);
    place(optSearch[i], "optSearch", 180, 240 + 240 * i, 2220, 192);
    optSearch[i]->setProperty("index", i + 1);
  }
  lblFileList = label(client, "lblFileList", "ﾌｧｲﾙ名(&N)", 2835, 60, 1620, 195);
  lstFile = new QtListBox(client);
  place(lstFile, "lstFile", 2835, 240, 5160, 3480);
  lstFile->setFont(fixed9);
  Frame1 = new QGroupBox(QStringLiteral("ﾌｧｲﾙ名ｿｰﾄ"), client);
  place(Frame1, "Frame1", 2820, 3780, 5175, 735);
  ckbSortDesc = new QCheckBox(QStringLiteral("降順(&Z)"), Frame1);
  place(ckbSortDesc, "ckbSortDesc", 180, 300, 915, 195);
  cmdSortName = button(Frame1, "cmdSortName", "名前順(&K)", 1140, 240, 1155, 345);
  cmdSortExp = button(Frame1, "cmdSortExp", "拡張子順(&Y)", 2340, 240, 1155, 345);
  cmdSortUp = button(Frame1, "cmdSortUp", "↑(&U)", 3660, 240, 675, 345);
  cmdSortDown = button(Frame1, "cmdSortDown", "↓(&D)", 4380, 240, 675, 345);
  for (QPushButton* b : {cmdSortName, cmdSortExp, cmdSortUp, cmdSortDown}) b->setFont(fixed9);
  cmdSelectAll = button(client, "cmdSelectAll", "全選択 (&A)", 5160, 4620, 1380, 336);
  cmdReleaseAll = button(client, "cmdReleaseAll", "全解除 (&L)", 6600, 4620, 1380, 336);
  fraEdit = new QGroupBox(QStringLiteral("ﾌｧｲﾙ名設定"), client);
  place(fraEdit, "fraEdit", 120, 5100, 7875, 1215);
  Label1 = label(fraEdit, "Label1", "共通部(&C)", 135, 345, 810, 195);
  txtName = edit(fraEdit, "txtName", 1020, 300, 1515, 270, 16);
  Label2 = label(fraEdit, "Label2", "拡張子(&P)", 2835, 345, 810, 195);
  txtExp = edit(fraEdit, "txtExp", 3720, 300, 555, 270, 5);
  Label3 = label(fraEdit, "Label3", "連番桁数(&Q)", 4395, 345, 1065, 195);
  txtSeq = edit(fraEdit, "txtSeq", 5520, 300, 255, 270, 1);
  chbBackSeq = new QCheckBox(QStringLiteral("連番を後ろに(&B)"), fraEdit);
  place(chbBackSeq, "chbBackSeq", 6060, 360, 1635, 195);
  Label4 = label(fraEdit, "Label4", "サンプル", 240, 720, 690, 195);
  txtSample = edit(fraEdit, "txtSample", 1020, 660, 3255, 270, 0);
  txtSample->setReadOnly(true);
  txtSample->setFont(japaneseFont(Pitch::kFixed, 8.25));
  QPalette face = txtSample->palette();
  face.setColor(QPalette::Base, face.color(QPalette::Button));
  txtSample->setPalette(face);
  for (QLineEdit* e : {txtName, txtExp, txtSeq}) e->setFont(fixed9);
  cmdGo = button(fraEdit, "cmdGo", "ﾘﾈｰﾑ開始(&G)", 4440, 780, 1605, 336);
  cmdStop = button(fraEdit, "cmdStop", "ﾘﾈｰﾑ中断(&X)", 6120, 780, 1605, 336);
  cmdStop->setEnabled(false);
  stbStatus = new QtStatusBar(m_services.clock, client);
  place(stbStatus, "stbStatus", 0, 6450, kClientWidth, 270);
  stbStatus->setFont(japaneseFont(Pitch::kProportional, 9));
  // The date and time panels size themselves to their text, which the layout's widths cut off
  // in the fonts found here.
  const std::pair<std::string_view, int> panelWidths[] = {
      {kPanelText, 6000}, {kPanelOutLogRen, 300}, {kPanelOutLogError, 300}};
  for (auto [key, width] : panelWidths) stbStatus->setPanelWidth(key, twips(width));
  // The layout's pictures: start-up keeps the rename-log one to put it back later.
  stbStatus->setPanelPicture(
      kPanelOutLogRen, stbStatus->registerPicture(QIcon(QStringLiteral(":/icons/logrename.xpm"))));
  stbStatus->setPanelPicture(
      kPanelOutLogError, stbStatus->registerPicture(QIcon(QStringLiteral(":/icons/logerror.xpm"))));
  lblSelNum = label(client, "lblSelNum", "", 5160, 60, 2880, 195);
  for (QLabel* l : {Label1, Label2, Label3, Label4, lblSelNum})
    l->setAlignment(Qt::AlignRight | Qt::AlignVCenter);

  // Access keys of labels move the focus to the control that follows them.
  lblDrive->setBuddy(DrvLstBox);
  lblDirectory->setBuddy(DirLstBox);
  lblSerchFile->setBuddy(txtSerchFile);
  lblFileList->setBuddy(lstFile);
  Label1->setBuddy(txtName);
  Label2->setBuddy(txtExp);
  Label3->setBuddy(txtSeq);

  QWidget* order[] = {DrvLstBox,    DirLstBox,   txtSerchFile, optSearch[0],  optSearch[1],
                      optSearch[2], lstFile,     ckbSortDesc,  cmdSortName,   cmdSortExp,
                      cmdSortUp,    cmdSortDown, cmdSelectAll, cmdReleaseAll, txtName,
                      txtExp,       txtSeq,      chbBackSeq,   txtSample,     cmdGo,
                      cmdStop};
  for (size_t i = 1; i < std::size(order); ++i) setTabOrder(order[i - 1], order[i]);
  for (QLineEdit* e : {txtSerchFile, txtName, txtExp, txtSeq, txtSample})
    e->installEventFilter(this);
  acceptDrops(*DirLstBox);
  acceptDrops(*lstFile);
}

void fmMain::buildMenus() {
  auto menu = [this](const char* name, const char* caption) {
    QMenu* m = menuBar()->addMenu(QString::fromUtf8(caption));
    m->setObjectName(QString::fromLatin1(name));
    m->menuAction()->setObjectName(QString::fromLatin1(name));
    return m;
  };
  auto item = [this](QMenu* parent, const char* name, const char* caption, QKeySequence key) {
    QAction* a = parent->addAction(QString::fromUtf8(caption));
    a->setObjectName(QString::fromLatin1(name));
    a->setShortcut(key);
    // Shortcuts work wherever the focus is in the window.
    a->setShortcutContext(Qt::WindowShortcut);
    addAction(a);
    return a;
  };
  mnFile = menu("mnFile", "ﾌｧｲﾙ(&F)");
  mnEnd = item(mnFile, "mnEnd", "終了(&Q)", QKeySequence(Qt::CTRL | Qt::Key_Q));
  mnEdit = menu("mnEdit", "編集(&E)");
  mnSelectAll = item(mnEdit, "mnSelectAll", "全選択(&A)", {});
  mnReleaseAll = item(mnEdit, "mnReleaseAll", "全解除(&L)", {});
  mnDiv = mnEdit->addSeparator();
  mnDiv->setObjectName(QStringLiteral("mnDiv"));
  mnDirCopy =
      item(mnEdit, "mnDirCopy", "対象ﾃﾞｨﾚｸﾄﾘのｺﾋﾟｰ(&C)", QKeySequence(Qt::CTRL | Qt::Key_C));
  mnDirPaste =
      item(mnEdit, "mnDirPaste", "対象ﾃﾞｨﾚｸﾄﾘの貼り付け(&P)", QKeySequence(Qt::CTRL | Qt::Key_P));
  mnView = menu("mnView", "表示(&V)");
  mnViewRenLog = item(mnView, "mnViewRenLog", "ﾘﾈｰﾑﾛｸﾞを表示(&/)...", {});
  mnViewNew = item(mnView, "mnViewNew", "最新の情報に更新(&R)", QKeySequence(Qt::CTRL | Qt::Key_R));
  mnOption = menu("mnOption", "ｵﾌﾟｼｮﾝ(&O)");
  mnOutLogRen =
      item(mnOption, "mnOutLogRen", "ﾘﾈｰﾑﾛｸﾞを出力(&E)", QKeySequence(Qt::CTRL | Qt::Key_E));
  mnOutLogRen->setCheckable(true);
  mnActive = menu("mnActive", "実行(&W)");
  mnGo = item(mnActive, "mnGo", "ﾘﾈｰﾑ開始(&G)", QKeySequence(Qt::CTRL | Qt::Key_G));
  mnStop = item(mnActive, "mnStop", "ﾘﾈｰﾑ中断(&X)", {});
  mnStop->setEnabled(false);
  mnHelp = menu("mnHelp", "ﾍﾙﾌﾟ(&H)");
  mnMan = item(mnHelp, "mnMan", "Batoraについて...", QKeySequence(Qt::Key_F1));
  mnVersion = item(mnHelp, "mnVersion", "ﾊﾞｰｼﾞｮﾝ情報'(&V)", {});
}

// The run locks the window by walking this list in the window's own order.
void fmMain::registerControlWalk() {
  QtWindow& f = *m_form;
  using K = ControlKind;
  f.addControl("lblDrive", K::kLabel, *lblDrive);
  f.addControl("DrvLstBox", K::kControl, *DrvLstBox);
  f.addControl("lblDirectory", K::kLabel, *lblDirectory);
  f.addControl("DirLstBox", K::kControl, *DirLstBox);
  f.addControl("lblSerchFile", K::kLabel, *lblSerchFile);
  f.addControl("txtSerchFile", K::kControl, *txtSerchFile);
  f.addControl("fraSearchOption", K::kFrame, *fraSearchOption);
  for (QRadioButton* o : optSearch) f.addControl("optSearch", K::kControl, *o);
  f.addControl("lblFileList", K::kLabel, *lblFileList);
  f.addControl("lstFile", K::kControl, *lstFile);
  f.addControl("Frame1", K::kFrame, *Frame1);
  f.addControl("ckbSortDesc", K::kControl, *ckbSortDesc);
  f.addControl("cmdSortName", K::kControl, *cmdSortName);
  f.addControl("cmdSortExp", K::kControl, *cmdSortExp);
  f.addControl("cmdSortUp", K::kControl, *cmdSortUp);
  f.addControl("cmdSortDown", K::kControl, *cmdSortDown);
  f.addControl("cmdSelectAll", K::kControl, *cmdSelectAll);
  f.addControl("cmdReleaseAll", K::kControl, *cmdReleaseAll);
  f.addControl("fraEdit", K::kFrame, *fraEdit);
  f.addControl("Label1", K::kLabel, *Label1);
  f.addControl("txtName", K::kControl, *txtName);
  f.addControl("Label2", K::kLabel, *Label2);
  f.addControl("txtExp", K::kControl, *txtExp);
  f.addControl("Label3", K::kLabel, *Label3);
  f.addControl("txtSeq", K::kControl, *txtSeq);
  f.addControl("chbBackSeq", K::kControl, *chbBackSeq);
  f.addControl("Label4", K::kLabel, *Label4);
  f.addControl("txtSample", K::kControl, *txtSample);
  f.addControl("cmdGo", K::kControl, *cmdGo);
  f.addControl("cmdStop", K::kControl, *cmdStop);
  f.addControl("stbStatus", K::kStatusBar, *stbStatus);
  f.addControl("lblSelNum", K::kLabel, *lblSelNum);
  for (QMenu* m : {mnFile, mnEdit, mnView, mnOption, mnActive, mnHelp}) {
    f.addMenuItem(toUtf8(m->objectName()), *m->menuAction());
    for (QAction* a : m->actions()) f.addMenuItem(toUtf8(a->objectName()), *a);
  }
}

void fmMain::connectCommands() {
  Engine& e = *m_engine;
  connect(DrvLstBox, &QtDriveList::driveChanged, this, [&e] { e.choice.DrvLstBox_Change(); });
  connect(DirLstBox, &QtFolderList::pathChanged, this, [&e] { e.choice.DirLstBox_Change(); });
  connect(txtSerchFile, &QLineEdit::textChanged, this, [&e] { e.choice.txtSerchFile_Change(); });
  for (int i = 0; i < 3; ++i) {
    connect(optSearch[i], &QRadioButton::toggled, this, [&e, i](bool checked) {
      if (checked) e.choice.optSearch_Click(i + 1);
    });
  }
  connect(lstFile->selectionModel(), &QItemSelectionModel::selectionChanged, this,
          [this] { m_objCtrl.ShowSelNumber(); });
  connect(cmdSortName, &QPushButton::clicked, this, [this] { sortBy(1); });
  connect(cmdSortExp, &QPushButton::clicked, this, [this] { sortBy(2); });
  connect(cmdSortUp, &QPushButton::clicked, this, [this] { CmnMoveFile(kMoveUp); });
  connect(cmdSortDown, &QPushButton::clicked, this, [this] { CmnMoveFile(kMoveDown); });
  connect(cmdSelectAll, &QPushButton::clicked, this, [this] { CmnSelectAll(true); });
  connect(cmdReleaseAll, &QPushButton::clicked, this, [this] { CmnSelectAll(false); });
  for (QLineEdit* field : {txtName, txtExp, txtSeq})
    connect(field, &QLineEdit::textChanged, this, [&e] { e.rule.CmnShowSample(); });
  connect(chbBackSeq, &QCheckBox::toggled, this, [&e] { e.rule.CmnShowSample(); });
  connect(cmdGo, &QPushButton::clicked, this, [&e] { e.run.CmnStartRename(); });
  connect(cmdStop, &QPushButton::clicked, this, [&e] { e.run.CmnStopRename(); });
  connect(stbStatus, &QtStatusBar::panelClicked, this, [&e](const QString& key) {
    if (e.logs) e.logs->stbStatus_PanelClick(toUtf8(key));
  });
  connect(mnEnd, &QAction::triggered, this, [this] { unloadWindow(); });
  connect(mnSelectAll, &QAction::triggered, this, [this] { CmnSelectAll(true); });
  connect(mnReleaseAll, &QAction::triggered, this, [this] { CmnSelectAll(false); });
  connect(mnDirCopy, &QAction::triggered, this, [&e] { e.choice.mnDirCopy_Click(); });
  connect(mnDirPaste, &QAction::triggered, this, [&e] { e.choice.mnDirPaste_Click(); });
  connect(mnViewRenLog, &QAction::triggered, this, [this, &e] {
    if (e.logs) e.logs->mnViewRenLog_Click(m_func, *m_logViewer);
  });
  connect(mnViewNew, &QAction::triggered, this,
          [this, &e] { e.choice.CmnRefreshFileList(CmnGetFindDirOption()); });
  connect(mnOutLogRen, &QAction::triggered, this, [this, &e] {
    // Qt has already flipped the check mark; the toggle reads the state before the click.
    mnOutLogRen->setChecked(!mnOutLogRen->isChecked());
    if (e.logs) e.logs->CmnChangeOutLogRen();
  });
  connect(mnGo, &QAction::triggered, this, [&e] { e.run.CmnStartRename(); });
  connect(mnStop, &QAction::triggered, this, [&e] { e.run.CmnStopRename(); });
  connect(mnMan, &QAction::triggered, this, [this] { openHelp(); });
  connect(mnVersion, &QAction::triggered, this, [this] { showAbout(); });
}

bool fmMain::Form_Load() {
  if (m_services.toolkit.previousInstance()) {
    m_func.ShowErrMsg(0, "既に起動されています。", mb::kInformation, "Form_Load");
    unloadWindow();
    return false;
  }
  FolderChoice& choice = m_engine->choice;
  choice.gbDrvReset = true;
  choice.gbSetFilePath = false;
  m_renameLogPicture = stbStatus->panelPicture(kPanelOutLogRen);
  m_objCtrl.ListControl(lstFile);
  m_objCtrl.LabelSelFileNum(&m_engine->lblSelNum);
  setWindowTitle(QStringLiteral("Batora"));
  centreOnScreen();

  if (!m_settings.ReadIniFile(kIniFileName, [this](std::string_view place, std::string_view msg) {
        m_func.OutputErrLog(place, msg);
      })) {
    m_func.ShowErrMsg(0, "INIファイル読み込みエラー!! 終了します。", mb::kCritical, "Form_Load");
    endAtOnce();
    return false;
  }
  m_objCtrl.SerchFileName(m_settings.SerchFileName());
  txtSerchFile->setText(toQString(m_objCtrl.SerchFileName()));
  applyStartFolder();
  optSearch[static_cast<size_t>(m_settings.StartFindDirOption() - 1)]->setChecked(true);

  const NamingRuleStart start = namingRuleStartValues(m_services.clock.now());
  txtName->setText(toQString(start.commonPart));
  txtExp->setText(toQString(start.extension));
  txtSeq->setText(toQString(start.digits));
  chbBackSeq->setChecked(start.sequenceAfter);
  m_engine->rule.CmnShowSample();

  int smallPanels = 0;
  for (auto key : {kPanelOutLogRen, kPanelOutLogError, kPanelDate, kPanelTime})
    smallPanels += stbStatus->panelWidth(key);
  stbStatus->setPanelWidth(kPanelText,
                           frameGeometry().width() - smallPanels - twips(kStatusBarSlack));
  m_engine->logs = std::make_unique<LogSwitches>(m_settings, m_engine->mnOutLogRen, *stbStatus,
                                                 m_renameLogPicture);
  m_engine->logs->CmnShowOutLogRen(m_settings.OutputLogRename());
  m_engine->logs->CmnShowOutLogError();
  choice.gbDrvReset = false;
  return true;
}

// The start folder goes to the drive list first, then to the folder list, whose change
// searches. A start folder the folder list cannot take falls back to the program's folder.
void fmMain::applyStartFolder() {
  std::string folder = m_settings.DefaultFindDirPath();
  if (folder.empty()) folder = platform::pathToUtf8(m_services.programFolder);
  for (const std::string& candidate : {folder, platform::pathToUtf8(m_services.programFolder)}) {
    DrvLstBox->setDrive(QtDriveList::driveOf(candidate));
    if (DirLstBox->setPath(candidate)) return;
  }
}

void fmMain::centreOnScreen() {
  const Size screen = m_services.toolkit.screenSizeTwips();
  adjustSize();
  const double perInch = qMax(1, twips(kTwipsPerInch));
  const long left = centredTwips(static_cast<double>(screen.width),
                                 frameGeometry().width() * kTwipsPerInch / perInch);
  const long top = centredTwips(static_cast<double>(screen.height),
                                frameGeometry().height() * kTwipsPerInch / perInch);
  move(twips(static_cast<int>(left)), twips(static_cast<int>(top)));
}

// Folders dropped from the desktop's file manager arrive as URLs of local files.
void fmMain::acceptDrops(QWidget& target) {
  QWidget* surface = &target;
  if (auto* view = qobject_cast<QAbstractScrollArea*>(&target)) surface = view->viewport();
  surface->setAcceptDrops(true);
  surface->installEventFilter(this);
}

bool fmMain::dropEvent(QEvent* event) {
  switch (event->type()) {
    case QEvent::DragEnter:
    case QEvent::DragMove:
      // Every kind of data is taken, so that a drop of the wrong kind can be explained.
      static_cast<QDropEvent*>(event)->acceptProposedAction();
      return true;
    case QEvent::Drop: {
      auto* drop = static_cast<QDropEvent*>(event);
      DropData dropped;
      const QList<QUrl> urls = drop->mimeData()->urls();
      dropped.isFileList =
          !urls.isEmpty() &&
          std::all_of(urls.begin(), urls.end(), [](const QUrl& u) { return u.isLocalFile(); });
      if (dropped.isFileList)
        for (const QUrl& url : urls) dropped.paths.push_back(toUtf8(url.toLocalFile()));
      drop->acceptProposedAction();
      m_engine->choice.CmnOLEDragDrop(dropped);
      return true;
    }
    default:
      return false;
  }
}

int fmMain::CmnGetFindDirOption() const {
  for (int i = 0; i < 3; ++i)
    if (optSearch[static_cast<size_t>(i)]->isChecked()) return i + 1;
  return -1;
}

void fmMain::sortBy(int iSortOption) {
  m_objCtrl.SortList(*m_form, iSortOption, sortDescValue());
}

void fmMain::CmnMoveFile(int iDirection) {
  batora::CmnMoveFile(m_objCtrl, *lstFile, m_func, iDirection);
}

void fmMain::CmnSelectAll(bool bSelect) {
  batora::CmnSelectAll(m_objCtrl, *lstFile, bSelect);
}

// The help folder is joined with a separator even at the root: that is where it is installed.
void fmMain::openHelp() {
  std::string folder = platform::pathToUtf8(m_services.programFolder);
  folder += platform::kSeparator;
  folder += "help";
  m_func.ExecRefFile("index.html", folder);
}

void fmMain::showAbout() {
  fmAbout about(m_services.toolkit, this);
  about.exec();
}

void fmMain::closeEvent(QCloseEvent* event) {
  // The close box is refused while a run can still be stopped; the program's own unload never.
  if (!m_unloading && cmdStop->isEnabled()) {
    event->ignore();
    return;
  }
  event->accept();
}

bool fmMain::eventFilter(QObject* watched, QEvent* event) {
  if ((watched == DirLstBox->viewport() || watched == lstFile->viewport()) && dropEvent(event))
    return true;
  if (event->type() == QEvent::ShortcutOverride &&
      isMenuShortcut(*static_cast<QKeyEvent*>(event), actions())) {
    event->ignore();
    return true;
  }
  if (watched == txtSerchFile && event->type() == QEvent::KeyPress) {
    const auto* key = static_cast<QKeyEvent*>(event);
    char32_t typed = 0;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
      typed = kKeyEnter;
    else if (key->text().size() == 1)
      typed = key->text().at(0).unicode();
    if (typed != 0 && m_engine->choice.txtSerchFile_KeyPress(typed)) return true;
  }
  return QMainWindow::eventFilter(watched, event);
}

Window& fmMain::form() {
  return *m_form;
}
ListBox& fmMain::fileList() {
  return *lstFile;
}
Command& fmMain::stopButton() {
  return m_engine->cmdStop;
}
Command& fmMain::stopMenuItem() {
  return m_engine->mnStop;
}
StatusBar& fmMain::statusBar() {
  return *stbStatus;
}
FolderList& fmMain::folderList() {
  return *DirLstBox;
}
TextField& fmMain::patternBox() {
  return m_engine->txtSerchFile;
}

std::filesystem::path fmMain::folderPath() const {
  return platform::pathFromUtf8(DirLstBox->path());
}

int fmMain::sortDescValue() const {
  return ckbSortDesc->isChecked() ? 1 : 0;
}

void fmMain::unloadWindow() {
  m_unloading = true;
  close();
}

void fmMain::endAtOnce() {
  m_services.endAtOnce();
}

DriveList& fmMain::driveList() {
  return *DrvLstBox;
}

std::string fmMain::driveOf(const std::string& path) const {
  return QtDriveList::driveOf(path);
}

}  // namespace batora
