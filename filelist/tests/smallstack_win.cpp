#include <windows.h>

#include <stdexcept>

#include "smallstack.h"

namespace batora::testing {
namespace {

// Owns the thread handle.
class Thread {
 public:
  explicit Thread(HANDLE handle) : m_handle(handle) {}
  Thread(const Thread&) = delete;
  Thread& operator=(const Thread&) = delete;
  ~Thread() {
    if (m_handle) ::CloseHandle(m_handle);
  }
  HANDLE get() const { return m_handle; }

 private:
  HANDLE m_handle;
};

DWORD WINAPI runWork(void* work) {
  (*static_cast<const std::function<void()>*>(work))();
  return 0;
}

}  // namespace

// STACK_SIZE_PARAM_IS_A_RESERVATION: without it the size only sets what is committed at the
// start, and the stack would still grow to the executable's default of a megabyte or more.
void runOnSmallStack(const std::function<void()>& work, std::size_t stackBytes) {
  Thread thread(::CreateThread(nullptr, stackBytes, runWork,
                               const_cast<std::function<void()>*>(&work),
                               STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr));
  if (!thread.get()) throw std::runtime_error("CreateThread failed");
  ::WaitForSingleObject(thread.get(), INFINITE);
}

}  // namespace batora::testing
