#!/usr/bin/env bash
# Sets up, builds and starts Batora on FOLDER, or on a fresh copy of the sample pictures
# (build-release/サンプル写真) when none is given.
# Usage: scripts/run.sh [FOLDER]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
build=build-release
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBATORA_TESTS=OFF -DBATORA_BENCH=OFF >/dev/null
cmake --build "$build" -j 2
folder=$(scripts/first-run.sh "$build" "$@")
echo "Batora opens on $folder"
exec "$build/bin/batora"
