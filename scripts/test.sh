#!/usr/bin/env bash
# Sets up, builds with AddressSanitizer and UndefinedBehaviorSanitizer (warnings as errors)
# and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=build-test
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DBATORA_SANITIZE=ON \
  -DBATORA_BENCH=OFF >/dev/null
cmake --build "$build" -j 2
export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
ctest --test-dir "$build" --output-on-failure -j 2
scripts/test-windows.sh
