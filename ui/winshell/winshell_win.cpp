#include <windows.h>
// shellapi.h needs the types of windows.h.
#include <shellapi.h>

#include "winshell.h"

namespace batora::winshell {

namespace {

constexpr int kStarted = 42;

std::wstring wide(std::string_view utf8) {
  if (utf8.empty()) return {};
  const int length = static_cast<int>(utf8.size());
  const int size = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, nullptr, 0);
  std::wstring out(static_cast<size_t>(size), L'\0');
  ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), length, out.data(), size);
  return out;
}

}  // namespace

// The shell answers a number that only pretends to be a module handle: above 32 it started
// the program, otherwise it is one of the failure codes. Whatever is above 32 is reported as
// one value, so that no caller reads meaning into a handle.
int openDocument(std::string_view file, std::string_view folder) {
  const std::wstring fileName = wide(file);
  const std::wstring folderName = wide(folder);
  const auto result = reinterpret_cast<INT_PTR>(
      ::ShellExecuteW(nullptr, L"open", fileName.c_str(), nullptr,
                      folderName.empty() ? nullptr : folderName.c_str(), SW_SHOWNORMAL));
  return result > 32 ? kStarted : static_cast<int>(result);
}

bool startCommandLine(std::string_view commandLine) {
  std::wstring line = wide(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &info))
    return false;
  ::CloseHandle(info.hThread);
  ::CloseHandle(info.hProcess);
  return true;
}

std::string plainTextEditorCommand(std::string_view path) {
  return "notepad " + std::string(path);
}

// "Local\": one claim per program and user session, as each user runs a program of their own.
SingleInstance::SingleInstance(std::string_view name) : m_name(L"Local\\" + wide(name)) {
  claim();
}

SingleInstance::~SingleInstance() {
  if (m_mutex) ::CloseHandle(m_mutex);
}

// The mutex is never locked: that it exists is the claim. It lives as long as a handle to it
// is open, so an instance that ended, even by a crash, leaves no claim behind.
void SingleInstance::claim() {
  m_mutex = ::CreateMutexW(nullptr, FALSE, m_name.c_str());
  // A mutex that could not be made at all is no sign of another instance.
  m_another = m_mutex != nullptr && ::GetLastError() == ERROR_ALREADY_EXISTS;
}

// Our own handle keeps the other instance's mutex alive, so it is let go before asking again.
bool SingleInstance::anotherInstanceRuns() {
  if (m_another) {
    if (m_mutex) ::CloseHandle(m_mutex);
    m_mutex = nullptr;
    claim();
  }
  return m_another;
}

}  // namespace batora::winshell
