#include "mainform.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <memory>

#include "fakeclock.h"
#include "faketoolkit.h"
#include "formlayout.h"
#include "platform.h"
#include "statuspanels.h"
#include "tableformhost.h"
#include "tempdir.h"
#include "windowrenamerun.h"

namespace batora {
namespace {

using testing::ProcessEnded;
using Rows = std::vector<std::string>;

class MainFormTest : public ::testing::Test {
 protected:
  MainFormTest() {
    for (const char* name : {"b.jpg", "a.jpg", "c.txt", "sub/d.jpg", "sub/deeper/e.jpg"})
      dir.write(name, name);
    toolkit.onYield = [this] { runPending(); };
  }

  void runPending() {
    auto work = std::move(toolkit.pending);
    toolkit.pending.clear();
    for (auto& step : work) step();
  }

  bool load() {
    form = std::make_unique<MainForm>(MainFormServices{toolkit, clock, dir.path(), "Batora"}, host);
    host.events = [this](const FormEvent& event) { return form->handle(event); };
    return form->Form_Load();
  }
  void open(const std::string& settings = "") {
    dir.write("Batora.ini", settings);
    ASSERT_TRUE(load());
  }
  // Rows with '/' between folders on every platform.
  Rows rows() {
    Rows texts = host.list("lstFile").texts();
    for (std::string& text : texts)
      std::replace(text.begin(), text.end(), platform::kSeparator, '/');
    return texts;
  }
  std::string folder() const { return platform::pathToUtf8(dir.path()); }
  std::string text(std::string_view name) { return host.textField(name).text(); }
  void selectAll() {
    ASSERT_TRUE(host.click("cmdSelectAll"));
    runPending();
    host.click("lstFile");
  }

