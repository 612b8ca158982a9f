#include "renamerun.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <tuple>

#include "fileoutcome.h"
#include "renametexts.h"
#include "runfolderfixture.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

TEST(RenameRefusalTest, EveryCheckInItsOrderWithItsMessage) {
  const std::string digitsNaN = "桁数は数値を指定して下さい。";
  const std::string range = "桁数は１～４の範囲で指定して下さい。";
  const std::string tooMany = "対象ファイル数と桁数の関係が不正です。\r\n桁数が";
  const std::string badName =
      "ファイル名が不正です。次の文字は使用できません。\r\n\\ / : * ? \" < > |";
  struct Row {
    long selected;
    const char* digits;
    const char* name;
    std::optional<std::string> message;
  } rows[] = {
      {0, "x", "a:b", "リネームするファイルを指定してください。"},
      {3, "", "a:b", digitsNaN},
      {3, "a", "x", digitsNaN},
      {3, "0", "x", range},
      {3, "5", "x", range},
      {3, "５", "x", range},
      {10, "1", "a:b", tooMany + "１の場合、選択できるファイルの数は１～９です。"},
      {9, "1", "x", std::nullopt},
      {10000, "4", "x", tooMany + "４の場合、選択できるファイルの数は１～９９９９です。"},
      {9999, "４", "x", std::nullopt},
      {3, "2", "a:b", badName},
      {3, "2", " a|b ", badName},
      {3, "2", "写真　夏", std::nullopt},
  };
  for (const auto& row : rows) {
    SCOPED_TRACE(::testing::Message() << row.selected << " " << row.digits << " " << row.name);
    const auto refusal = renameRefusal(row.selected, row.digits, row.name);
    EXPECT_EQ(refusal ? std::optional(refusalMessage(*refusal)) : std::nullopt, row.message);
  }
}

// Records every event as values and answers the questions from a queue.
class RecordingEvents final : public RenameEvents {
 public:
  std::vector<std::string> trace;  // the events in order: "refused", "file 0 renamed" ...
  std::optional<RenameRefusal> refusal;
  bool confirm = true;
  std::vector<FileResult> files;
  std::vector<long> skipQuestions, lastNotices;  // indexes of the files asked or told about
  std::deque<bool> skipAnswers;                  // unscripted: skip
  std::optional<RunEnd> end;
  std::string failure;
  std::function<void()> onStarted, onBetweenFiles, onSkipQuestion;

  void refused(const RenameRefusal& r) override {
    trace.push_back("refused");
    refusal = r;
  }
  bool confirmStart(long total) override {
    trace.push_back("confirm " + std::to_string(total));
    return confirm;
  }
  void started(long) override {
    trace.push_back("started");
    if (onStarted) onStarted();
  }
  void fileDone(const FileResult& result) override { files.push_back(result); }
  bool skipTakenName(const FileResult& result) override {
    skipQuestions.push_back(result.file.index);
    if (onSkipQuestion) onSkipQuestion();
    if (skipAnswers.empty()) return true;
    const bool skip = skipAnswers.front();
    skipAnswers.pop_front();
    return skip;
  }
  void lastNameTaken(const FileResult& result) override {
    lastNotices.push_back(result.file.index);
  }
  void betweenFiles() override {
    if (onBetweenFiles) onBetweenFiles();
  }
  void ended(const RunEnd& e) override {
    trace.push_back("ended");
    end = e;
  }
  void failedUnexpectedly(std::string_view description) override {
    trace.push_back("failed");
    failure = description;
  }

  std::vector<FileOutcome> outcomes() const {
    std::vector<FileOutcome> all;
    for (const FileResult& f : files) all.push_back(f.outcome);
    return all;
  }
};

class RenameRunTest : public testing::RunFolderFixture {
 protected:
  PlannedName planned(long index, const std::string& from, const std::string& to) const {
    const int row = static_cast<int>(index);
    return {index, row, folder / from, to, folder / to};
  }

  RecordingEvents events;
  RenameRun run{func, objCtrl, namingRule, list, events};
};

RunEnd runEnd(bool complete, long total, long errors, long reached) {
  RunEnd end;
  end.complete = complete;
  end.total = total;
  end.errors = errors;
  end.reached = reached;
  return end;
}

