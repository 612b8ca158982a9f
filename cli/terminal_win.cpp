#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>

#include "terminal.h"
#include "winsupport_win.h"

namespace batora::cli {

namespace {

// The control handler runs on a thread of its own, so the flag is atomic.
std::atomic<bool> g_stopSignalled{false};

// Owns the handle through which the control handler wakes the main thread from a read.
class MainThread {
 public:
  MainThread() {
    ::DuplicateHandle(::GetCurrentProcess(), ::GetCurrentThread(), ::GetCurrentProcess(), &m_handle,
                      0, FALSE, DUPLICATE_SAME_ACCESS);
  }
  MainThread(const MainThread&) = delete;
  MainThread& operator=(const MainThread&) = delete;
  ~MainThread() {
    if (m_handle) ::CloseHandle(m_handle);
  }
  HANDLE get() const { return m_handle; }

 private:
  HANDLE m_handle = nullptr;
};

std::atomic<HANDLE> g_mainThread{nullptr};

// Owns the array CommandLineToArgvW allocates.
class ArgumentArray {
 public:
  ArgumentArray() : m_args(::CommandLineToArgvW(::GetCommandLineW(), &m_count)) {}
  ArgumentArray(const ArgumentArray&) = delete;
  ArgumentArray& operator=(const ArgumentArray&) = delete;
  ~ArgumentArray() {
    if (m_args) ::LocalFree(m_args);
  }
  int count() const { return m_args ? m_count : 0; }
  const wchar_t* at(int index) const { return m_args[index]; }

 private:
  int m_count = 0;
  wchar_t** m_args;
};

// What the console had before the program changed it; put back when the program ends.
struct SavedConsole {
  UINT codePage = 0;
  HANDLE output = nullptr;
  DWORD outputMode = 0;
};
SavedConsole g_saved;

void restoreConsole() {
  if (g_saved.codePage != 0) ::SetConsoleOutputCP(g_saved.codePage);
  if (g_saved.output) ::SetConsoleMode(g_saved.output, g_saved.outputMode);
}

bool isConsole(HANDLE handle) {
  DWORD mode = 0;
  return ::GetFileType(handle) == FILE_TYPE_CHAR && ::GetConsoleMode(handle, &mode);
}

// A read cut short by the control handler fails with ERROR_OPERATION_ABORTED; a read that the
// user ends with Ctrl+C in the console returns nothing. Either way the flag decides.
std::optional<std::string> readConsoleLine(HANDLE input, const std::function<bool()>& interrupted) {
  std::wstring line;
  for (;;) {
    wchar_t buffer[256];
    DWORD read = 0;
    if (!::ReadConsoleW(input, buffer, 256, &read, nullptr)) {
      if (::GetLastError() == ERROR_OPERATION_ABORTED && !interrupted()) continue;
      return std::nullopt;
    }
    if (read == 0) {
      if (interrupted()) return std::nullopt;
      continue;
    }
    line.append(buffer, read);
    if (line.starts_with(L'\x1A')) return std::nullopt;  // Ctrl+Z: the end of the input
    if (const size_t end = line.find(L'\n'); end != std::wstring::npos) {
      line.resize(end);
      if (line.ends_with(L'\r')) line.pop_back();
      return win::narrow(line);
    }
  }
}

std::optional<std::string> readPipeLine(HANDLE input, const std::function<bool()>& interrupted) {
  std::string line;
  for (;;) {
    char c = 0;
    DWORD read = 0;
    if (!::ReadFile(input, &c, 1, &read, nullptr)) {
      if (::GetLastError() == ERROR_OPERATION_ABORTED && !interrupted()) continue;
      return std::nullopt;
    }
    if (read == 0) return std::nullopt;
    if (c == '\n') {
      if (line.ends_with('\r')) line.pop_back();
      return line;
    }
    line += c;
  }
}

// The first Ctrl+C (or Ctrl+Break) only records the request and wakes a waiting read; the
// second is left to the system, which ends the program at once.
BOOL WINAPI onControl(DWORD event) {
  if (event != CTRL_C_EVENT && event != CTRL_BREAK_EVENT) return FALSE;
  if (g_stopSignalled.exchange(true)) return FALSE;
  if (HANDLE thread = g_mainThread.load()) ::CancelSynchronousIo(thread);
  return TRUE;
}

}  // namespace

// The C library would hand over the arguments in the system code page, which cannot hold
// every character of a file name.
std::vector<std::string> commandLineArguments(int, char*[]) {
  const ArgumentArray args;
  std::vector<std::string> out;
  for (int i = 1; i < args.count(); ++i) out.push_back(win::narrow(args.at(i)));
  return out;
}

// Binary mode: the C library would otherwise write CR LF for every line end, and the outputs
// are to read the same on every platform. A console shows UTF-8 once its output code page
// says so; the console belongs to the user's shell, so what we change is put back at the end.
void setUpOutputs() {
  ::_setmode(::_fileno(stdout), _O_BINARY);
  ::_setmode(::_fileno(stderr), _O_BINARY);
  const HANDLE output = ::GetStdHandle(STD_OUTPUT_HANDLE);
  if (!isConsole(output) && !isConsole(::GetStdHandle(STD_ERROR_HANDLE))) return;
  g_saved.codePage = ::GetConsoleOutputCP();
  ::SetConsoleOutputCP(CP_UTF8);
  // The progress line redraws itself with terminal control sequences, which a console reads
  // as such only when asked to.
  DWORD mode = 0;
  if (isConsole(output) && ::GetConsoleMode(output, &mode) &&
      ::SetConsoleMode(output, mode | ENABLE_VIRTUAL_TERMINAL_PROCESSING)) {
    g_saved.output = output;
    g_saved.outputMode = mode;
  }
  std::atexit(restoreConsole);
}

bool isTerminal(Stream stream) {
  switch (stream) {
    case Stream::kIn:
      return isConsole(::GetStdHandle(STD_INPUT_HANDLE));
    case Stream::kOut:
      return isConsole(::GetStdHandle(STD_OUTPUT_HANDLE));
    case Stream::kErr:
      return isConsole(::GetStdHandle(STD_ERROR_HANDLE));
  }
  return false;
}

// The console delivers typed text as UTF-16 whatever its code page; a pipe brings bytes, taken
// as UTF-8.
std::optional<std::string> readInputLine(const std::function<bool()>& interrupted) {
  const HANDLE input = ::GetStdHandle(STD_INPUT_HANDLE);
  if (isConsole(input)) return readConsoleLine(input, interrupted);
  return readPipeLine(input, interrupted);
}

void armStopSignal() {
  static const MainThread mainThread;
  g_mainThread = mainThread.get();
  ::SetConsoleCtrlHandler(onControl, TRUE);
}

bool stopSignalled() {
  return g_stopSignalled.load();
}

}  // namespace batora::cli
