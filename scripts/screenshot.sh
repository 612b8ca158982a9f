#!/usr/bin/env bash
# Renders the main window offscreen into docs/screenshot.png.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBATORA_TESTS=OFF -DBATORA_BENCH=OFF >/dev/null
cmake --build "$build" -j 2 --target batora-screenshot
QT_QPA_PLATFORM=offscreen "$build/ui/batora-screenshot" docs/screenshot.png