constexpr FileOutcome kOk = FileOutcome::kRenamed;
constexpr FileOutcome kTaken = FileOutcome::kNameTaken;

TEST_F(RenameRunTest, RenameLogStampsPerSecondAndHoldsNoControlCharacter) {
  clock.time = {2000, 1, 2, 3, 4, 5};
  EXPECT_TRUE(OutputRenLog(func, "", "", "", true));
  // A run's log keeps its time stamp while the second lasts, and only then.
  RenameLog log(func);
  EXPECT_TRUE(log.write("/写真 2000/a b.jpg", "/写真 2000/夏　01.jpg", kRenamedOk));
  clock.time.second = 6;
  // A name (legal on Linux) that would end the record and forge the next one.
  EXPECT_TRUE(
      log.write("/p/a\r\n*** 2000/01/02 03:04:05, [/p/x -> /p/y", "/p/\x1b[2J", kRenameFailed));
  EXPECT_EQ(testing::readBytes(dir / "Batora.log"),
            platform::utf8ToCp932(
                "*** Rename Start !!  [2000/01/02 03:04:05] ***\r\n"
                "*** 2000/01/02 03:04:05, [/写真 2000/a b.jpg -> /写真 2000/夏　01.jpg] "
                "リネーム正常終了 ***\r\n"
                "*** 2000/01/02 03:04:06, [/p/a??*** 2000/01/02 03:04:05, [/p/x -> /p/y -> "
                "/p/?[2J] リネーム異常終了 ***\r\n"));
  EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(RenameRunTest, RefusalOrCancelChangesNothing) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  list.rows[1].selected = false;
  rule("a:b", "2");
  EXPECT_EQ(run.run(), std::nullopt);
  EXPECT_EQ(events.refusal, (RenameRefusal{RefusalKind::kForbiddenCharacter, 2, 0, 0}));
  rule("x", "2");
  events.confirm = false;
  EXPECT_EQ(run.run(), std::nullopt);
  EXPECT_EQ(events.trace, (Rows{"refused", "confirm 2"}));
  EXPECT_TRUE(events.files.empty());
  EXPECT_EQ(content(folder), (Rows{"a.jpg=a.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg"}));
  EXPECT_FALSE(fs::exists(dir / "Batora.log"));
  EXPECT_TRUE(toolkit.boxes.empty());
}

