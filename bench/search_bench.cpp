// Searching a tree of 100,000 files at depth 3 (SetFileList, bound to a faked list, label,
// window and status bar), against two floors that walk the same tree in the same run:
// std::filesystem's recursive iterator keeping the file paths in a vector (x_walk), and a plain
// readdir loop doing the same (x_readdir). The ratios are what the search adds on top of reading
// the folders: the home-platform order of every folder, the pattern and the list rows.
//
// The tree is built on the first run on a machine and reused afterwards (see cachedTree), so
// every figure here is a warm-cache one.

#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "bsfunc.h"
#include "clsobjctrl.h"
#include "fakeclock.h"
#include "faketoolkit.h"
#include "tempdir.h"
#include "treegen.h"

namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

double secondsSince(SteadyClock::time_point start) {
  return std::chrono::duration<double>(SteadyClock::now() - start).count();
}

std::size_t iteratorWalk(const fs::path& root) {
  std::vector<fs::path> paths;
  for (const fs::directory_entry& entry : fs::recursive_directory_iterator(root))
    if (entry.is_regular_file()) paths.push_back(entry.path());
  benchmark::DoNotOptimize(paths.data());
  return paths.size();
}

std::size_t readdirWalk(const fs::path& root) {
  const std::vector<std::string> paths = batora::bench::readdirWalk(root);
  benchmark::DoNotOptimize(paths.data());
  return paths.size();
}

// One controller for the whole run, as the program has one: each search replaces the last.
struct Search {
  Search() {
    ctrl.ListControl(&list);
    ctrl.LabelSelFileNum(&label);
    ctrl.SerchFileName("*.*");
  }
  batora::testing::TempDir programFolder;
  batora::testing::FakeToolkit toolkit;
  batora::testing::FakeClock clock;
  batora::clsIniFile settings{programFolder.path()};
  batora::bsFunc func{toolkit, settings, clock, "Batora"};
  batora::testing::FakeListBox list{&toolkit};
  batora::testing::FakeLabel label;
  batora::testing::FakeStatusBar status;
  batora::testing::FakeWindow window;
  batora::clsObjCtrl ctrl{func};
};

void BM_SetFileListDepth3(benchmark::State& state) {
  const auto fileCount = static_cast<std::size_t>(state.range(0));
  fs::path root;
  try {
    root = batora::bench::cachedTree(fileCount);
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  Search search;
  double searchSeconds = 0, walkSeconds = 0, readdirSeconds = 0;
  long iteration = 0;
  for (auto _ : state) {
    // The order turns from one iteration to the next, so that none of the three always runs
    // right after another one's allocations are freed.
    double searchTime = 0;
    for (long step = 0; step < 3; ++step) {
      const auto start = SteadyClock::now();
      std::size_t found = 0;
      switch ((iteration + step) % 3) {
        case 0:
          if (search.ctrl.SetFileList(search.window, root, 3, search.status)) {
            state.SkipWithError("the search failed");
            return;
          }
          searchTime = secondsSince(start);
          found = static_cast<std::size_t>(search.ctrl.SelectionFiles_FinalIndex() + 1);
          if (search.list.rowCount() != static_cast<int>(found)) found = 0;
          break;
        case 1:
          found = iteratorWalk(root);
          walkSeconds += secondsSince(start);
          break;
        default:
          found = readdirWalk(root);
          readdirSeconds += secondsSince(start);
          break;
      }
      if (found != fileCount) {
        state.SkipWithError("a walk did not find every file of the tree");
        return;
      }
    }
    searchSeconds += searchTime;
    state.SetIterationTime(searchTime);
    ++iteration;
  }
  const auto iterations = static_cast<double>(state.iterations());
  const auto files = static_cast<double>(fileCount);
  state.counters["walk_ms"] = walkSeconds * 1000 / iterations;
  state.counters["readdir_ms"] = readdirSeconds * 1000 / iterations;
  state.counters["x_walk"] = searchSeconds / walkSeconds;
  state.counters["x_readdir"] = searchSeconds / readdirSeconds;
  state.counters["files_per_s"] = files * iterations / searchSeconds;
  state.counters["walk_files_per_s"] = files * iterations / walkSeconds;
}
BENCHMARK(BM_SetFileListDepth3)
    ->Arg(100'000)
    ->UseManualTime()
    ->MinTime(1.0)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true)
    ->Unit(benchmark::kMillisecond);

}  // namespace
