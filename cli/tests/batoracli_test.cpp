// The real batora-cli on temporary folders: what a user or a script sees.

#include <signal.h>

#include <gtest/gtest.h>

#include "clifixture.h"
#include "text.h"

namespace batora::cli {
namespace {

namespace fs = std::filesystem;
using testing::CliExecutable;
using testing::Invocation;
using testing::Lines;
using testing::ProcessResult;
using testing::splitLines;

// The list, the dry run, a refused check or confirmation and bad arguments leave the folder
// and the log as they were.
TEST_F(CliExecutable, ListsDryRunsAndRefusalsChangeNothing) {
  const Lines listed = {"c.jpg", "a.jpg", "b.JPG", "notes.txt", "sub/d.jpg"};
  const Lines dry = {"a.jpg", "b.jpg", "p02.jpg"};
  Lines ten;  // one more than a single digit can number
  for (int i = 0; i < 10; ++i) ten.push_back("f" + std::to_string(i) + ".jpg");
  const std::string unusable =
      "  (使用できない名前です: 次の文字は使用できません \\ / : * ? \" < > |)\n";
  const std::string seeHelp = "\n「batora-cli --help」で使い方を表示します。\n";
  const Invocation cases[] = {
      {"list: search order, all selected", listed, "photos --list -p *.jpg",
       "* 1  a.jpg\n* 2  b.JPG\n* 3  c.jpg\n選択ファイル数 : 3\n", "", 0},
      {"list: by extension, descending, two rows selected", listed,
       "photos --list -p *.jpg --sort ext --desc --select 1,3",
       "* 1  c.jpg\n  2  a.jpg\n* 3  b.JPG\n選択ファイル数 : 2\n", "", 0},
      {"list: depth 2 shows the subfolder part", listed, "--list -d 2 --pattern=d* photos/",
       "* 1  sub" + std::string(1, platform::kSeparator) + "d.jpg\n選択ファイル数 : 1\n", "", 0},
      // b would take p02.jpg while p02.jpg, a later file of the same run, still has that name.
      {"dry run: a name still taken", dry, "photos --dry-run --name p",
       "  1  a.jpg -> p01.jpg\n"
       "! 2  b.jpg -> p02.jpg  (同名のファイルが既に存在します)\n"
       "  3  p02.jpg -> p03.jpg\n"
       "選択ファイル数 : 3\n同名のファイルと重なる数 : 1\n",
       "", 1},
      {"dry run: an extension the run would fail every file for", dry,
       "photos --dry-run --name p --ext a/b",
       "! 1  a.jpg -> p01.a/b" + unusable + "! 2  b.jpg -> p02.a/b" + unusable +
           "! 3  p02.jpg -> p03.a/b" + unusable +
           "選択ファイル数 : 3\n同名のファイルと重なる数 : 0\n使用できない名前の数 : 3\n",
       "", 1},
      // Each check and its message is tested with the run; here, that a refusal reaches standard
      // error with plain line ends.
      {"refused: too many files for the digits", ten, "photos --yes --digits 1", "",
       "対象ファイル数と桁数の関係が不正です。\n桁数が１の場合、選択できるファイルの数は１～９です"
       "。\n",
       2},
      {"refused: the dry run checks too", ten, "photos --dry-run --digits 5", "",
       "桁数は１～４の範囲で指定して下さい。\n", 2},
      {"no terminal, no --yes", ten, "photos", "",
       "ファイル名の順番は間違いないですね？\nリネームを開始します。\n→ キャンセル（端末がないため"
       "確認できません。リネームするには --yes を指定してください。）\n",
       2},
      {"bad depth", dry, "photos --depth 4 --yes", "",
       "batora-cli: --depth には 1、2、3 のいずれかを指定してください。" + seeHelp, 2},
      {"a selected row past the list", dry, "photos --select 1,4 --yes", "",
       "batora-cli: --select の行 4 は一覧にありません（一覧は 3 行です）。" + seeHelp, 2},
      {"a folder that is not there", dry, "nowhere --yes", "",
       "検索中に例外エラーが発生しました\n(" + (dir / "nowhere").string() + ")\n", 2},
  };
  for (const Invocation& c : cases) expect(c);
  // Without --ini: the settings file next to the program.
  EXPECT_EQ(testing::runProcess(BATORA_CLI_PATH, {"photos", "--list", "-p", "b*"}, dir.path()).out,
            "* 1  b.jpg\n選択ファイル数 : 1\n");
}

// A run reports each file on standard output and the questions and the closing summary on
// standard error; a collision is skipped or stops the run as --on-collision says.
TEST_F(CliExecutable, RunRenamesReportsAndLogsEveryFile) {
  const std::string started = "*** Rename Start !!  [T] ***";
  const std::string done = "リネーム正常終了", failed = "リネーム異常終了";
  const std::string question = "エラーが発生しました。\n同名のファイルが他に存在します。\n　(" +
                               path("b.jpg") +
                               " --> p02.jpg)\n\n該当ファイルをスキップして処理を続行しますか？\n";
  auto closing = [](const std::string& summary) {
    return "処理が完了しました。\n\n" + summary + "\n\nBatoraを終了しますか？\n→ はい（自動）\n";
  };
  const std::string threeNoError = "　(処理件数:３件中 エラー０件)";
  const std::string threeOneError = "　(処理件数:３件中 エラー１件)";
  const Lines collision = {"a.jpg", "b.jpg", "p02.jpg"};
  const std::string bFailed = path("b.jpg") + "のﾘﾈｰﾑ 異常終了\n";
  const Invocation cases[] = {
      {"every option of the rule",
       {"c.jpg", "a.jpg", "b.jpg"},
       "photos --yes --name trip --digits 3 --ext png --sort name --desc --select 1-3",
       renamed("c.jpg") + "\n" + renamed("b.jpg") + "\n" + renamed("a.jpg") +
           "\nﾘﾈｰﾑ処理が完了しました。" + threeNoError + "\n",
       closing(threeNoError),
       0,
       {"trip001.png=c.jpg", "trip002.png=b.jpg", "trip003.png=a.jpg"},
       {started, fileLine("c.jpg", "trip001.png", done), fileLine("b.jpg", "trip002.png", done),
        fileLine("a.jpg", "trip003.png", done)}},
      {"a collision skipped",
       collision,
       "photos --yes --name p --on-collision skip",
       renamed("a.jpg") + "\n" + bFailed + renamed("p02.jpg") + "\nﾘﾈｰﾑ処理が完了しました。" +
           threeOneError + "\n",
       question + "→ はい（--on-collision skip）\n" + closing(threeOneError),
       1,
       {"b.jpg=b.jpg", "p01.jpg=a.jpg", "p03.jpg=p02.jpg"},
       {started, fileLine("a.jpg", "p01.jpg", done), fileLine("b.jpg", "p02.jpg", failed),
        fileLine("p02.jpg", "p03.jpg", done)}},
      {"a collision stops the run",
       collision,
       "photos --yes --name p --on-collision stop",
       renamed("a.jpg") + "\n" + bFailed +
           "ﾘﾈｰﾑは中断されました。(３件中 ２件処理済み 未処理の先頭:" + path("p02.jpg") + ")\n",
       question + "→ いいえ（--on-collision stop）\n" + closing(threeOneError),
       1,
       {"b.jpg=b.jpg", "p01.jpg=a.jpg", "p02.jpg=p02.jpg"},
       {started, fileLine("a.jpg", "p01.jpg", done), fileLine("b.jpg", "p02.jpg", failed),
        fileLine("p02.jpg", "p03.jpg", "リネームは中断されました")}},
  };
  for (const Invocation& c : cases) expect(c);
}

// The expected bytes are written out here, not converted by the program's own routines, and are
// the same on every platform: apart from the time stamps and the folder, the log reads the same
// wherever the program ran.
TEST_F(CliExecutable, RenameLogOfJapaneseNamesHasTheSameBytesOnEveryPlatform) {
  files({"b.jpg", "p02.jpg"});
  for (const char* name : {"ü€.jpg", "写真 夏.jpg"})
    dir.write(folder / platform::pathFromUtf8(name), name);
  dir.write(folder / platform::pathFromUtf8("旅行03.png"), "taken");
  // Code page 932: the log goes to the folder ログ, which only that decoding finds.
  const fs::path logs = dir.mkdir(platform::pathFromUtf8("ログ"));
  dir.write("Batora.ini",
            "OUTPUT_LOG_RENAME = 1\r\nDIRPATH_LOG_RENAME = " + platform::pathToUtf8(dir.path()) +
                platform::kSeparator + "\x83\x8D\x83O\r\n");

  EXPECT_EQ(run({"photos", "-p", "*.jpg", "--yes", "--name", "旅行", "--ext", "png", "--sort",
                 "name", "--on-collision", "skip"})
                .exitStatus,
            1);  // one file failed: the taken name

  ASSERT_FALSE(fs::exists(dir / "Batora.log"));
  const std::string travel = "\x97\xB7\x8Ds";                                          // 旅行
  const std::string photo = "\x8E\xCA\x90^ \x89\xC4";                                  // 写真 夏
  const std::string done = "\x83\x8A\x83l\x81[\x83\x80\x90\xB3\x8F\xED\x8FI\x97\xB9";  // 正常終了
  const std::string failed = "\x83\x8A\x83l\x81[\x83\x80\x88\xD9\x8F\xED\x8FI\x97\xB9";
  // The temporary folder's name is ASCII: the same bytes in either encoding.
  const std::string in = platform::pathToUtf8(folder) + platform::kSeparator;
  auto line = [&](const std::string& from, const std::string& to, const std::string& result) {
    return "*** T, [" + in + from + " -> " + in + to + "] " + result + " ***\r\n";
  };
  EXPECT_EQ(logBytes(logs / "Batora.log"),
            "*** Rename Start !!  [T] ***\r\n" + line("b.jpg", travel + "01.png", done) +
                line("p02.jpg", travel + "02.png", done) +
                line("??.jpg", travel + "03.png", failed) +  // ü and € are not in cp932
                line(photo + ".jpg", travel + "04.png", done));
  EXPECT_EQ(batora::testing::readBytes(folder / platform::pathFromUtf8("旅行03.png")), "taken");
  EXPECT_EQ(batora::testing::readBytes(folder / platform::pathFromUtf8("旅行04.png")),
            "写真 夏.jpg");
}

TEST_F(CliExecutable, UnreadableSettingsEndTheProgramAsTheWindowDoes) {
  const ProcessResult result = testing::runProcess(
      BATORA_CLI_PATH, {"--ini", (dir / "missing.ini").string(), "--list"}, dir.path());
  EXPECT_EQ(result.err, "INIファイル読み込みエラー!! 終了します。\n");
  EXPECT_EQ(result.exitStatus, 2);
  const std::string errorLog =
      platform::cp932ToUtf8(batora::testing::readBytes(dir / "BatoraEr.log"));
  EXPECT_TRUE(errorLog.ends_with(
      " , EXE名称=batora-cli , 発生場所=Form_Load , エラー内容=INIファイル読み込みエラー!! "
      "終了します。\r\n"))
      << errorLog;
}

TEST_F(CliExecutable, CtrlCStopsABigRunAfterTheFileUnderWay) {
  constexpr int kFiles = 5000;
  const auto child = startBigRun(kFiles);
  // The run cannot get far past this point while the signal is on its way: its output stalls
  // once the unread pipe is full, long before the last file.
  auto doneCount = [](const std::string& out) {
    int count = 0;
    for (size_t pos = 0; (pos = out.find("正常終了\n", pos)) != std::string::npos; ++pos) ++count;
    return count;
  };
  ASSERT_TRUE(child->readOutputUntil([&](const std::string& out) { return doneCount(out) >= 20; }));
  child->sendSignal(SIGINT);
  const ProcessResult result = child->finish();

  EXPECT_EQ(result.exitStatus, 3);
  const int done = doneCount(result.out);
  ASSERT_LT(done, kFiles);
  for (int i = 1; i <= kFiles; ++i) {
    ASSERT_EQ(fs::exists(folder / numbered('r', i)), i <= done) << i;
    ASSERT_EQ(fs::exists(folder / numbered('f', i)), i > done) << i;
  }
  const Lines log = logLines();
  ASSERT_EQ(log.size(), static_cast<size_t>(done) + 2);
  EXPECT_EQ(log[static_cast<size_t>(done)], numberedLine(done, "リネーム正常終了"));
  EXPECT_EQ(log.back(), numberedLine(done + 1, "リネームは中断されました"));
  EXPECT_EQ(splitLines(result.out).back(),
            "ﾘﾈｰﾑは中断されました。(５０００件中 " + fullWidthNumber(done) +
                "件処理済み 未処理の先頭:" + path(numbered('f', done + 1)) + ")");
  EXPECT_NE(result.err.find("　(処理件数:５０００件中 エラー０件)"), std::string::npos);
}

// The write of the first result line fails: that file is renamed and recorded, and the run
// stops there, as at Ctrl+C, instead of being killed between a rename and its record.
TEST_F(CliExecutable, ClosedPipeStopsTheRunAfterTheFileUnderWay) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  // As `batora-cli … | head -0` would have it: a pipe that has no reader from the start.
  const std::vector<std::string> args = withIni({"photos", "--yes", "--name", "r"});
  EXPECT_EQ(testing::ChildProcess(BATORA_CLI_PATH, args, dir.path(), false).finish().exitStatus, 3);
  EXPECT_EQ(content(), (Lines{"b.jpg=b.jpg", "c.jpg=c.jpg", "r01.jpg=a.jpg"}));
  EXPECT_EQ(logLines(),
            (Lines{"*** Rename Start !!  [T] ***", fileLine("a.jpg", "r01.jpg", "リネーム正常終了"),
                   fileLine("b.jpg", "r02.jpg", "リネームは中断されました")}));
}

TEST_F(CliExecutable, UndoShowsAsksAndPutsTheLastRunBackAndCanItselfBeUndone) {
  // Runs the program; its exit status and the folder afterwards are as given.
  auto step = [this](const std::vector<std::string>& args, int status, const Lines& after) {
    const ProcessResult result = run(args);
    EXPECT_EQ(result.exitStatus, status) << result.err;
    EXPECT_EQ(content(), after);
    return result;
  };
  files({"a.jpg", "b.jpg"});
  const Lines before = content();
  step({"--undo", "--yes"}, 2, before);  // nothing recorded yet
  ASSERT_EQ(run({"photos", "--yes", "--name", "r"}).exitStatus, 0);
  const Lines renamed = content();
  const size_t runLogLines = logLines().size();

  step({"--undo"}, 2, renamed);  // not confirmed
  EXPECT_EQ(splitLines(step({"--undo", "--dry-run"}, 0, renamed).out),
            (Lines{"  1  " + path("r02.jpg") + " -> " + path("b.jpg"),
                   "  2  " + path("r01.jpg") + " -> " + path("a.jpg"), "元に戻すファイル数 : 2",
                   "飛ばすファイル数 : 0"}));
  step({"--undo", "--yes"}, 0, before);
  const Lines log = logLines();
  EXPECT_EQ(
      Lines(log.begin() + static_cast<long>(runLogLines), log.end()),
      (Lines{"*** Rename Start !!  [T] ***", fileLine("r02.jpg", "b.jpg", "リネーム取消正常終了"),
             fileLine("r01.jpg", "a.jpg", "リネーム取消正常終了")}));
  step({"--undo", "--yes"}, 0, renamed);  // the undo undone

  // A file changed since: skipped, reported, kept; the others go back.
  dir.write("photos/r01.jpg", "changed since the run");
  const ProcessResult partly =
      step({"--undo", "--yes"}, 1, {"b.jpg=b.jpg", "r01.jpg=changed since the run"});
  EXPECT_NE(partly.out.find("! 2  " + path("r01.jpg") + " -> " + path("a.jpg") +
                            "  (リネームの後に変更・置き換え・移動されています)"),
            std::string::npos);
}

// Killed outright: SIGKILL; Windows has no such signal, and the child process ends any signal
// but SIGINT there with TerminateProcess, which is as abrupt.
#ifdef SIGKILL
constexpr int kKillSignal = SIGKILL;
#else
constexpr int kKillSignal = SIGTERM;
#endif

// A run killed outright writes no end and no after for the file under way; the journal still
// tells which files were renamed.
TEST_F(CliExecutable, UndoAfterAKilledRunPutsBackEveryFileItRenamed) {
  constexpr int kFiles = 2000;
  const auto child = startBigRun(kFiles);
  ASSERT_TRUE(child->readOutputUntil([](const std::string& out) {
    return out.find("r0020.dat") != std::string::npos ||
           out.find("f0020.datのﾘﾈｰﾑ") != std::string::npos;
  }));
  child->sendSignal(kKillSignal);
  child->finish();
  long renamedCount = 0;
  for (int i = 1; i <= kFiles; ++i) renamedCount += fs::exists(folder / numbered('r', i)) ? 1 : 0;
  ASSERT_GE(renamedCount, 20);
  ASSERT_LT(renamedCount, kFiles);

  const ProcessResult undone = run({"--undo", "--yes"});
  EXPECT_EQ(undone.exitStatus, 0) << undone.err;
  for (int i = 1; i <= kFiles; ++i) {
    ASSERT_TRUE(fs::exists(folder / numbered('f', i))) << i;
    ASSERT_FALSE(fs::exists(folder / numbered('r', i))) << i;
  }
}

}  // namespace
}  // namespace batora::cli