// A stop requested during the last file comes too late: the run is complete. No folder stays
// open after the run: it would keep the card the photos are on from being ejected.
TEST_F(RenameRunTest, ListOrderDecidesTheNumbers) {
  auto openDescriptors = [] {
#ifdef _WIN32
    return 0L;
#else
    return static_cast<long>(
        std::distance(fs::directory_iterator("/proc/self/fd"), fs::directory_iterator{}));
#endif
  };
  const long openBefore = openDescriptors();
  files({"A.jpg", "B.jpg", "C.jpg"});
  objCtrl.SwapFilesList(0, 2);  // C B A
  objCtrl.SwapFilesList(1, 2);  // C A B
  events.onBetweenFiles = [this] {
    if (events.files.size() == 3) run.requestStop();
  };
  const std::optional<RunEnd> end = run.run();
  EXPECT_EQ(end, (runEnd(true, 3, 0, 3)));
  EXPECT_EQ(events.trace, (Rows{"confirm 3", "started", "ended"}));
  EXPECT_EQ(events.files, (std::vector<FileResult>{{planned(0, "C.jpg", "x01.jpg"), kOk},
                                                   {planned(1, "A.jpg", "x02.jpg"), kOk},
                                                   {planned(2, "B.jpg", "x03.jpg"), kOk}}));
  EXPECT_EQ(content(folder), (Rows{"x01.jpg=C.jpg", "x02.jpg=A.jpg", "x03.jpg=B.jpg"}));
  EXPECT_EQ(openDescriptors(), openBefore);
  EXPECT_EQ(
      logLines(),
      (Rows{renameLogStartLine(clock.time), logLine("C.jpg", "x01.jpg", kRenamedOk),
            logLine("A.jpg", "x02.jpg", kRenamedOk), logLine("B.jpg", "x03.jpg", kRenamedOk)}));
  EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(RenameRunTest, CollisionSkippedAndTheLastOneOnlyTold) {
  files({"a01.jpg", "a02.jpg"});
  objCtrl.SwapFilesList(0, 1);  // a02 a01: both targets are taken by the other
  rule("a", "2");
  EXPECT_EQ(run.run(), (runEnd(true, 2, 2, 2)));
  EXPECT_EQ(events.outcomes(), (std::vector{kTaken, kTaken}));
  EXPECT_EQ(events.skipQuestions, std::vector<long>{0});
  EXPECT_EQ(events.lastNotices, std::vector<long>{1});
  // Nothing overwritten: each file still holds its own content.
  EXPECT_EQ(content(folder), (Rows{"a01.jpg=a01.jpg", "a02.jpg=a02.jpg"}));
  EXPECT_EQ(logLines(),
            (Rows{renameLogStartLine(clock.time), logLine("a02.jpg", "a01.jpg", kRenameFailed),
                  logLine("a01.jpg", "a02.jpg", kRenameFailed)}));
}

// A run left early reports the files it reached and the first file it left untouched with
// the name it would have got, in its end and in the log's interruption line.
TEST_F(RenameRunTest, LeftEarlyTheRestStaysUntouched) {
  struct Case {
    const char* name;
    std::function<void()> arrange;
    Rows before, after;
    RunEnd end;
  } cases[] = {
      {"No at a collision",
       [this] {
         objCtrl.SwapFilesList(0, 1);  // b a01 c: b wants a01
         events.skipAnswers = {false};
       },
       {"a01.jpg", "b.jpg", "c.jpg"},
       {"a01.jpg=a01.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg"},
       {false, 3, 1, 1, {}}},
      {"stop while the collision question is open",
       [this] {
         objCtrl.SwapFilesList(0, 1);  // b a01 c d
         events.onSkipQuestion = [this] { run.requestStop(); };
       },
       {"a01.jpg", "b.jpg", "c.jpg", "d.jpg"},
       {"a01.jpg=a01.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg", "d.jpg=d.jpg"},
       {false, 4, 1, 1, {}}},
      // A stop that the start-up's yield delivers (a key typed ahead, a click queued at OK)
      // holds: the run leaves before its first file.
      {"stop during the start-up",
       [this] { events.onStarted = [this] { run.requestStop(); }; },
       {"b.jpg", "c.jpg"},
       {"b.jpg=b.jpg", "c.jpg=c.jpg"},
       {false, 2, 0, 0, {}}},
      {"stop after the second file",
       [this] {
         events.onBetweenFiles = [this] {
           if (events.files.size() == 2) run.requestStop();
         };
       },
       {"b.jpg", "c.jpg", "d.jpg"},
       {"a01.jpg=b.jpg", "a02.jpg=c.jpg", "d.jpg=d.jpg"},
       {false, 3, 0, 2, {}}},
  };
  for (Case& c : cases) {
    SCOPED_TRACE(c.name);
    fs::remove_all(folder);
    fs::remove(dir / "Batora.log");
    events = {};
    files(c.before);
    rule("a", "2");
    c.arrange();
    const std::string untouched = list.rowText(static_cast<int>(c.end.reached));
    c.end.firstUntouched =
        planned(c.end.reached, untouched, "a0" + std::to_string(c.end.reached + 1) + ".jpg");
    EXPECT_EQ(run.run(), c.end);
    EXPECT_EQ(events.end, c.end);
    EXPECT_EQ(content(folder), c.after);
    const Rows lines = logLines();
    ASSERT_EQ(lines.size(), static_cast<size_t>(c.end.reached) + 2);
    EXPECT_EQ(lines.back(), logLine(untouched, c.end.firstUntouched->newName, kRenameInterrupted));
  }
}

TEST_F(RenameRunTest, LogSwitchedOffAndOnMidRunFollowsTheSwitch) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  events.onBetweenFiles = [&] { settings.OutputLogRename(events.files.size() != 1); };
  run.run();
  EXPECT_EQ(logLines(),
            (Rows{renameLogStartLine(clock.time), logLine("a.jpg", "x01.jpg", kRenamedOk),
                  logLine("c.jpg", "x03.jpg", kRenamedOk)}));
}

