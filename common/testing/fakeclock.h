#pragma once

#include "clock.h"

namespace batora::testing {

// A clock that stands still until the test moves it.
class FakeClock : public Clock {
 public:
  std::uint32_t tick = 0;
  platform::LocalDateTime time{2000, 12, 31, 9, 5, 7};
  std::uint32_t tickCount() override { return tick; }
  platform::LocalDateTime now() override { return time; }
};

}  // namespace batora::testing
