#!/usr/bin/env bash
# Renders the main window offscreen into docs/screenshot.png, over the sample pictures in a
# fixed folder (/tmp/Batora/写真/2026 夏休み, removed afterwards) with a fixed date and time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBATORA_TESTS=OFF -DBATORA_BENCH=OFF >/dev/null
cmake --build "$build" -j 2 --target batora-screenshot
QT_QPA_PLATFORM=offscreen "$build/ui/batora-screenshot" docs/screenshot.png samples
