#!/usr/bin/env bash
# Builds and runs every test, headless: the test programs, the desktop and
# AppStream files' validators, then the hardening run (the tests again under
# the address and undefined-behaviour sanitizers, and the fuzz targets for a
# bounded time).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/deps.sh appstream desktop-file-utils poppler-utils
bash tools/build.sh
dir=${QH_BUILD_DIR:-build}
(cd "$dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
desktop-file-validate packaging/quillhaven.desktop
appstreamcli validate --no-net --pedantic packaging/*.metainfo.xml
bash tools/hardening.sh
# Reaching here means every test program passed, in both builds.
total=0
for d in "$dir" "${QH_ASAN_DIR:-build-asan}"; do
  n=$(cd "$d" && ctest -N | sed -n 's/^Total Tests: //p')
  total=$((total + n))
done
echo "tests: $total passed, 0 failed"
