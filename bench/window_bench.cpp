// How long the real Qt window leaves its event loop unserved while it fills, sorts, selects all
// and searches again over a big tree, and how much memory it holds meanwhile.
//
// A zero-interval timer fires on every turn of the event loop, the turns inside the search's
// yields included; the longest stretch between two firings during an operation is the longest
// time the window could not answer the user. It is taken on the wall clock and on the thread's
// processor clock (what the window itself spent; the shared machine's other builds lengthen
// only the first). The floor is the same measurement over an idle loop in the same run: the
// longest gap the machine itself causes.
//
// Usage: window_bench [ROWS ...]   (default 100000 1000000); each size runs in a process of its
// own, so that the peak memory is the window's and not that of the size before.
//   window_bench --flat 100000      the start-up over one folder of that many files at depth 1,
//                                   after the start-up over an empty folder (the floor)

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fcntl.h>
#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "clock.h"
#include "fmmain.h"
#include "qtlistbox.h"
#include "qttoolkit.h"
#include "treegen.h"

namespace {

namespace fs = std::filesystem;

double wallSeconds() {
  return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

double threadCpuSeconds() {
  timespec t{};
  ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

// The peak resident size of this process so far, from the kernel's own record.
long peakKib() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line))
    if (line.rfind("VmHWM:", 0) == 0) return std::atol(line.c_str() + 6);
  return -1;
}

// Starts the peak over, so that building the tree does not count (Linux 4.0 and later).
void resetPeak() {
  std::ofstream("/proc/self/clear_refs") << "5";
}

class SystemClock final : public batora::Clock {
 public:
  std::uint32_t tickCount() override { return static_cast<std::uint32_t>(wallSeconds() * 1000.0); }
  batora::platform::LocalDateTime now() override { return {2026, 12, 7, 12, 0, 0}; }
};

struct Gap {
  double wall = 0;
  double cpu = 0;
};

// Records the longest stretch between two turns of the event loop.
class TurnWatch {
 public:
  TurnWatch() {
    m_timer.setInterval(0);
    QObject::connect(&m_timer, &QTimer::timeout, [this] { turn(); });
  }
  void start() {
    m_longest = {};
    m_lastWall = wallSeconds();
    m_lastCpu = threadCpuSeconds();
    m_timer.start();
  }
  Gap stop() {
    turn();
    m_timer.stop();
    return m_longest;
  }

 private:
  void turn() {
    const double wall = wallSeconds(), cpu = threadCpuSeconds();
    m_longest.wall = std::max(m_longest.wall, wall - m_lastWall);
    m_longest.cpu = std::max(m_longest.cpu, cpu - m_lastCpu);
    m_lastWall = wall;
    m_lastCpu = cpu;
  }

  QTimer m_timer;
  Gap m_longest;
  double m_lastWall = 0;
  double m_lastCpu = 0;
};

struct Outcome {
  Gap gap;
  double wall = 0;
  double cpu = 0;
};

// Runs `action` from the event loop, as a click arrives, and keeps the loop turning until the
// work it queued (a posted select-all) is done too.
Outcome measure(TurnWatch& watch, const std::function<void()>& action) {
  Outcome out;
  bool done = false;
  watch.start();
  const double wall0 = wallSeconds(), cpu0 = threadCpuSeconds();
  QTimer::singleShot(0, [&] {
    action();
    done = true;
  });
  while (!done) QApplication::processEvents(QEventLoop::WaitForMoreEvents);
  for (int i = 0; i < 3; ++i) QApplication::processEvents();
  out.wall = wallSeconds() - wall0;
  out.cpu = threadCpuSeconds() - cpu0;
  out.gap = watch.stop();
  return out;
}

// The idle loop over the same time: what the machine alone costs.
Gap idleFloor(TurnWatch& watch, double seconds) {
  watch.start();
  const double until = wallSeconds() + seconds;
  while (wallSeconds() < until) QApplication::processEvents();
  return watch.stop();
}

void writeIni(const QString& program, const fs::path& folder, int depth) {
  std::ofstream ini((program + QStringLiteral("/Batora.ini")).toStdString(), std::ios::binary);
  ini << "\xEF\xBB\xBFINIT_FINDDIR_PATH=" << folder.string() << "\r\nINIT_FINDDIR_OPTION=" << depth
      << "\r\nINIT_SERCH_FILE_NAME=*.*\r\nOUTPUT_LOG_RENAME=0\r\nOUTPUT_LOG_ERROR=0\r\n";
}

void report(const char* what, const Outcome& o, double target, const Gap& floor) {
  std::printf(
      "%-14s longest gap %6.3f s wall %6.3f s cpu (target %.2f s, ratio %.2f; idle floor "
      "%.3f s)  whole %6.3f s wall %6.3f s cpu; peak so far %.0f MiB\n",
      what, o.gap.wall, o.gap.cpu, target, o.gap.cpu / target, floor.wall, o.wall, o.cpu,
      static_cast<double>(peakKib()) / 1024.0);
  std::fflush(stdout);
}

template <typename T>
T* child(batora::fmMain& window, const char* name) {
  T* found = window.findChild<T*>(QString::fromLatin1(name));
  if (!found) {
    std::fprintf(stderr, "no control %s\n", name);
    std::exit(2);
  }
  return found;
}

