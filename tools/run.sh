#!/usr/bin/env bash
# Builds and starts Quillhaven. Without a display it starts one under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh
dir=${QH_BUILD_DIR:-build}
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$dir/quillhaven"
fi
exec "$dir/quillhaven"
