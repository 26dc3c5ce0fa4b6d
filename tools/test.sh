#!/usr/bin/env bash
# Builds and runs every test, headless.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
dir=${QH_BUILD_DIR:-build}
cd "$dir"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
