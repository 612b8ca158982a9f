// Whole batora-cli processes listing a tree at depth 3 into /dev/null, against a floor measured
// in the same run: a plain readdir walk keeping the file paths. Each iteration runs the floor,
// a listing and a listing sorted by name, in a turning order. Reported per size:
// - x_readdir, x_readdir_cpu: the listing's wall-clock and processor time over the floor's;
// - sort_added_ms, sort_added_cpu_ms: what --sort name adds to the listing;
// - peak_MiB: the sorted listing's peak resident memory.
// The processor times are the steadier figures on a machine shared with other work.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "treegen.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using SteadyClock = std::chrono::steady_clock;

struct Cost {
  double wall = 0, cpu = 0;
  long peakKiB = 0;
};

double seconds(const timeval& t) {
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6;
}

double processCpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) / 1e9;
}

Cost floorWalk(const fs::path& root, std::size_t& found) {
  const auto start = SteadyClock::now();
  const double cpuStart = processCpuSeconds();
  const std::vector<std::string> paths = batora::bench::readdirWalk(root);
  benchmark::DoNotOptimize(paths.data());
  found = paths.size();
  return {std::chrono::duration<double>(SteadyClock::now() - start).count(),
          processCpuSeconds() - cpuStart, 0};
}

// Owns the spawn's file actions.
class FileActions {
 public:
  FileActions() { ::posix_spawn_file_actions_init(&m_actions); }
  FileActions(const FileActions&) = delete;
  FileActions& operator=(const FileActions&) = delete;
  ~FileActions() { ::posix_spawn_file_actions_destroy(&m_actions); }
  posix_spawn_file_actions_t* get() { return &m_actions; }

 private:
  posix_spawn_file_actions_t m_actions;
};

// The child's own processor time and peak memory come from wait4, not from the whole
// benchmark's children.
Cost runCli(const fs::path& ini, const fs::path& root, bool sorted) {
  std::vector<std::string> args = {BATORA_CLI_PATH, "--ini", ini.native(), root.native(), "-d", "3",
                                   "--list"};
  if (sorted) args.insert(args.end(), {"--sort", "name"});
  std::vector<char*> argv;
  for (std::string& arg : args) argv.push_back(arg.data());
  argv.push_back(nullptr);
  FileActions actions;
  ::posix_spawn_file_actions_addopen(actions.get(), STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  const auto start = SteadyClock::now();
  pid_t child = 0;
  if (::posix_spawn(&child, argv[0], actions.get(), nullptr, argv.data(), environ) != 0)
    throw std::runtime_error("cannot start batora-cli");
  int status = 0;
  rusage usage{};
  if (::wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
    throw std::runtime_error("batora-cli failed");
  return {std::chrono::duration<double>(SteadyClock::now() - start).count(),
          seconds(usage.ru_utime) + seconds(usage.ru_stime), usage.ru_maxrss};
}

void BM_CliListDepth3(benchmark::State& state) {
  const auto fileCount = static_cast<std::size_t>(state.range(0));
  const fs::path ini = fs::temp_directory_path() / "batora-cli-bench.ini";
  std::ofstream(ini).put('\n');
  Cost walk, list, sorted;
  long peakKiB = 0;
  long iteration = 0;
  try {
    const fs::path root = batora::bench::cachedTree(fileCount);
    for (auto _ : state) {
      for (long step = 0; step < 3; ++step) {
        std::size_t found = fileCount;
        Cost cost;
        switch ((iteration + step) % 3) {
          case 0:
            cost = floorWalk(root, found);
            walk.wall += cost.wall, walk.cpu += cost.cpu;
            break;
          case 1:
            cost = runCli(ini, root, false);
            list.wall += cost.wall, list.cpu += cost.cpu;
            state.SetIterationTime(cost.wall);
            break;
          default:
            cost = runCli(ini, root, true);
            sorted.wall += cost.wall, sorted.cpu += cost.cpu;
            peakKiB = std::max(peakKiB, cost.peakKiB);
            break;
        }
        if (found != fileCount) throw std::runtime_error("the walk did not find every file");
      }
      ++iteration;
    }
  } catch (const std::exception& e) {
    state.SkipWithError(e.what());
    return;
  }
  const auto n = static_cast<double>(state.iterations());
  state.counters["readdir_ms"] = walk.wall * 1000 / n;
  state.counters["readdir_cpu_ms"] = walk.cpu * 1000 / n;
  state.counters["list_cpu_ms"] = list.cpu * 1000 / n;
  state.counters["x_readdir"] = list.wall / walk.wall;
  state.counters["x_readdir_cpu"] = list.cpu / walk.cpu;
  state.counters["sort_added_ms"] = (sorted.wall - list.wall) * 1000 / n;
  state.counters["sort_added_cpu_ms"] = (sorted.cpu - list.cpu) * 1000 / n;
  state.counters["peak_MiB"] = static_cast<double>(peakKiB) / 1024;
}
BENCHMARK(BM_CliListDepth3)
    ->Arg(100'000)
    ->Arg(1'000'000)
    ->UseManualTime()
    ->Iterations(5)
    ->Repetitions(3)
    ->Unit(benchmark::kMillisecond);

}  // namespace
