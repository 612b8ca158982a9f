#pragma once
// Runs test code on a thread whose stack is deliberately small.

#include <cstddef>
#include <functional>

namespace batora::testing {

// Runs `work` to completion on a new thread with a stack of `stackBytes`. Recursion that grows
// with the input crashes there long before it would on the main thread.
void runOnSmallStack(const std::function<void()>& work, std::size_t stackBytes);

}  // namespace batora::testing
