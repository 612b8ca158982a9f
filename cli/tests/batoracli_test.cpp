// The real batora-cli on temporary folders: what a user or a script sees.

#include <signal.h>

#include <gtest/gtest.h>

#include "clifixture.h"
#include "text.h"

namespace batora::cli {
namespace {

namespace fs = std::filesystem;
using testing::CliExecutable;
using testing::Lines;
using testing::ProcessResult;
using testing::splitLines;

TEST_F(CliExecutable, ListsRowsAsTheWindowShowsThem) {
  files({"c.jpg", "a.jpg", "b.JPG", "notes.txt", "sub/d.jpg"});
  struct Case {
    const char* name;
    std::vector<std::string> args;
    std::string out;
  } cases[] = {
      {"search order, all selected",
       {"photos", "--list", "-p", "*.jpg"},
       "* 1  a.jpg\n* 2  b.JPG\n* 3  c.jpg\n選択ファイル数 : 3\n"},
      {"by extension, descending, two rows selected",
       {"photos", "--list", "-p", "*.jpg", "--sort", "ext", "--desc", "--select", "1,3"},
       "* 1  c.jpg\n  2  a.jpg\n* 3  b.JPG\n選択ファイル数 : 2\n"},
      {"depth 2 shows the subfolder part",
       {"--list", "-d", "2", "--pattern=d*", "photos/"},
       "* 1  sub" + std::string(1, platform::kSeparator) + "d.jpg\n選択ファイル数 : 1\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    // Without --ini: the settings file next to the program.
    const ProcessResult result = testing::runProcess(BATORA_CLI_PATH, c.args, dir.path());
    EXPECT_EQ(result.out, c.out);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, 0);
  }
}

// b would take p02.jpg while p02.jpg, a later file of the same run, still has that name; an
// extension the run would fail every file for is marked with its reason. Either counts as a
// failure in the exit status.
TEST_F(CliExecutable, DryRunMarksWhatTheRunWouldFailAndChangesNothing) {
  const std::string unusable =
      "  (使用できない名前です: 次の文字は使用できません \\ / : * ? \" < > |)\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"--name", "p"},
       "  1  a.jpg -> p01.jpg\n"
       "! 2  b.jpg -> p02.jpg  (同名のファイルが既に存在します)\n"
       "  3  p02.jpg -> p03.jpg\n"
       "選択ファイル数 : 3\n"
       "同名のファイルと重なる数 : 1\n"},
      {{"--name", "p", "--ext", "a/b"},
       "! 1  a.jpg -> p01.a/b" + unusable + "! 2  b.jpg -> p02.a/b" + unusable +
           "! 3  p02.jpg -> p03.a/b" + unusable +
           "選択ファイル数 : 3\n同名のファイルと重なる数 : 0\n使用できない名前の数 : 3\n"},
  };
  files({"a.jpg", "b.jpg", "p02.jpg"});
  const Lines before = content();
  for (const auto& [args, out] : cases) {
    SCOPED_TRACE(args.back());
    std::vector<std::string> dryRun{"photos", "--dry-run"};
    dryRun.insert(dryRun.end(), args.begin(), args.end());
    const ProcessResult result = run(dryRun);
    EXPECT_EQ(result.out, out);
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(result.exitStatus, 1);
  }
  EXPECT_EQ(content(), before);
  EXPECT_EQ(logLines(), Lines{});
}

TEST_F(CliExecutable, RunRenamesReportsAndLogsEveryFile) {
  files({"c.jpg", "a.jpg", "b.jpg"});
  const ProcessResult result = run({"photos", "--yes", "--name", "trip", "--digits", "3", "--ext",
                                    "png", "--sort", "name", "--desc", "--select", "1-3"});
  EXPECT_EQ(splitLines(result.out),
            (Lines{renamed("c.jpg"), renamed("b.jpg"), renamed("a.jpg"),
                   "ﾘﾈｰﾑ処理が完了しました。　(処理件数:３件中 エラー０件)"}));
  EXPECT_EQ(result.err,
            "処理が完了しました。\n\n　(処理件数:３件中 エラー０件)\n\nBatoraを終了しますか？\n"
            "→ はい（自動）\n");
  EXPECT_EQ(result.exitStatus, 0);
  EXPECT_EQ(content(), (Lines{"trip001.png=c.jpg", "trip002.png=b.jpg", "trip003.png=a.jpg"}));
  EXPECT_EQ(logLines(), (Lines{"*** Rename Start !!  [T] ***",
                               fileLine("c.jpg", "trip001.png", "リネーム正常終了"),
                               fileLine("b.jpg", "trip002.png", "リネーム正常終了"),
                               fileLine("a.jpg", "trip003.png", "リネーム正常終了")}));
}

