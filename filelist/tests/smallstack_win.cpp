#include <windows.h>

#include <memory>
#include <stdexcept>

#include "smallstack.h"

namespace batora::testing {
namespace {

DWORD WINAPI runWork(void* work) {
  (*static_cast<const std::function<void()>*>(work))();
  return 0;
}

}  // namespace

// STACK_SIZE_PARAM_IS_A_RESERVATION: without it the size only sets what is committed at the
// start, and the stack would still grow to the executable's default of a megabyte or more.
void runOnSmallStack(const std::function<void()>& work, std::size_t stackBytes) {
  const auto close = [](HANDLE handle) { ::CloseHandle(handle); };
  const std::unique_ptr<void, decltype(close)> thread(
      ::CreateThread(nullptr, stackBytes, runWork, const_cast<std::function<void()>*>(&work),
                     STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr),
      close);
  if (!thread) throw std::runtime_error("CreateThread failed");
  ::WaitForSingleObject(thread.get(), INFINITE);
}

}  // namespace batora::testing