TEST_F(RenameRunTest, LogThatCannotBeWrittenShowsABoxPerLineAndRenamesEverything) {
  auto logs = dir.mkdir("logs");
  readSettings("OUTPUT_LOG_RENAME=1\r\nDIRPATH_LOG_RENAME=" + logs.string() + "\r\n");
  fs::remove_all(logs);
  dir.write("logs", "not a folder");
  files({"a.jpg", "b.jpg", "c.jpg"});
  EXPECT_EQ(run.run(), (runEnd(true, 3, 0, 3)));
  const std::string failed = "16 リネームログ出力エラーが発生しました。";
  EXPECT_EQ(boxes(), (Rows{failed, failed, failed, failed}));
  EXPECT_EQ(toolkit.beeps, 4);
  EXPECT_EQ(content(folder), (Rows{"x01.jpg=a.jpg", "x02.jpg=b.jpg", "x03.jpg=c.jpg"}));
  EXPECT_FALSE(fs::exists(dir / "BatoraEr.log"));  // its own box, not a reported error
}

// The one decision the run and the dry run share: a name that would leave the folder, name
// nothing, hold a character the home platform refuses or a control character is never tried.
TEST(NameFaultTest, EachReasonAName) {
  for (const char* usable : {"x01.jpg", "写真　夏 01.jpg", "...jpg"})
    EXPECT_EQ(nameFault(usable), NameFault::kNone) << usable;
  EXPECT_EQ(nameFault(""), NameFault::kEmpty);
  EXPECT_EQ(nameFault("."), NameFault::kDotName);
  EXPECT_EQ(nameFault(".."), NameFault::kDotName);
  for (char reserved : std::string_view("\\/:*?\"<>|"))
    EXPECT_EQ(nameFault(std::string("x1.a") + reserved), NameFault::kReservedCharacter) << reserved;
  for (char control : std::string_view("\n\r\x01\x1b\x7F"))
    EXPECT_EQ(nameFault(std::string("p") + control + "1.jpg"), NameFault::kControlCharacter)
        << int(control);
}

// The extension is not checked before the run, so an unusable name reaches it: an ordinary
// failure that asks nothing, touches nothing and keeps each log record one line.
TEST_F(RenameRunTest, UnusableNamesAreOrdinaryFailures) {
  files({"a.jpg", "b.jpg", "c.jpg"});
  const std::tuple<const char*, const char*, NameFault> rows[] = {
      {"x", "../../escape", NameFault::kReservedCharacter},
      {"p\r\n", "jpg", NameFault::kControlCharacter}};
  for (const auto& [name, ext, fault] : rows) {
    SCOPED_TRACE(::testing::Message() << name << "." << ext);
    events = {};
    fs::remove(dir / "Batora.log");
    rule(name, "1", ext);
    EXPECT_EQ(run.run(), (runEnd(true, 3, 3, 3)));
    EXPECT_EQ(events.outcomes(), std::vector<FileOutcome>(3, FileOutcome::kUnusableName));
    for (const FileResult& file : events.files) EXPECT_EQ(file.fault, fault);
    EXPECT_TRUE(events.skipQuestions.empty() && events.lastNotices.empty());
    EXPECT_EQ(content(folder), (Rows{"a.jpg=a.jpg", "b.jpg=b.jpg", "c.jpg=c.jpg"}));
    EXPECT_EQ(content(dir.path()).size(), 3u);  // Batora.ini, Batora.log, photos
    const Rows lines = logLines();
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(lines[3].ends_with(std::string("] ") + std::string(kRenameFailed) + " ***"));
  }
  EXPECT_TRUE(toolkit.boxes.empty());
}

TEST_F(RenameRunTest, FileThatAlreadyHasItsNameIsNotACollision) {
  files({"x01.jpg", "y.jpg"});
  EXPECT_EQ(run.run(), (runEnd(true, 2, 0, 2)));
  EXPECT_EQ(logLines()[1], logLine("x01.jpg", "x01.jpg", kRenamedOk));
  EXPECT_EQ(content(folder), (Rows{"x01.jpg=x01.jpg", "x02.jpg=y.jpg"}));
}