  testing::TempDir dir;
  testing::FakeToolkit toolkit;
  testing::FakeClock clock;  // 2000-12-31
  testing::TableFormHost host{fmMainLayout(), toolkit};
  std::unique_ptr<MainForm> form;
};

TEST_F(MainFormTest, EmptySettingsOpenOnTheProgramFolderWithTheStartValues) {
  toolkit.screen = {20000, 12000};
  open();
  EXPECT_EQ(host.folderList("DirLstBox").path(), folder());
  EXPECT_EQ(form->CmnGetFindDirOption(), 1);
  EXPECT_EQ(text("txtSerchFile"), "*.*");
  EXPECT_EQ(text("txtName"), "20001231_");
  EXPECT_EQ(text("txtSample"), "20001231_01.jpg");
  EXPECT_EQ(host.table().caption, "Batora");
  // Centred: half the rounded difference, remainder dropped.
  EXPECT_EQ(host.table().left, (20000 - 8115) / 2);
  EXPECT_EQ(host.table().top, (12000 - 6720) / 2);
  // The text panel ends where the four small panels begin.
  EXPECT_EQ(host.bar("stbStatus").panelWidthTwips(kPanelText), 8115 - 2240);
  EXPECT_FALSE(host.command("cmdStop").isEnabled());
  EXPECT_FALSE(host.menuItem("mnStop").isEnabled());
  EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(MainFormTest, SettingsGiveDepthPatternAndLogSwitches) {
  open(
      "INIT_FINDDIR_OPTION = 3\r\nINIT_SERCH_FILE_NAME=*.JPG\r\nOUTPUT_LOG_RENAME=1\r\n"
      "OUTPUT_LOG_ERROR=0\r\n");
  EXPECT_EQ(form->CmnGetFindDirOption(), 3);
  EXPECT_EQ(host.checkField("optSearch", 1).value(), 0);
  EXPECT_EQ(rows(), (Rows{"a.jpg", "b.jpg", "sub/d.jpg", "sub/deeper/e.jpg"}));
  EXPECT_EQ(text("txtSerchFile"), "*.JPG");
  EXPECT_TRUE(host.isChecked("mnOutLogRen"));
  EXPECT_TRUE(host.bar("stbStatus").panelPicture(kPanelOutLogRen));
  EXPECT_FALSE(host.bar("stbStatus").panelPicture(kPanelOutLogError));
}

// Every finished search shows the searched folder in the text panel, so counting those texts
// counts the fills. Start-up fills the list once, at the chosen depth and no deeper; past
// start-up, a change of the folder searches again.
TEST_F(MainFormTest, StartUpFillsTheListOnceAtTheChosenDepth) {
  const Rows one = {"a.jpg", "b.jpg", "Batora.ini", "c.txt"};
  Rows two = one, three = one;
  two.push_back("sub/d.jpg");
  three.insert(three.end(), {"sub/d.jpg", "sub/deeper/e.jpg"});
  const std::pair<const char*, Rows> depths[] = {
      {"", one}, {"INIT_FINDDIR_OPTION=2\r\n", two}, {"INIT_FINDDIR_OPTION=3\r\n", three}};
  const auto& shown = host.bar("stbStatus").history;
  const std::string sub = folder() + platform::kSeparator + "sub";
  for (const auto& [settings, expected] : depths) {
    SCOPED_TRACE(settings);
    host.bar("stbStatus").history.clear();
    open(settings);
    EXPECT_EQ(rows(), expected);
    EXPECT_EQ(std::count(shown.begin(), shown.end(), folder()), 1);
    ASSERT_TRUE(host.folderList("DirLstBox").setPath(sub));
    EXPECT_EQ(std::count(shown.begin(), shown.end(), sub), 1);
  }
}

TEST_F(MainFormTest, ProgramEndsWithoutAWindowOnTheTwoStartFailures) {
  {
    SCOPED_TRACE("no settings file");
    EXPECT_THROW(load(), ProcessEnded);
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, "INIファイル読み込みエラー!! 終了します。");
    EXPECT_EQ(toolkit.boxes[0].style, 16);
    EXPECT_NE(testing::readBytes(dir / "BatoraEr.log").find("Form_Load"), std::string::npos);
    EXPECT_FALSE(host.unloaded);
  }
  {
    SCOPED_TRACE("another instance");
    dir.write("Batora.ini", "");
    toolkit.boxes.clear();
    toolkit.otherInstance = true;
    EXPECT_FALSE(load());
    ASSERT_EQ(toolkit.boxes.size(), 1u);
    EXPECT_EQ(toolkit.boxes[0].text, "既に起動されています。");
    EXPECT_EQ(toolkit.boxes[0].style, 64);
    EXPECT_TRUE(host.unloaded);
    EXPECT_TRUE(rows().empty());
  }
}

// The lock list is the whole table: a control added to the layout is locked by the run
// without anyone listing it again. The menu's undo locks the window the same way.
TEST_F(MainFormTest, RunAndUndoLockEveryControlAndMenuItemExceptTheEightAndUnlockAfter) {
  open("INIT_SERCH_FILE_NAME=*.jpg\r\n");
  const std::vector<std::string>& kept = renameLockExceptions();
  ASSERT_EQ(kept.size(), 8u);
  auto lockable = [](const ControlInfo& info) {
    return info.kind == ControlKind::kControl ||
           (info.kind == ControlKind::kMenuItem && info.caption != "-");
  };
  const struct {
    const char* command;
    std::deque<int> answers;
    Rows after;
  } cases[] = {{"mnGo", {mb::kIdOk, mb::kIdNo}, {"20001231_01.jpg", "20001231_02.jpg"}},
               {"mnUndo", {mb::kIdOk}, {"a.jpg", "b.jpg"}}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.command);
    selectAll();
    int checkedDuringRun = 0;
    toolkit.onYield = [&] {
      runPending();
      if (checkedDuringRun++ != 0) return;
      for (const auto& entry : host.table().entries) {
        if (!lockable(entry.info)) continue;
        SCOPED_TRACE(entry.info.name);
        const bool exception = std::find(kept.begin(), kept.end(), entry.info.name) != kept.end();
        EXPECT_EQ(entry.enabled, exception);
      }
    };
    toolkit.answers = c.answers;
    ASSERT_TRUE(host.click(c.command));
    ASSERT_GT(checkedDuringRun, 0);
    // Unlocked: the undo item too, as both leave a run that can be undone.
    for (const auto& entry : host.table().entries) {
      if (!lockable(entry.info)) continue;
      SCOPED_TRACE(entry.info.name);
      EXPECT_EQ(entry.enabled, entry.info.name != "cmdStop" && entry.info.name != "mnStop");
    }
    EXPECT_EQ(rows(), c.after);
  }
}

const Rows kRunNames = {"20001231_01.jpg", "20001231_02.jpg", "20001231_03.jpg"};

// What happens to the renamed files between the run and the undo.
void leaveAlone(const testing::TempDir&) {}
void changeOnePutOneBack(const testing::TempDir& dir) {
  dir.write("20001231_02.jpg", "changed since the run");
  std::filesystem::rename(dir / "20001231_03.jpg", dir / "c.jpg");
}
void putAllBack(const testing::TempDir& dir) {
  for (const char* name : {"a.jpg", "b.jpg", "c.jpg"})
    std::filesystem::rename(dir / kRunNames[static_cast<size_t>(name[0] - 'a')], dir / name);
}

std::string undoQuestion(const char* total) {
  return std::string("33 直前のﾘﾈｰﾑを元に戻します。(対象ファイル:") + total +
         "件)\r\nよろしいですか？";
}
// The question, then the summary of the files put back, skipped and found back already.
Rows undoBoxes(const char* total, int style, const char* how, const char* put, const char* skipped,
               const char* back) {
  return {undoQuestion(total), std::to_string(style) + " 元に戻す処理" + how +
                                   "\r\n\r\n　元に戻したファイル数:" + put +
                                   "件\r\n　飛ばしたファイル数:" + skipped +
                                   "件\r\n　元の名前に戻っていたファイル数:" + back + "件"};
}

struct UndoCase {
  const char* name;
  void (*meanwhile)(const testing::TempDir& dir);
  std::deque<int> answers;
  int stopAtYield;  // 0: never
  Rows boxes;       // of the undo, as "style text"
  const char* status;
  Rows files;        // *.jpg on disk afterwards
  bool listRebuilt;  // else the list still shows the run's names
  bool itemEnabledAfter;
};

void PrintTo(const UndoCase& c, std::ostream* out) {
  *out << c.name;
}

class UndoFromTheMenuTest : public MainFormTest, public ::testing::WithParamInterface<UndoCase> {
 protected:
  Rows jpegsOnDisk() const {
    Rows names;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
      if (e.path().extension() == ".jpg") names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }
};

// a, b and c are renamed to 20001231_01 to _03 by a run, then undone from the menu.
TEST_P(UndoFromTheMenuTest, PutsBackWhatIsStillTheRunsAndSaysSo) {
  const UndoCase& c = GetParam();
  open("INIT_SERCH_FILE_NAME=*.jpg\r\n");
  EXPECT_FALSE(host.menuItem("mnUndo").isEnabled()) << "nothing recorded yet";
  dir.write("c.jpg", "c.jpg");
  host.click("mnViewNew");
  selectAll();
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  ASSERT_TRUE(host.click("mnGo"));
  ASSERT_TRUE(host.menuItem("mnUndo").isEnabled());
  c.meanwhile(dir);

  toolkit.boxes.clear();
  toolkit.answers = c.answers;
  int yields = 0;
  toolkit.onYield = [&] {
    runPending();
    if (++yields == c.stopAtYield) {
      EXPECT_TRUE(host.click("mnStop"));
    }
  };
  ASSERT_TRUE(host.click("mnUndo"));
  Rows boxes;
  for (const auto& box : toolkit.boxes) boxes.push_back(std::to_string(box.style) + " " + box.text);
  EXPECT_EQ(boxes, c.boxes);
  const auto& shown = host.bar("stbStatus").history;
  if (*c.status != '\0') {
    std::string status = c.status;
    if (const size_t at = status.find("<dir>/"); at != std::string::npos)
      status.replace(at, 6, folder() + platform::kSeparator);
    EXPECT_NE(std::find(shown.begin(), shown.end(), status), shown.end()) << status;
  }
  EXPECT_EQ(jpegsOnDisk(), c.files);
  EXPECT_EQ(rows(), c.listRebuilt ? c.files : kRunNames);
  EXPECT_EQ(host.menuItem("mnUndo").isEnabled(), c.itemEnabledAfter);
  EXPECT_FALSE(host.command("cmdStop").isEnabled());
  EXPECT_EQ(host.menuItem("mnStop").caption(), "ﾘﾈｰﾑ中断(&X)");
}

const char* const kDone = "が完了しました。";
// One row per case reads as a table.
// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Cases, UndoFromTheMenuTest,
    ::testing::Values(
        UndoCase{"all", leaveAlone, {mb::kIdOk}, 0, undoBoxes("３", 64, kDone, "３", "０", "０"),
                 "ﾘﾈｰﾑ処理が完了しました。　(処理件数:３件中 エラー０件)",
                 {"a.jpg", "b.jpg", "c.jpg"}, true, true},
        UndoCase{"changedOrBackAlready", changeOnePutOneBack, {mb::kIdOk}, 0,
                 undoBoxes("２", 48, kDone, "１", "１", "１"),
                 "ﾘﾈｰﾑ処理が完了しました。　(処理件数:２件中 エラー１件)",
                 {"20001231_02.jpg", "a.jpg", "c.jpg"}, true, true},
        UndoCase{"cancelled", leaveAlone, {mb::kIdCancel}, 0, {undoQuestion("３")}, "",
                 kRunNames, false, true},
        UndoCase{"stopped", leaveAlone, {mb::kIdOk}, 1,
                 undoBoxes("３", 64, "は中断されました。", "０", "０", "０"),
                 "ﾘﾈｰﾑは中断されました。(３件中 ０件処理済み 未処理の先頭:<dir>/20001231_03.jpg)",
                 kRunNames, true, true},
        UndoCase{"nothingLeft", putAllBack, {}, 0, {"64 元に戻すファイルはありません。"}, "",
                 {"a.jpg", "b.jpg", "c.jpg"}, false, false}),
    [](const auto& row) { return std::string(row.param.name); });
