#!/usr/bin/env bash
# Configures and builds into ./build (or $QH_BUILD_DIR).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh
dir=${QH_BUILD_DIR:-build}
cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$dir" -j2
