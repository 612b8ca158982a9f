// A run, its journal and its undo on real files.

#include "undorun.h"

#include <gtest/gtest.h>

#include "renamerun.h"
#include "runfolderfixture.h"
#include "runjournal.h"
#include "text.h"
#include "utf8.h"

namespace batora {
namespace {

namespace fs = std::filesystem;
using Rows = std::vector<std::string>;

// Yes to every question; keeps the file results and the end.
class AnsweringEvents final : public RenameEvents {
 public:
  std::vector<FileResult> files;
  std::optional<RunEnd> end;
  long confirmed = -1;

  void refused(const RenameRefusal&) override {}
  bool confirmStart(long total) override {
    confirmed = total;
    return true;
  }
  void started(long) override {}
  void fileDone(const FileResult& result) override { files.push_back(result); }
  bool skipTakenName(const FileResult&) override { return true; }
  void lastNameTaken(const FileResult&) override {}
  void betweenFiles() override {}
  void ended(const RunEnd& e) override { end = e; }
  void failedUnexpectedly(std::string_view) override {}
};

class UndoTest : public testing::RunFolderFixture {
 protected:
  fs::path journalDir() const { return journalFolder(settings); }
  // A run of the listed selection with the fixture's rule, recorded in the journal unless the
  // journal cannot be written.
  RunEnd renameAll(bool journalWritable = true) {
    AnsweringEvents events;
    RunJournal journal(journalDir());
    RenameRun run(func, objCtrl, namingRule, list, events);
    run.setJournal(&journal);
    const std::optional<RunEnd> end = run.run();
    EXPECT_TRUE(end);
    EXPECT_EQ(journal.failed(), !journalWritable);
    return end.value_or(RunEnd{});
  }
  // Undoes the newest recorded run that renamed anything.
  std::pair<RunEnd, std::vector<FileResult>> undoLast() {
    std::optional<JournalRun> recorded = lastRenamingRun(journalDir());
    EXPECT_TRUE(recorded);
    if (!recorded) return {};
    AnsweringEvents events;
    RunJournal journal(journalDir());
    UndoRun undo(func, *recorded, events);
    undo.setJournal(&journal);
    const std::optional<RunEnd> end = undo.run();
    return {end.value_or(RunEnd{}), events.files};
  }
};

TEST(JournalBytesTest, EveryByteComesBackAndTheLineStaysOneLineOfUtf8) {
  // The last rows are long enough to be read eight bytes at a time, with what must be escaped in
  // mid-word.
  const std::string rows[] = {
      "plain.jpg",
      "ü.jpg",
      "写真　夏.jpg",
      "100%.jpg",
      "%41",
      "tab\there",
      "line\r\nend",
      std::string("nul\0byte", 8),
      "\xff\xfe.jpg",
      "\xe3\x81",
      "\x7f",
      "a_plain_name%with\ttab_and_\xff_byte.jpg",
      "abcdefg\x7fhijklmnop\x1f",
      "abc%41defgh%",
  };
  for (const std::string& bytes : rows) {
    SCOPED_TRACE(bytes);
    const std::string text = escapeBytes(bytes);
    EXPECT_EQ(unescapeBytes(text), bytes);
    EXPECT_EQ(utf8::sanitize(text), text);
    EXPECT_EQ(text.find_first_of(std::string("\t\r\n\0", 4)), std::string::npos);
  }
}

std::string beforeRecord(const PlannedName& file, const fs::path& folder) {
  std::string record;
  appendBeforeRecord(record, file, folder);
  return record;
}

std::string afterRecord(const FileResult& result,
                        const std::optional<platform::FileIdentity>& identity) {
  std::string record;
  appendAfterRecord(record, result, identity);
  return record;
}

TEST(JournalRecordsTest, ACutLastLineAndAnAfterOfAnotherFileAreLeftOut) {
  PlannedName a{0, 0, "/p/a", "x01", "/p/x01"}, b{1, 1, "/p/b", "x02", "/p/x02"};
  const platform::FileIdentity id{1, 2, 3, 4};
  const std::string text = startRecord({7, RunKind::kRename, {}, "/p", 2}) + beforeRecord(a, "/p") +
                           afterRecord({a, FileOutcome::kRenamed}, id) + beforeRecord(b, "/p") +
                           afterRecord({a, FileOutcome::kFailed}, std::nullopt) + "end\tcompl";
  const std::optional<JournalRun> run = parseJournalRun(text);
  ASSERT_TRUE(run);
  EXPECT_EQ(run->start.id, 7);
  ASSERT_EQ(run->files.size(), 2u);
  EXPECT_EQ(run->files[0].identity, id);
  EXPECT_EQ(run->files[1].outcome, std::nullopt);
  EXPECT_EQ(run->end, std::nullopt);
}

// Paths under the run's folder are written relative to it; whatever is written must read back
// as the very same characters, separators included.
TEST(JournalRecordsTest, EveryPathComesBackWholeWhetherWrittenRelativeOrNot) {
  const fs::path root = fs::temp_directory_path().root_path();
  const fs::path folder = root / "p";
  const fs::path::string_type p = folder.native();
  const std::pair<fs::path, fs::path> rows[] = {
      {folder, folder / "a.jpg"},
      {folder, folder / "sub" / "b.jpg"},
      {folder, root / "q" / "c.jpg"},
      {folder, fs::path(p + fs::path("xy/d.jpg").make_preferred().native())},
      {root, root / "e.jpg"},
#ifndef _WIN32
      {folder, p + "//f.jpg"},
      {folder, p + "/./g.jpg"},
#else
      {folder, p + L"/h.jpg"},
      {folder, p + L"\\\\i.jpg"},
#endif
  };
  for (const auto& [runFolder, path] : rows) {
    SCOPED_TRACE(platform::pathToUtf8(path));
    const PlannedName file{0, 0, path, "n", runFolder / "n"};
    const std::string record = beforeRecord(file, runFolder);
    const std::optional<JournalRun> run =
        parseJournalRun(startRecord({1, RunKind::kRename, {}, runFolder, 1}) + record);
    ASSERT_TRUE(run);
    ASSERT_EQ(run->files.size(), 1u);
    EXPECT_EQ(run->files[0].oldPath.native(), path.native());
    EXPECT_EQ(run->files[0].newPath.native(), file.newPath.native());
  }
  // The new name goes into the run's folder and is written as a name alone.
  EXPECT_EQ(beforeRecord({3, 0, folder / "a.jpg", "n", folder / "n"}, folder),
            "before\t3\ta.jpg\tn\n");
}

TEST(JournalRecordsTest, AFileOfTheFirstVersionIsReadAndOneOfAnUnknownVersionIsNot) {
  const std::string records =
      "run\t4\trename\t2026-12-07 10:00:00\t/p\t1\n"
      "before\t0\t/p/a.jpg\t/p/r1.jpg\n"
      "after\t0\trenamed\t1\t2\t3\t4\n";
  const std::optional<JournalRun> first = parseJournalRun("batora-journal\t1\n" + records);
  ASSERT_TRUE(first);
  ASSERT_EQ(first->files.size(), 1u);
  EXPECT_EQ(first->files[0].oldPath.native(), fs::path("/p/a.jpg").native());
  EXPECT_EQ(parseJournalRun("batora-journal\t3\n" + records), std::nullopt);
  EXPECT_EQ(parseJournalRun(records), std::nullopt);
}

TEST_F(UndoTest, RunAndUndoRestoreEveryNameByteForByte) {
  Rows names = {"ü.jpg", "ö.jpg", "写真 夏.jpg", "100%.txt", "ẞ.png"};
#ifndef _WIN32
  names.insert(names.end(), {"\xff\xfe.jpg", "tab\tname", "line\nend"});
#endif
  files(names);
  const Rows before = content(folder);
  rule("r", "2", "jpg");
  EXPECT_EQ(renameAll().errors, 0);
  ASSERT_NE(content(folder), before);
  const Rows logAfterRun = logLines();
  const JournalRun recorded = *lastRenamingRun(journalDir());

  const auto [end, results] = undoLast();
  EXPECT_TRUE(end.complete);
  EXPECT_EQ(end.errors, 0);
  EXPECT_EQ(end.total, static_cast<long>(names.size()));
  EXPECT_EQ(content(folder), before);
  // The undo is a run of the rename log, newest first, with its own result.
  const Rows log = logLines();
  ASSERT_EQ(log.size(), logAfterRun.size() + 1 + names.size());
  for (size_t k = 0; k < results.size(); ++k) {
    const FileResult& result = results[k];
    EXPECT_EQ(result.file.oldPath,
              folder / ("r" + sequenceText(static_cast<long>(names.size() - k) - 1, 2) + ".jpg"));
    const std::string expected =
        renameLogFileLine(clock.time, platform::pathToUtf8(result.file.oldPath),
                          platform::pathToUtf8(result.file.newPath), kUndoneOk);
    EXPECT_EQ(log[logAfterRun.size() + 1 + k],
              platform::cp932ToUtf8(platform::utf8ToCp932(printable(expected))));
  }
  // Undone a second time, the same run finds everything back and touches nothing.
  const std::vector<UndoStep> again = undoPlan(recorded);
  ASSERT_EQ(again.size(), names.size());
  for (const UndoStep& step : again) EXPECT_EQ(step.check, UndoCheck::kAlreadyBack);
  AnsweringEvents events;
  UndoRun(func, recorded, events).run();
  EXPECT_EQ(events.confirmed, 0);
  EXPECT_EQ(content(folder), before);
}

TEST_F(UndoTest, AChangedFileAndATakenOldNameAreSkippedAndKept) {
  files({"a", "b", "c"});
  rule("r", "2", "jpg");
  renameAll();
  dir.write("photos/r01.jpg", "rewritten, longer than before");  // changed since the run
  // Replaced by another file of the same content, made first so that it cannot reuse the inode.
  fs::rename(dir.write("photos/other", "b"), folder / "r02.jpg");
  dir.write("photos/c", "newcomer");  // the old name of r03 taken

  const std::vector<UndoStep> plan = undoPlan(*lastRenamingRun(journalDir()));
  ASSERT_EQ(plan.size(), 3u);
  EXPECT_EQ(plan[0].check, UndoCheck::kOldNameTaken);
  EXPECT_EQ(plan[1].check, UndoCheck::kNotTheSame);
  EXPECT_EQ(plan[2].check, UndoCheck::kNotTheSame);

  const auto [end, results] = undoLast();
  EXPECT_EQ(end.errors, 3);
  std::vector<FileOutcome> outcomes;
  for (const FileResult& r : results) outcomes.push_back(r.outcome);
  EXPECT_EQ(outcomes, (std::vector{FileOutcome::kNameTaken, FileOutcome::kNotTheSameFile,
                                   FileOutcome::kNotTheSameFile}));
  EXPECT_EQ(content(folder), (Rows{"c=newcomer", "r01.jpg=rewritten, longer than before",
                                   "r02.jpg=b", "r03.jpg=c"}));
}

// r02.jpg gives its name up before x takes it: put back newest first, the chain untangles.
TEST_F(UndoTest, AnUndoIsUndoneInTurnAndAChainIsPutBackInReverse) {
  files({"r02.jpg", "x"});
  rule("r", "2", "jpg");
  renameAll();
  const Rows renamed = content(folder);
  ASSERT_EQ(renamed, (Rows{"r01.jpg=r02.jpg", "r02.jpg=x"}));

  const JournalRun run = *lastRenamingRun(journalDir());
  const std::vector<UndoStep> plan = undoPlan(run);
  ASSERT_EQ(plan.size(), 2u);
  EXPECT_EQ(plan[1].check, UndoCheck::kReady);
  EXPECT_EQ(undoLast().first.errors, 0);
  EXPECT_EQ(content(folder), (Rows{"r02.jpg=r02.jpg", "x=x"}));
  // Asked again, the run finds both back, though r02.jpg is taken by the file that came first.
  for (const UndoStep& step : undoPlan(run)) EXPECT_EQ(step.check, UndoCheck::kAlreadyBack);
  EXPECT_EQ(undoLast().first.errors, 0);
  EXPECT_EQ(content(folder), renamed);
}

// Moved up into the listed folder by the run, and back down by the undo.
TEST_F(UndoTest, FilesMovedUpFromSubfoldersGoBackDown) {
  dir.write("photos/sub/deep/d1", "d1");
  files({"top", "sub/s1", "sub/s2"}, 2);
  rule("r", "2", "jpg");
  renameAll();
  EXPECT_EQ(content(folder), (Rows{"r01.jpg=top", "r02.jpg=sub/s1", "r03.jpg=sub/s2", "sub/"}));
  EXPECT_EQ(content(folder / "sub"), Rows{"deep/"});
  EXPECT_EQ(undoLast().first.errors, 0);
  EXPECT_EQ(content(folder), (Rows{"sub/", "top=top"}));
  EXPECT_EQ(content(folder / "sub"), (Rows{"deep/", "s1=sub/s1", "s2=sub/s2"}));
}

TEST_F(UndoTest, TheJournalKeepsItsNewestRunsAndAnUnwritableOneStopsNoRun) {
  files({"a"});
  for (int i = 0; i < static_cast<int>(kJournalRunsKept) + 2; ++i) {
    files({});  // listed again after each run
    rule(i % 2 ? "r" : "s", "2", "jpg");
    renameAll();
  }
  // Files of other names in the folder are no runs, however they look.
  dir.write(journalDir().lexically_relative(dir.path()) / "99999999999999999999999.jnl", "");
  dir.write(journalDir().lexically_relative(dir.path()) / "-1.jnl", "");
  const std::vector<fs::path> runs = journalRunFiles(journalDir());
  ASSERT_EQ(runs.size(), static_cast<size_t>(kJournalRunsKept));
  EXPECT_EQ(runs.back().filename(), "00000022.jnl");

  fs::remove_all(journalDir());
  dir.write(journalDir().lexically_relative(dir.path()), "a file where the folder goes");
  files({});
  rule("t", "2", "jpg");
  EXPECT_EQ(renameAll(false).errors, 0);
  EXPECT_EQ(content(folder), (Rows{"t01.jpg=a"}));
}

// Records go out ahead of the renames; a name that comes out differently at its turn is
// written again, and files a run that ended never reached are not part of it.
TEST(RunJournalTest, ANameChangedAtItsTurnCountsAndUnreachedFilesAreLeftOut) {
  testing::TempDir dir;
  auto planned = [](long k, const std::string& newName) {
    return PlannedName{k, static_cast<int>(k), "/p/o" + std::to_string(k), newName,
                       "/p/" + newName};
  };
  RunJournal journal(dir / "journal");
  PlannedName upcoming;
  ASSERT_TRUE(journal.start({0, RunKind::kRename, {}, "/p", 3}, [&](long k) {
    return &(upcoming = planned(k, "n" + std::to_string(k)));
  }));
  journal.before(planned(0, "n0"));
  journal.after({planned(0, "n0"), FileOutcome::kRenamed});
  journal.before(planned(1, "changed"));
  journal.after({planned(1, "changed"), FileOutcome::kFailed});
  RunEnd end;
  end.complete = false;
  end.reached = 2;
  journal.end(JournalEnd::kLeftEarly, end);

  const std::vector<fs::path> runs = journalRunFiles(dir / "journal");
  ASSERT_EQ(runs.size(), 1u);
  const std::optional<JournalRun> run = parseJournalRun(*platform::readFile(runs[0]));
  ASSERT_TRUE(run);
  EXPECT_EQ(run->end, JournalEnd::kLeftEarly);
  ASSERT_EQ(run->files.size(), 2u);
  EXPECT_EQ(run->files[0].newPath, "/p/n0");
  EXPECT_EQ(run->files[1].newPath, "/p/changed");
  EXPECT_EQ(run->files[1].outcome, FileOutcome::kFailed);
}

}  // namespace
}  // namespace batora