// What the log records at a skip or a stop is tested with the run.
TEST_F(CliExecutable, CollisionIsSkippedOrStopsTheRun) {
  const std::string question = "エラーが発生しました。\n同名のファイルが他に存在します。\n　(" +
                               path("b.jpg") +
                               " --> p02.jpg)\n\n該当ファイルをスキップして処理を続行しますか？\n";
  struct Case {
    const char* name;
    std::vector<std::string> extra;
    std::string answer;
    Lines content;
  } cases[] = {
      {"skip",
       {"--on-collision", "skip"},
       "→ はい（--on-collision skip）",
       {"b.jpg=b.jpg", "p01.jpg=a.jpg", "p03.jpg=p02.jpg"}},
      {"stop",
       {"--on-collision", "stop"},
       "→ いいえ（--on-collision stop）",
       {"b.jpg=b.jpg", "p01.jpg=a.jpg", "p02.jpg=p02.jpg"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    reset({"a.jpg", "b.jpg", "p02.jpg"});
    std::vector<std::string> args{"photos", "--yes", "--name", "p"};
    args.insert(args.end(), c.extra.begin(), c.extra.end());
    const ProcessResult result = run(args);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(content(), c.content);
    EXPECT_TRUE(result.err.starts_with(question + c.answer + "\n")) << result.err;
  }
}

// Ten files: one more than a single digit can number. Each check and its message is tested
// with the run; here, that a refusal reaches standard error with plain line ends.
TEST_F(CliExecutable, RefusedCheckOrConfirmationShowsTheMessageAndChangesNothing) {
  for (int i = 0; i < 10; ++i) files({"f" + std::to_string(i) + ".jpg"});
  const Lines before = content();
  struct Case {
    std::vector<std::string> args;
    std::string message;
  } cases[] = {
      {{"--yes", "--digits", "1"},
       "対象ファイル数と桁数の関係が不正です。\n桁数が１の場合、選択できるファイルの数は１～９です"
       "。"},
      {{"--dry-run", "--digits", "5"}, "桁数は１～４の範囲で指定して下さい。"},
      {{},
       "ファイル名の順番は間違いないですね？\nリネームを開始します。\n→ キャンセル（端末がないため"
       "確認できません。リネームするには --yes を指定してください。）"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.message);
    std::vector<std::string> args{"photos"};
    args.insert(args.end(), c.args.begin(), c.args.end());
    const ProcessResult result = run(args);
    EXPECT_EQ(result.err, c.message + "\n");
    EXPECT_EQ(result.out, "");
    EXPECT_EQ(result.exitStatus, 2);
  }
  EXPECT_EQ(content(), before);
  EXPECT_EQ(logLines(), Lines{});
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

TEST_F(CliExecutable, BadArgumentsAndMissingFoldersAreRefused) {
  files({"a.jpg", "b.jpg"});
  const std::string seeHelp = "\n「batora-cli --help」で使い方を表示します。\n";
  const std::pair<std::vector<std::string>, std::string> cases[] = {
      {{"photos", "--depth", "4"},
       "batora-cli: --depth には 1、2、3 のいずれかを指定してください。" + seeHelp},
      {{"photos", "--select", "1,3"},
       "batora-cli: --select の行 3 は一覧にありません（一覧は 2 行です）。" + seeHelp},
      {{"nowhere"}, "検索中に例外エラーが発生しました\n(" + (dir / "nowhere").string() + ")\n"},
  };
  for (const auto& [args, err] : cases) {
    SCOPED_TRACE(args.back());
    std::vector<std::string> withYes = args;
    withYes.push_back("--yes");
    const ProcessResult result = run(withYes);
    EXPECT_EQ(result.err, err);
    EXPECT_EQ(result.exitStatus, 2);
  }
  EXPECT_EQ(content(), (Lines{"a.jpg=a.jpg", "b.jpg=b.jpg"}));
}

TEST_F(CliExecutable, CtrlCStopsABigRunAfterTheFileUnderWay) {
  constexpr int kFiles = 5000;
  numberedLinks(kFiles);

  testing::ChildProcess child(
      BATORA_CLI_PATH, withIni({"photos", "--yes", "--name", "r", "--digits", "4", "--ext", "dat"}),
      dir.path());
  // The run cannot get far past this point while the signal is on its way: its output stalls
  // once the unread pipe is full, long before the last file.
  auto doneCount = [](const std::string& out) {
    long count = 0;
    for (size_t pos = 0; (pos = out.find("正常終了\n", pos)) != std::string::npos; ++pos) ++count;
    return count;
  };
  ASSERT_TRUE(child.readOutputUntil([&](const std::string& out) { return doneCount(out) >= 20; }));
  child.sendSignal(SIGINT);
  const ProcessResult result = child.finish();

  EXPECT_EQ(result.exitStatus, 3);
  const long done = doneCount(result.out);
  ASSERT_LT(done, kFiles);
  for (int i = 1; i <= kFiles; ++i) {
    const bool renamedAlready = i <= done;
    ASSERT_EQ(fs::exists(folder / numbered('r', i)), renamedAlready) << i;
    ASSERT_EQ(fs::exists(folder / numbered('f', i)), !renamedAlready) << i;
  }
  const Lines log = logLines();
  ASSERT_EQ(log.size(), static_cast<size_t>(done) + 2);
  EXPECT_EQ(log[static_cast<size_t>(done)],
            fileLine(numbered('f', static_cast<int>(done)), numbered('r', static_cast<int>(done)),
                     "リネーム正常終了"));
  EXPECT_EQ(log.back(),
            fileLine(numbered('f', static_cast<int>(done) + 1),
                     numbered('r', static_cast<int>(done) + 1), "リネームは中断されました"));
  EXPECT_EQ(splitLines(result.out).back(),
            "ﾘﾈｰﾑは中断されました。(５０００件中 " + fullWidthNumber(done) +
                "件処理済み 未処理の先頭:" + path(numbered('f', static_cast<int>(done) + 1)) + ")");
  EXPECT_NE(result.err.find("　(処理件数:５０００件中 エラー０件)"), std::string::npos);
}

TEST_F(CliExecutable, UndoShowsAsksAndPutsTheLastRunBackAndCanItselfBeUndone) {
  files({"a.jpg", "b.jpg"});
  EXPECT_EQ(run({"--undo", "--yes"}).exitStatus, 2);  // nothing recorded yet
  ASSERT_EQ(run({"photos", "--yes", "--name", "r"}).exitStatus, 0);
  const Lines renamed = content();
  const size_t runLogLines = logLines().size();

  const ProcessResult unconfirmed = run({"--undo"});
  EXPECT_EQ(unconfirmed.exitStatus, 2);
  EXPECT_EQ(content(), renamed);
  const ProcessResult dry = run({"--undo", "--dry-run"});
  EXPECT_EQ(dry.exitStatus, 0);
  EXPECT_EQ(splitLines(dry.out), (Lines{"  1  " + path("r02.jpg") + " -> " + path("b.jpg"),
                                        "  2  " + path("r01.jpg") + " -> " + path("a.jpg"),
                                        "元に戻すファイル数 : 2", "飛ばすファイル数 : 0"}));
  EXPECT_EQ(content(), renamed);

  const ProcessResult undone = run({"--undo", "--yes"});
  EXPECT_EQ(undone.exitStatus, 0);
  EXPECT_EQ(content(), (Lines{"a.jpg=a.jpg", "b.jpg=b.jpg"}));
  const Lines log = logLines();
  EXPECT_EQ(
      Lines(log.begin() + static_cast<long>(runLogLines), log.end()),
      (Lines{"*** Rename Start !!  [T] ***", fileLine("r02.jpg", "b.jpg", "リネーム取消正常終了"),
             fileLine("r01.jpg", "a.jpg", "リネーム取消正常終了")}));
  EXPECT_EQ(run({"--undo", "--yes"}).exitStatus, 0);
  EXPECT_EQ(content(), renamed);

  // A file changed since: skipped, reported, kept; the others go back.
  dir.write("photos/r01.jpg", "changed since the run");
  const ProcessResult partly = run({"--undo", "--yes"});
  EXPECT_EQ(partly.exitStatus, 1);
  EXPECT_NE(partly.out.find("! 2  " + path("r01.jpg") + " -> " + path("a.jpg") +
                            "  (リネームの後に変更・置き換え・移動されています)"),
            std::string::npos);
  EXPECT_EQ(content(), (Lines{"b.jpg=b.jpg", "r01.jpg=changed since the run"}));
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
  numberedLinks(kFiles);

  {
    testing::ChildProcess child(
        BATORA_CLI_PATH,
        withIni({"photos", "--yes", "--name", "r", "--digits", "4", "--ext", "dat"}), dir.path());
    ASSERT_TRUE(child.readOutputUntil([](const std::string& out) {
      return out.find("r0020.dat") != std::string::npos ||
             out.find("f0020.datのﾘﾈｰﾑ") != std::string::npos;
    }));
    child.sendSignal(kKillSignal);
    child.finish();
  }
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
