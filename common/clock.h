#pragma once
// Where the program takes its time from; tests hand in a clock they control.

#include <cstdint>

#include "platform.h"

namespace batora {

class Clock {
 public:
  virtual ~Clock() = default;
  // Milliseconds; wraps around after 2^32.
  virtual std::uint32_t tickCount() = 0;
  virtual platform::LocalDateTime now() = 0;
};

class SystemClock final : public Clock {
 public:
  std::uint32_t tickCount() override { return platform::tickCount(); }
  platform::LocalDateTime now() override { return platform::localNow(); }
};

}  // namespace batora
