#!/usr/bin/env bash
# Sets up, builds and starts Batora.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBATORA_TESTS=OFF -DBATORA_BENCH=OFF >/dev/null
cmake --build "$build" -j 2
exec "$build/bin/batora" "$@"