int runTree(std::size_t rows) {
  const fs::path tree = batora::bench::cachedTree(rows);
  const double target = rows >= 1'000'000 ? 0.35 : 0.10;
  QTemporaryDir program;
  writeIni(program.path(), tree, 3);
  resetPeak();

  batora::QtToolkit toolkit(program.path() + QStringLiteral("/batora.lock"));
  SystemClock clock;
  batora::fmMain window({toolkit, clock, program.path().toStdString(), "batora", [] {
                           std::fprintf(stderr, "the window ended the process\n");
                           std::exit(2);
                         }});
  TurnWatch watch;
  std::printf("%zu files at depth 3\n", rows);
  const Outcome start = measure(watch, [&] {
    window.Form_Load();
    window.show();
  });
  const long listed = window.objCtrl().SelectionFiles_FinalIndex() + 1;
  if (static_cast<std::size_t>(listed) != rows) {
    std::fprintf(stderr, "listed %ld of %zu files\n", listed, rows);
    return 2;
  }
  const Gap floor = idleFloor(watch, 1.0);
  report("start + fill", start, target, floor);
  report("re-search", measure(watch, [&] { child<QAction>(window, "mnViewNew")->trigger(); }),
         target, floor);
  report("sort by name",
         measure(watch, [&] { child<QAbstractButton>(window, "cmdSortName")->click(); }), target,
         floor);
  report("select all",
         measure(watch, [&] { child<QAbstractButton>(window, "cmdSelectAll")->click(); }), target,
         floor);
  report("sort by ext",
         measure(watch, [&] { child<QAbstractButton>(window, "cmdSortExp")->click(); }), target,
         floor);
  report("re-search", measure(watch, [&] { child<QAction>(window, "mnViewNew")->trigger(); }),
         target, floor);
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  std::printf("peak memory %.0f MiB (whole process: %.0f MiB with the tree's making, if any)\n\n",
              static_cast<double>(peakKib()) / 1024.0,
              static_cast<double>(usage.ru_maxrss) / 1024.0);
  return 0;
}

// One folder of `count` empty files, made once per machine and reused.
fs::path flatFolder(std::size_t count) {
  const fs::path folder =
      fs::temp_directory_path() / ("batora-bench-flat-v1-" + std::to_string(count));
  const fs::path marker = folder.string() + ".complete";
  if (fs::exists(marker)) return folder;
  fs::create_directories(folder);
  for (const std::string& name : batora::bench::fileNames(count, count)) {
    const int fd = ::open((folder / name).c_str(), O_WRONLY | O_CREAT, 0644);
    if (fd < 0 || ::close(fd) != 0) {
      std::perror(name.c_str());
      std::exit(2);
    }
  }
  std::ofstream{marker};
  return folder;
}

// The start-up over an empty folder is the floor: the window's making without a fill. The window
// is made inside the measured turn, as the program makes it before its first turn of the loop.
int runFlat(std::size_t count) {
  QTemporaryDir empty;
  const fs::path folder = count == 0 ? fs::path(empty.path().toStdString()) : flatFolder(count);
  QTemporaryDir program;
  writeIni(program.path(), folder, 1);
  batora::QtToolkit toolkit(program.path() + QStringLiteral("/batora.lock"));
  SystemClock clock;
  TurnWatch watch;
  std::unique_ptr<batora::fmMain> window;
  const Outcome start = measure(watch, [&] {
    window = std::make_unique<batora::fmMain>(
        batora::fmMainServices{toolkit, clock, program.path().toStdString(), "batora", [] {}});
    window->Form_Load();
    window->show();
  });
  std::printf(
      "start at depth 1 on one folder of %zu files: longest gap %.3f s wall %.3f s cpu; whole "
      "%.3f s wall %.3f s cpu (%ld rows)\n",
      count, start.gap.wall, start.gap.cpu, start.wall, start.cpu,
      window->objCtrl().SelectionFiles_FinalIndex() + 1);
  return 0;
}

// Each size in a child process of its own.
int inChild(const std::function<int()>& run) {
  std::fflush(stdout);
  const pid_t pid = ::fork();
  if (pid == 0) {
    const int status = run();
    std::fflush(stdout);
    std::_Exit(status);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 2;
}

}  // namespace

int main(int argc, char* argv[]) {
  ::setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::vector<std::string> args(argv + 1, argv + argc);
  bool flat = false;
  std::vector<std::size_t> sizes;
  for (const std::string& arg : args) {
    if (arg == "--flat")
      flat = true;
    else
      sizes.push_back(std::stoul(arg));
  }
  if (sizes.empty())
    sizes = flat ? std::vector<std::size_t>{100'000} : std::vector<std::size_t>{100'000, 1'000'000};
  int failed = 0;
  for (const std::size_t size : sizes) {
    if (flat)
      failed |= inChild([&] {
        QApplication app(argc, argv);
        return runFlat(0);
      });
    failed |= inChild([&] {
      QApplication app(argc, argv);
      return flat ? runFlat(size) : runTree(size);
    });
  }
  return failed;
}
