#!/usr/bin/env bash
# Reproduces the figures table of the README: builds the benchmarks and runs
# each in a process of its own (so the peak memory of one does not carry into
# the next), offscreen and under Xvfb.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/build.sh >/dev/null
bench=${QH_BUILD_DIR:-build}/qhbench
run() { # platform filter
  if [ "$1" = xcb ]; then
    xvfb-run -a -s "-screen 0 1024x768x24" env QT_QPA_PLATFORM=xcb "$bench" --benchmark_filter="$2" 2>/dev/null
  else
    QT_QPA_PLATFORM=offscreen "$bench" --benchmark_filter="$2" 2>/dev/null
  fi | grep '^BM_'
}
echo "platform  benchmark  wall  cpu  iterations  counters"
for f in StartToFirstPaint StartWith1600Payments ResizeStep BM_Chart; do
  run offscreen "$f" | sed 's/^/offscreen  /'
  run xcb "$f" | sed 's/^/xvfb       /'
done
for f in 'LoadAndSave1600' 'LongestScheduleShown' 'BM_Quote' 'BM_AmortizationPageBuild' \
         'BM_ScheduleCsv' 'BM_SchedulePdf' 'BM_StartWithFileArgument' 'BM_UndoRedo' 'RateChangeOnRowOne' 'LoadAndSave100Changes' \
         'BM_StatementReadAndMatch' 'BM_KeystrokeWithStatementKept' 'BM_Reconciliation'; do
  run offscreen "$f" | sed 's/^/offscreen  /'
done
