// A rename run over every file of one folder (WindowRenameRun::CmnStartRename with the window
// faked, the rename log on, OK at the confirmation and No at the closing question), against a floor
// on a folder with the same names in the same run: a bare loop of renameat2 with RENAME_NOREPLACE
// plus one log line per file, opened, appended and closed with plain system calls (x_floor).
//
// After No at the closing question the run searches the folder again and sorts it; that is part
// of the run and stays in its time. after_close_ms and after_close_share tell how much of it it
// is, x_floor_loop compares the renaming part alone. Both are on the clock; x_floor_cpu compares
// the processor time of the two, which a shared machine disturbs far less.
//
// The digit-count check admits at most 9,999 files at four digits, the most the program's
// largest run can rename, so that is the folder size.
//
// Each iteration gives the run and the floor a fresh folder of hard links to a pool of files made
// once, created in the same order, so that every iteration starts from a directory in the same
// state. Renaming the files back instead would leave each later iteration a directory whose
// blocks carry the holes of the earlier ones. Links allocate no inode, so building and removing
// the folders never runs into ext4's slow reuse of freed inodes. Each name links to a file of
// its own, as in a user's folder: were they all links to one file, every rename would change
// that one file, and the journal's look at it after each rename would make the system stamp the
// next change of any file finely, which a real run never pays.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bsfunc.h"
#include "clsobjctrl.h"
#include "fakeclock.h"
#include "faketoolkit.h"
#include "namingrule.h"
#include "platform.h"
#include "renameevents.h"
#include "renamehostfake.h"
#include "renamerun.h"
#include "runjournal.h"
#include "tempdir.h"
#include "treegen.h"
#include "windowrenamerun.h"