// clang-format on

TEST_F(MainFormTest, CloseBoxIsRefusedDuringARunUntilStopIsPressed) {
  open("INIT_SERCH_FILE_NAME=*.jpg\r\n");
  selectAll();
  auto query = [this](CloseSource source) { return form->Form_QueryUnload(source); };
  std::vector<bool> closed;
  // The stop pressed at the run's first yield holds, so the close box is tried before and after
  // it in that one yield.
  toolkit.onYield = [&] {
    runPending();
    if (!closed.empty()) return;
    closed.push_back(host.closeBox(query));
    EXPECT_FALSE(form->Form_QueryUnload(CloseSource::kOther)) << "the program's own unload";
    ASSERT_TRUE(host.click("cmdStop"));
    EXPECT_EQ(host.command("cmdStop").caption(), kStopWaitingCaption);
    EXPECT_TRUE(form->bStopRename());
    closed.push_back(host.closeBox(query));
  };
  toolkit.answers = {mb::kIdOk, mb::kIdNo};
  ASSERT_TRUE(host.click("cmdGo"));
  EXPECT_EQ(closed, (std::vector<bool>{false, true}));
  EXPECT_EQ(host.command("cmdStop").caption(), "ﾘﾈｰﾑ中断(&X)");
}

// Each row: a user action and what the command map must have run for it.
TEST_F(MainFormTest, CommandMapReachesEveryHandler) {
  dir.write("help/index.html", "");
  open("INIT_SERCH_FILE_NAME=*.jpg\r\nOUTPUT_LOG_RENAME=1\r\n");
  struct Row {
    const char* name;
    std::function<void()> act;
    std::function<void()> check;
  };
  const Row rows_[] = {
      {"cmdSelectAll then lstFile click", [&] { selectAll(); },
       [&] { EXPECT_EQ(host.label("lblSelNum").caption(), "選択ファイル数 : 2"); }},
      {"mnReleaseAll", [&] { host.click("mnReleaseAll"), runPending(); },
       [&] { EXPECT_EQ(host.list("lstFile").selectedCount(), 0); }},
      {"ckbSortDesc and cmdSortName", [&] { host.click("ckbSortDesc"), host.click("cmdSortName"); },
       [&] {
         EXPECT_EQ(rows(), (Rows{"b.jpg", "a.jpg"}));
       }},
      {"cmdSortDown moves the one selected row",
       [&] {
         host.list("lstFile").setSelected(0, true);
         host.list("lstFile").setCurrentRow(0);
         host.click("cmdSortDown");
       },
       [&] {
         EXPECT_EQ(rows(), (Rows{"a.jpg", "b.jpg"}));
       }},
      {"txtName change", [&] { host.type("txtName", "summer_holiday_2000_x"); },
       [&] { EXPECT_EQ(text("txtSample"), "summer_holiday_201.jpg"); }},
      {"chbBackSeq click", [&] { host.click("chbBackSeq"); },
       [&] { EXPECT_EQ(text("txtSample"), "01summer_holiday_2.jpg"); }},
      {"mnDirCopy", [&] { host.click("mnDirCopy"); },
       [&] { EXPECT_EQ(toolkit.clipboard, folder()); }},
      {"optSearch(3) click", [&] { host.click("optSearch", 3); },
       [&] { EXPECT_EQ(rows().size(), 4u); }},
      {"txtSerchFile Enter", [&] { host.type("txtSerchFile", "a*"); },
       [&] { EXPECT_TRUE(host.keyPress("txtSerchFile", U'\r')); }},
      {"mnViewNew", [&] { dir.write("a2.jpg", ""), host.click("mnViewNew"); },
       [&] {
         EXPECT_EQ(rows(), (Rows{"a.jpg", "a2.jpg"}));
       }},
      {"stbStatus panel click", [&] { host.clickPanel(kPanelOutLogRen); },
       [&] { EXPECT_FALSE(host.isChecked("mnOutLogRen")); }},
      {"mnOutLogRen", [&] { host.click("mnOutLogRen"); },
       [&] { EXPECT_TRUE(host.isChecked("mnOutLogRen")); }},
      {"mnViewRenLog without a log", [&] { host.click("mnViewRenLog"); },
       [&] { EXPECT_EQ(toolkit.boxes.size(), 1u); }},
      {"mnMan", [&] { host.click("mnMan"); },
       [&] {
         ASSERT_EQ(toolkit.opened.size(), 1u);
         EXPECT_EQ(toolkit.opened[0].file, "index.html");
         EXPECT_EQ(toolkit.opened[0].folder, folder() + platform::kSeparator + "help");
       }},
      {"mnVersion", [&] { host.click("mnVersion"); }, [&] { EXPECT_EQ(host.aboutShown, 1); }},
      {"DirLstBox Enter opens the highlighted folder",
       [&] {
         host.highlight("DirLstBox", platform::pathToUtf8(dir / "sub"));
         EXPECT_TRUE(host.keyPress("DirLstBox", U'\r'));
       },
       [&] {
         EXPECT_EQ(host.folderList("DirLstBox").path(), platform::pathToUtf8(dir / "sub"));
         EXPECT_TRUE(rows().empty()) << "searched there with the pattern a*";
       }},
      {"mnEnd", [&] { host.click("mnEnd"); }, [&] { EXPECT_TRUE(host.unloaded); }},
  };
  for (const Row& row : rows_) {
    SCOPED_TRACE(row.name);
    row.act();
    row.check();
  }
  EXPECT_FALSE(host.keyPress("txtSerchFile", U'x')) << "ordinary keys reach the box";
  EXPECT_FALSE(host.keyPress("DirLstBox", U'x'));
  EXPECT_FALSE(form->handle({"lblDrive", FormEventKind::kClick})) << "not in the map";
}

}  // namespace
}  // namespace batora
