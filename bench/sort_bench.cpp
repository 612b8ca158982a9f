// Sorting the found-file table by name, against a floor measured in the same run: std::sort of
// the same table by plain byte order, the cheapest sort the standard library offers on these
// paths. x_floor is the sort's time divided by the floor's.

#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include "treegen.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "platform.h"
#include "quicksortfiles.h"

namespace {

using Table = std::vector<batora::platform::PathText>;
using Clock = std::chrono::steady_clock;

using batora::bench::Generator;

// Folders and names as a photo and document collection has them: camera numbers that repeat in
// many folders, Japanese names, spaces, upper- and lower-case extensions, names without one.
std::filesystem::path generatedPath(Generator& random) {
  static const char* const kFolders[] = {"home/user/写真/2023 夏休み", "data/DCIM/100CANON",
                                         "data/DCIM/101CANON", "mnt/share/資料/見積書",
                                         "tmp/new folder"};
  static const char* const kExtensions[] = {"jpg", "JPG", "png",  "PNG",   "txt",
                                            "",    "mp4", "Jpeg", "tar.gz"};
  std::string name;
  const std::string number = std::to_string(random.below(10000));
  switch (random.below(6)) {
    case 0:
    case 1:
      name = "IMG_" + std::string(4 - std::min<std::size_t>(number.size(), 4), '0') + number;
      break;
    case 2:
      name = "写真 " + number;
      break;
    case 3:
      name = "ｽｸﾘｰﾝｼｮｯﾄ " + number;
      break;
    case 4:
      name = "Report final " + number;
      break;
    default:
      name = "メモ" + number;
      break;
  }
  const std::string extension = kExtensions[random.below(std::size(kExtensions))];
  if (!extension.empty()) name += "." + extension;
  std::string path = std::string("/") + kFolders[random.below(std::size(kFolders))] + "/sub" +
                     std::to_string(random.below(200)) + "/" + name;
  std::replace(path.begin(), path.end(), '/', batora::platform::kSeparator);
  return batora::platform::pathFromUtf8(path);
}

Table generatedTable(std::size_t count) {
  Generator random(count);
  Table table;
  table.reserve(count);
  for (std::size_t i = 0; i < count; ++i) table.push_back(generatedPath(random).native());
  return table;
}

const Table& cachedTable(std::size_t count) {
  static std::map<std::size_t, Table> tables;
  auto it = tables.find(count);
  if (it == tables.end()) it = tables.emplace(count, generatedTable(count)).first;
  return it->second;
}

double megabytes(long kibibytes) {
  return static_cast<double>(kibibytes) / 1024.0;
}

long peakResidentKiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // KiB on Linux
}

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

// Runs first, while the peak resident size is still that of an empty process: the peak only
// grows, so what the sort adds shows as the rise past the table's own peak.
void BM_PeakMemory1M(benchmark::State& state) {
  for (auto _ : state) {
    const long before = peakResidentKiB();
    Table table = generatedTable(1'000'000);
    const long withTable = peakResidentKiB();
    batora::QuickSortFiles(table, 0, static_cast<long>(table.size()) - 1, 1, 0);
    const long afterSort = peakResidentKiB();
    state.counters["table_MB"] = megabytes(withTable - before);
    state.counters["sort_extra_MB"] = megabytes(afterSort - withTable);
    state.counters["peak_MB"] = megabytes(afterSort);
  }
}
BENCHMARK(BM_PeakMemory1M)->Iterations(1)->Unit(benchmark::kMillisecond);

// Each iteration sorts a fresh copy of the unsorted table. Copying it, destroying the previous
// copy and the floor stay outside the measured time.
void sortByName(benchmark::State& state, const Table& input) {
  double sortMs = 0, floorMs = 0;
  Table table, floor;
  for (auto _ : state) {
    state.PauseTiming();
    floor = input;
    auto start = Clock::now();
    std::sort(floor.begin(), floor.end(), [](const auto& a, const auto& b) { return a < b; });
    floorMs += millisecondsSince(start);
    table = input;
    state.ResumeTiming();
    start = Clock::now();
    batora::QuickSortFiles(table, 0, static_cast<long>(table.size()) - 1, 1, 0);
    sortMs += millisecondsSince(start);
    benchmark::DoNotOptimize(table.data());
  }
  state.counters["floor_ms"] = floorMs / static_cast<double>(state.iterations());
  state.counters["x_floor"] = sortMs / floorMs;
}

void BM_SortByName(benchmark::State& state) {
  sortByName(state, cachedTable(static_cast<std::size_t>(state.range(0))));
}
BENCHMARK(BM_SortByName)->Arg(100'000)->Arg(1'000'000)->Unit(benchmark::kMillisecond);

// The same camera file name in every folder: all keys equal.
void BM_SortIdenticalNames(benchmark::State& state) {
  Table input;
  for (long i = 0; i < state.range(0); ++i) {
    std::string path = "/data/DCIM/" + std::to_string(i) + "/IMG_0001.JPG";
    std::replace(path.begin(), path.end(), '/', batora::platform::kSeparator);
    input.push_back(batora::platform::pathFromUtf8(path));
  }
  sortByName(state, input);
}
BENCHMARK(BM_SortIdenticalNames)->Arg(20'000)->Unit(benchmark::kMillisecond);

}  // namespace
