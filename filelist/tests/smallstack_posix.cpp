#include "smallstack.h"

#include <pthread.h>

#include <memory>
#include <stdexcept>

namespace batora::testing {
namespace {

void* runWork(void* work) {
  (*static_cast<const std::function<void()>*>(work))();
  return nullptr;
}

}  // namespace

void runOnSmallStack(const std::function<void()>& work, std::size_t stackBytes) {
  pthread_attr_t attributes;
  if (::pthread_attr_init(&attributes) != 0) throw std::runtime_error("pthread_attr_init failed");
  // Destroyed on every path.
  const auto destroy = [](pthread_attr_t* owned) { ::pthread_attr_destroy(owned); };
  const std::unique_ptr<pthread_attr_t, decltype(destroy)> owner(&attributes, destroy);
  if (::pthread_attr_setstacksize(&attributes, stackBytes) != 0)
    throw std::runtime_error("pthread_attr_setstacksize failed");
  pthread_t thread;
  void* argument = const_cast<std::function<void()>*>(&work);
  if (::pthread_create(&thread, &attributes, runWork, argument) != 0)
    throw std::runtime_error("pthread_create failed");
  ::pthread_join(thread, nullptr);
}

}  // namespace batora::testing
