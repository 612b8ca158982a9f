#include "smallstack.h"

#include <pthread.h>

#include <stdexcept>

namespace batora::testing {
namespace {

// Owns the thread attributes; destroyed on every path.
class ThreadAttributes {
 public:
  ThreadAttributes() {
    if (::pthread_attr_init(&m_attr) != 0) throw std::runtime_error("pthread_attr_init failed");
  }
  ThreadAttributes(const ThreadAttributes&) = delete;
  ThreadAttributes& operator=(const ThreadAttributes&) = delete;
  ~ThreadAttributes() { ::pthread_attr_destroy(&m_attr); }
  pthread_attr_t* get() { return &m_attr; }

 private:
  pthread_attr_t m_attr;
};

void* runWork(void* work) {
  (*static_cast<const std::function<void()>*>(work))();
  return nullptr;
}

}  // namespace

void runOnSmallStack(const std::function<void()>& work, std::size_t stackBytes) {
  ThreadAttributes attributes;
  if (::pthread_attr_setstacksize(attributes.get(), stackBytes) != 0)
    throw std::runtime_error("pthread_attr_setstacksize failed");
  pthread_t thread;
  if (::pthread_create(&thread, attributes.get(), runWork,
                       const_cast<std::function<void()>*>(&work)) != 0)
    throw std::runtime_error("pthread_create failed");
  ::pthread_join(thread, nullptr);
}

}  // namespace batora::testing