namespace {

namespace fs = std::filesystem;
namespace mb = batora::mb;
using SteadyClock = std::chrono::steady_clock;
using batora::testing::BoxRecord;

constexpr std::string_view kCommonPart = "京都 旅行_";
constexpr std::string_view kExtension = "jpg";
constexpr std::uint64_t kNamesSeed = 2024;

double secondsBetween(SteadyClock::time_point start, SteadyClock::time_point end) {
  return std::chrono::duration<double>(end - start).count();
}

// The value below which the given share of the values lie (0.5: the median).
double quantile(std::vector<double> values, double share) {
  std::sort(values.begin(), values.end());
  return values.empty()
             ? 0.0
             : values[static_cast<size_t>(share * static_cast<double>(values.size() - 1) + 0.5)];
}

double median(std::vector<double> values) {
  return quantile(std::move(values), 0.5);
}

// Processor time (user and system) the process has spent so far. On a machine shared with other
// builds the clock mostly measures them; this measures the work.
double processorSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

// Each iteration starts its log afresh. Emptied rather than deleted, so that the log keeps its
// inode: freed inodes are what slows ext4 down (see the top of this file).
void emptied(const fs::path& log) {
  std::ofstream(log, std::ios::binary | std::ios::trunc);
}

// Owns a file descriptor.
class Fd {
 public:
  explicit Fd(int fd) : m_fd(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int get() const { return m_fd; }
  bool close() {
    const int fd = m_fd;
    m_fd = -1;
    return ::close(fd) == 0;
  }

 private:
  int m_fd;
};

bool appendLine(const std::string& log, const std::string& line) {
  Fd fd(::open(log.c_str(), O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0644));
  return fd.get() >= 0 &&
         ::write(fd.get(), line.data(), line.size()) == static_cast<ssize_t>(line.size()) &&
         fd.close();
}

// The same system calls as the run, on the same paths, and nothing else: the names come in the
// order the run's list has them, the line has the run's layout but is already in its final
// encoding, and the time stamp is fixed as the run's fake clock has it.
bool renameFloor(const fs::path& folder, const std::vector<batora::platform::PathText>& names,
                 const fs::path& log) {
  const std::string prefix = folder.native() + '/';
  std::string from, to, line;
  char sequence[24];
  if (!appendLine(log, "*** Rename Start !!  [2000/12/31 09:05:07] ***\r\n")) return false;
  for (std::size_t k = 0; k < names.size(); ++k) {
    std::snprintf(sequence, sizeof sequence, "%04zu", k + 1);
    from.assign(prefix).append(names[k]);
    to.assign(prefix).append(kCommonPart).append(sequence).append(".").append(kExtension);
    if (::renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) != 0)
      return false;
    line.assign("*** 2000/12/31 09:05:07, [").append(from).append(" -> ").append(to);
    line.append("] リネーム正常終了 ***\r\n");
    if (!appendLine(log.native(), line)) return false;
  }
  return true;
}

// A main window, its fields and the engine objects, once for the whole benchmark, as the program
// has them once.
struct Session {
  explicit Session(const fs::path& folder) {
    host.folder = folder;
    host.depth = 1;
    objCtrl.ListControl(&host.list);
    objCtrl.LabelSelFileNum(&label);
    objCtrl.SerchFileName("*.*");
  }
  batora::testing::FakeToolkit toolkit;
  batora::testing::FakeClock clock;
  batora::testing::TempDir programFolder;
  batora::clsIniFile settings{programFolder.path()};
  batora::bsFunc func{toolkit, settings, clock, "Batora"};
  batora::testing::FakeWindow window;
  batora::testing::FakeListBox list{&toolkit};
  batora::testing::FakeStatusBar status;
  batora::testing::FakeRenameHost host{window, list, status};
  batora::testing::FakeLabel label;
  batora::clsObjCtrl objCtrl{func};
  batora::testing::FakeTextField txtName{std::string(kCommonPart)};
  batora::testing::FakeTextField txtExp{std::string(kExtension)};
  batora::testing::FakeTextField txtSeq{"4"};
  batora::testing::FakeTextField txtSample;
  batora::testing::FakeCheckField chbBackSeq{1};
  batora::NamingRule rule{txtName, txtExp, txtSeq, chbBackSeq, txtSample, clock};
  batora::WindowRenameRun run{func, objCtrl, rule, host};
};

struct Timing {
  double whole = 0;
  double afterClose = 0;
  double processor = 0;
};

// Lists and selects the folder as the user would before the run; only the run itself is timed.
// Returns nothing when the run did not rename every file.
std::optional<Timing> timedRun(Session& s, long fileCount) {
  if (s.objCtrl.SetFileList(s.host.window, s.host.folder, 1, s.host.status)) return std::nullopt;
  for (auto& row : s.host.list.rows) row.selected = true;
  s.toolkit.boxes.clear();
  s.toolkit.answers = {mb::kIdOk, mb::kIdNo};
  s.host.status.history.clear();
  SteadyClock::time_point closing{};
  s.toolkit.onBox = [&closing](const BoxRecord& box) {
    if (box.style == (mb::kYesNo | mb::kQuestion)) closing = SteadyClock::now();
  };
  const double processorStart = processorSeconds();
  const auto start = SteadyClock::now();
  s.run.CmnStartRename();
  const auto end = SteadyClock::now();
  const double processor = processorSeconds() - processorStart;
  s.toolkit.onBox = nullptr;

  const bool allRenamed = s.toolkit.boxes.size() == 2 &&
                          s.toolkit.boxes[1].text.find("エラー０件") != std::string::npos &&
                          s.host.list.rowCount() == fileCount &&
                          s.host.list.rowText(0) == std::string(kCommonPart) + "0001.jpg";
  if (!allRenamed) return std::nullopt;
  return Timing{secondsBetween(start, end), secondsBetween(closing, end), processor};
}

void BM_RenameRun(benchmark::State& state) {
  const long fileCount = state.range(0);
  const std::vector<std::string> names =
      batora::bench::fileNames(static_cast<std::size_t>(fileCount), kNamesSeed);
  batora::testing::TempDir work;
  const fs::path pool = work / "pool";
  const fs::path runFolder = work / "run";
  const fs::path floorFolder = work / "floor";
  const fs::path floorLog = work / "floor.log";
  Session session(runFolder);
  fs::path runLog;
  try {
    session.programFolder.write("Batora.ini", "OUTPUT_LOG_RENAME=1\r\n");
    const bool read = session.settings.ReadIniFile(
        "Batora.ini", [&](auto place, auto message) { session.func.OutputErrLog(place, message); });
    if (!read || !session.settings.OutputLogRename()) {
      state.SkipWithError("the settings file did not switch the rename log on");
      return;
    }
    runLog = session.settings.LogRename_FName();
    // Without the journal: a file where its folder would go, so that the run goes unrecorded.
    if (state.range(1) == 0) session.programFolder.write("BatoraJournal", "");
    batora::bench::filePool(pool, names.size());
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }

  double runSeconds = 0, afterCloseSeconds = 0, floorSeconds = 0;
  // Processor time of the run over the floor's, per iteration: a burst of someone else's work
  // spoils one pair rather than the figure.
  std::vector<double> processorRatios;
  long iteration = 0;
  for (auto _ : state) {
    double runTime = 0, runProcessor = 0, floorProcessor = 0;
    try {
      // Which of the two goes first turns from one iteration to the next.
      for (long step = 0; step < 2; ++step) {
        if ((iteration + step) % 2 == 0) {
          batora::bench::linkedFolder(runFolder, pool, names);
          emptied(runLog);
          const std::optional<Timing> timing = timedRun(session, fileCount);
          if (!timing) {
            state.SkipWithError("the run did not rename every file");
            return;
          }
          runTime = timing->whole;
          afterCloseSeconds += timing->afterClose;
          runProcessor = timing->processor;
          fs::remove_all(runFolder);
        } else {
          batora::bench::linkedFolder(floorFolder, pool, names);
          emptied(floorLog);
          const std::optional<batora::platform::FolderListing> listing =
              batora::platform::readFolder(floorFolder);
          const double processorStart = processorSeconds();
          const auto start = SteadyClock::now();
          const bool done = listing && renameFloor(floorFolder, listing->files, floorLog);
          floorSeconds += secondsBetween(start, SteadyClock::now());
          floorProcessor = processorSeconds() - processorStart;
          if (!done) {
            state.SkipWithError("the floor did not rename every file");
            return;
          }
          fs::remove_all(floorFolder);
        }
      }
    } catch (const std::exception& e) {
      state.SkipWithError(e.what());
      return;
    }
    runSeconds += runTime;
    processorRatios.push_back(runProcessor / floorProcessor);
    state.SetIterationTime(runTime);
    ++iteration;
  }
  const auto iterations = static_cast<double>(state.iterations());
  const auto files = static_cast<double>(fileCount);
  state.counters["floor_ms"] = floorSeconds * 1000 / iterations;
  state.counters["after_close_ms"] = afterCloseSeconds * 1000 / iterations;
  state.counters["after_close_share"] = afterCloseSeconds / runSeconds;
  state.counters["x_floor"] = runSeconds / floorSeconds;
  state.counters["x_floor_loop"] = (runSeconds - afterCloseSeconds) / floorSeconds;
  state.counters["x_floor_cpu"] = median(processorRatios);
  state.counters["files_per_s"] = files * iterations / runSeconds;
  state.counters["floor_files_per_s"] = files * iterations / floorSeconds;
}
// The second argument: whether the run journal is written (the program always writes it; without
// it the figure shows what the journal adds).
BENCHMARK(BM_RenameRun)
    ->Args({9'999, 1})
    ->Args({9'999, 0})
    ->UseManualTime()
    ->MinTime(2.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

// The engine's run with every question answered yes and nothing shown: what the journal adds
// to is the run alone, without a window around it.
class SilentEvents final : public batora::RenameEvents {
 public:
  void refused(const batora::RenameRefusal&) override {}
  bool confirmStart(long) override { return true; }
  void started(long) override {}
  void fileDone(const batora::FileResult&) override {}
  bool skipTakenName(const batora::FileResult&) override { return false; }
  void lastNameTaken(const batora::FileResult&) override {}
  void betweenFiles() override {}
  void ended(const batora::RunEnd&) override {}
  void failedUnexpectedly(std::string_view) override {}
};

// Seconds of processor time (user and system) the process spent on one engine run over the
// listed folder, with or without a journal; nothing when a file was left. Processor time, not
// the clock: on a machine shared with other builds the clock mostly measures them.
std::optional<double> timedEngineRun(Session& s, batora::RunJournal* journal) {
  if (s.objCtrl.SetFileList(s.host.window, s.host.folder, 1, s.host.status)) return std::nullopt;
  for (auto& row : s.host.list.rows) row.selected = true;
  SilentEvents events;
  batora::RenameRun run(s.func, s.objCtrl, s.rule, s.host.list, events);
  run.setJournal(journal);
  const double start = processorSeconds();
  const std::optional<batora::RunEnd> end = run.run();
  const double seconds = processorSeconds() - start;
  if (!end || !end->complete || end->errors != 0) return std::nullopt;
  if (journal && journal->failed()) return std::nullopt;
  return seconds;
}

// The journal's cost: the same engine run (rename log on) with and without the journal,
// alternating, on fresh folders of the same names. The journal keeps its 20 runs as it does in
// use, so pruning is included.
void BM_RunJournal(benchmark::State& state) {
  const long fileCount = state.range(0);
  const std::vector<std::string> names =
      batora::bench::fileNames(static_cast<std::size_t>(fileCount), kNamesSeed);
  batora::testing::TempDir work;
  const fs::path pool = work / "pool";
  const fs::path runFolder = work / "run";
  Session session(runFolder);
  session.programFolder.write("Batora.ini", "OUTPUT_LOG_RENAME=1\r\n");
  if (!session.settings.ReadIniFile("Batora.ini", [](auto, auto) {})) {
    state.SkipWithError("the settings file was not read");
    return;
  }
  batora::bench::filePool(pool, names.size());
  const fs::path runLog = session.settings.LogRename_FName();
  const fs::path journalFolder = work / "journal";

  // The machine is shared: each pair is run back to back and the medians of the pairs are
  // reported, so that a burst of someone else's work spoils one pair rather than the figure.
  std::vector<double> withTimes, withoutTimes, shares;
  long iteration = 0;
  for (auto _ : state) {
    double times[2] = {0, 0};
    for (long step = 0; step < 2; ++step) {
      const bool withJournal = (iteration + step) % 2 == 0;
      batora::bench::linkedFolder(runFolder, pool, names);
      emptied(runLog);
      batora::RunJournal journal(journalFolder);
      const std::optional<double> time = timedEngineRun(session, withJournal ? &journal : nullptr);
      fs::remove_all(runFolder);
      if (!time) {
        state.SkipWithError("the run did not rename every file");
        return;
      }
      times[withJournal ? 0 : 1] = *time;
    }
    withTimes.push_back(times[0]);
    withoutTimes.push_back(times[1]);
    shares.push_back((times[0] - times[1]) / times[1]);
    state.SetIterationTime(times[0]);
    ++iteration;
  }
  state.counters["run_ms"] = median(withoutTimes) * 1000;
  state.counters["with_journal_ms"] = median(withTimes) * 1000;
  state.counters["journal_share"] = median(shares);
  state.counters["share_q1"] = quantile(shares, 0.25);
  state.counters["share_q3"] = quantile(shares, 0.75);
}
// One long sitting rather than repetitions: now and then a run stalls for a tenth of its time
// (the file system's own bookkeeping), and the median of many pairs holds still where the
// medians of a few did not.
BENCHMARK(BM_RunJournal)
    ->Arg(9'999)
    ->UseManualTime()
    ->Iterations(45)
    ->Unit(benchmark::kMillisecond);

}  // namespace
