#include <windows.h>

#include <csignal>
#include <memory>
#include <stdexcept>
#include <thread>
#include <utility>

#include "childprocess.h"
#include "platform.h"

namespace batora::cli::testing {

namespace {

// CreateFile reports failure with a value that is no handle and must not be closed.
struct HandleCloser {
  void operator()(HANDLE handle) const {
    if (handle != INVALID_HANDLE_VALUE) ::CloseHandle(handle);
  }
};
using Handle = std::unique_ptr<void, HandleCloser>;

std::wstring wide(const std::string& utf8) {
  return platform::pathFromUtf8(utf8).native();
}

// The quoting that the C runtime's and CommandLineToArgvW's parsers undo: backslashes count
// only in front of a quotation mark.
std::wstring quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  for (auto it = arg.begin();; ++it) {
    size_t backslashes = 0;
    while (it != arg.end() && *it == L'\\') ++it, ++backslashes;
    if (it == arg.end()) {
      out.append(backslashes * 2, L'\\');
      break;
    }
    if (*it == L'"')
      out.append(backslashes * 2 + 1, L'\\');
    else
      out.append(backslashes, L'\\');
    out.push_back(*it);
  }
  return out + L"\"";
}

// A pipe whose writing end the child inherits and whose reading end stays here.
void makePipe(Handle& readEnd, Handle& writeEnd) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!::CreatePipe(&read, &write, &inherit, 0)) throw std::runtime_error("CreatePipe failed");
  readEnd.reset(read);
  writeEnd.reset(write);
  if (!::SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0))
    throw std::runtime_error("SetHandleInformation failed");
}

// Appends everything the pipe brings until its writer is gone.
void drain(HANDLE pipe, std::string& sink) {
  char buffer[65536];
  DWORD read = 0;
  while (::ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0)
    sink.append(buffer, read);
}

}  // namespace

// Standard error is drained by a thread of its own, so that a child that fills it while the
// test waits for standard output can never block.
struct ChildProcess::Child {
  Handle process;
  DWORD id = 0;
  Handle out;
  Handle err;
  std::string errText;
  std::thread errReader;
};

ChildProcess::ChildProcess(const std::filesystem::path& program,
                           const std::vector<std::string>& args,
                           const std::filesystem::path& workingFolder, bool outputRead)
    : m_child(std::make_unique<Child>()) {
  Handle outWrite, errWrite;
  makePipe(m_child->out, outWrite);
  // Closed before the child exists, so that not even its first line finds a reader.
  if (!outputRead) m_child->out.reset();
  makePipe(m_child->err, errWrite);
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  Handle null(::CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                            OPEN_EXISTING, 0, nullptr));

  std::wstring commandLine = quoted(program.native());
  for (const std::string& arg : args) commandLine += L" " + quoted(wide(arg));
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = null.get();
  startup.hStdOutput = outWrite.get();
  startup.hStdError = errWrite.get();
  PROCESS_INFORMATION info{};
  // A group of its own: Ctrl+Break can then be aimed at the child alone.
  if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, TRUE,
                        CREATE_NEW_PROCESS_GROUP, nullptr, workingFolder.c_str(), &startup, &info))
    throw std::runtime_error("CreateProcess failed");
  ::CloseHandle(info.hThread);
  m_child->process.reset(info.hProcess);
  m_child->id = info.dwProcessId;
  // Only the child may hold the writing ends now, so that the pipes end when it does.
  outWrite.reset();
  errWrite.reset();
  Child& child = *m_child;
  child.errReader = std::thread([&child] { drain(child.err.get(), child.errText); });
}

ChildProcess::~ChildProcess() {
  if (m_child->process.get()) {
    ::TerminateProcess(m_child->process.get(), 1);
    ::WaitForSingleObject(m_child->process.get(), INFINITE);
  }
  if (m_child->errReader.joinable()) m_child->errReader.join();
}

bool ChildProcess::pump() {
  if (!m_child->out.get()) return false;
  char buffer[65536];
  DWORD read = 0;
  if (::ReadFile(m_child->out.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
    m_result.out.append(buffer, read);
    return true;
  }
  m_child->out.reset();
  return false;
}

bool ChildProcess::readOutputUntil(const std::function<bool(const std::string&)>& enough) {
  while (!enough(m_result.out))
    if (!pump()) return false;
  return true;
}

void ChildProcess::sendSignal(int signal) {
  if (signal == SIGINT)
    ::GenerateConsoleCtrlEvent(CTRL_BREAK_EVENT, m_child->id);
  else
    ::TerminateProcess(m_child->process.get(), 1);
}

ProcessResult ChildProcess::finish() {
  while (pump()) {
  }
  if (m_child->errReader.joinable()) m_child->errReader.join();
  m_result.err = std::move(m_child->errText);
  ::WaitForSingleObject(m_child->process.get(), INFINITE);
  DWORD code = 0;
  ::GetExitCodeProcess(m_child->process.get(), &code);
  m_child->process.reset();
  m_result.exitStatus = static_cast<int>(code);
  return m_result;
}

ProcessResult runProcess(const std::filesystem::path& program, const std::vector<std::string>& args,
                         const std::filesystem::path& workingFolder) {
  return ChildProcess(program, args, workingFolder).finish();
}

}  // namespace batora::cli::testing