// Only the very same path is already named. Another link of the same file holds the name as any
// other file would, and the old name must not be reported renamed while it stays.
TEST_F(RenameRunTest, AnotherLinkOfTheSameFileIsACollision) {
  files({"a.jpg"});
  fs::create_hard_link(folder / "a.jpg", folder / "x01.jpg");
  ASSERT_FALSE(objCtrl.SetFileList(window, folder, 1, status));
  list.rows[0].selected = true;  // a.jpg; x01.jpg stays unselected
  EXPECT_EQ(run.run(), (runEnd(true, 1, 1, 1)));
  EXPECT_EQ(events.outcomes(), std::vector{kTaken});
  EXPECT_EQ(events.lastNotices, std::vector<long>{0});
  EXPECT_EQ(content(folder), (Rows{"a.jpg=a.jpg", "x01.jpg=a.jpg"}));
  EXPECT_EQ(logLines()[1], logLine("a.jpg", "x01.jpg", kRenameFailed));
}

// A name that differs only in letter case is a real rename, also where the file system ignores
// case and so finds the new name "taken" by the file itself.
TEST_F(RenameRunTest, NameThatDiffersInCaseOnlyIsRenamed) {
  files({"X01.JPG"});
  EXPECT_EQ(run.run(), (runEnd(true, 1, 0, 1)));
  EXPECT_EQ(events.outcomes(), std::vector{kOk});
  // Windows gives the name its new case; Wine keeps the old one, which is its own matter.
  if constexpr (platform::kSeparator == '/') {
    EXPECT_EQ(content(folder), (Rows{"x01.jpg=X01.JPG"}));
  }
}

TEST_F(RenameRunTest, NameThatIsNotUtf8IsRenamed) {
  files({std::string("photo\xFF.jpg")});
  run.run();
  EXPECT_EQ(content(folder), (Rows{std::string("x01.jpg=photo\xFF.jpg")}));
  // Shown with a replacement character, which code page 932 writes as "?".
  EXPECT_EQ(logLines()[1], logLine("photo?.jpg", "x01.jpg", kRenamedOk));
}

// The date is read for each name: a run across midnight names its later files with the new day,
// also when the journal had them named ahead with the old one, and the journal keeps the new name.
TEST_F(RenameRunTest, RunAcrossMidnightTakesTheNewDate) {
  const platform::LocalDateTime evening = clock.time;
  for (const bool journaled : {false, true}) {
    SCOPED_TRACE(journaled ? "journal" : "no journal");
    fs::remove_all(folder);
    clock.time = evening;
    files({"a.txt", "b.txt"});
    rule("", "2", "txt");
    RunJournal journal(dir / "journal");
    run.setJournal(journaled ? &journal : nullptr);
    events.onBetweenFiles = [&] { clock.time = {2001, 1, 1, 0, 0, 0}; };
    run.run();
    EXPECT_EQ(content(folder), (Rows{"20001231_01.txt=a.txt", "20010101_02.txt=b.txt"}));
  }
  const std::optional<JournalRun> recorded = lastRenamingRun(dir / "journal");
  ASSERT_TRUE(recorded);
  ASSERT_EQ(recorded->files.size(), 2u);
  EXPECT_EQ(recorded->files[1].newPath, folder / "20010101_02.txt");
}

TEST_F(RenameRunTest, UnexpectedFailureIsReportedAndNothingMore) {
  files({"a.jpg", "b.jpg"});
  // The list breaks down once the run has begun.
  events.onStarted = [&] { list.broken = true; };
  EXPECT_EQ(run.run(), std::nullopt);
  EXPECT_EQ(events.failure, "list box failed");
  EXPECT_EQ(events.trace, (Rows{"confirm 2", "started", "failed"}));
  EXPECT_EQ(content(folder), (Rows{"a.jpg=a.jpg", "b.jpg=b.jpg"}));
  EXPECT_FALSE(fs::exists(dir / "Batora.log"));
}

}  // namespace
}  // namespace batora
