#!/usr/bin/env bash
# Runs every test program RUNS times in a row (default 20) while the machine is
# kept busy by two CPU-bound processes per core, and reports how many runs of
# each program passed. A test that waits a fixed time instead of waiting for
# its outcome shows up here as a count below RUNS.
#   bash tools/stress.sh [RUNS]      (build first: bash tools/build.sh)
set -uo pipefail
cd "$(dirname "$0")/.."
runs=${1:-20}
dir=${QH_BUILD_DIR:-build}
programs=()
for p in "$dir"/test_*; do [ -f "$p" ] && [ -x "$p" ] && programs+=("$p"); done
[ ${#programs[@]} -gt 0 ] || { echo "no test programs in $dir: run tools/build.sh first" >&2; exit 2; }

load=()
for _ in $(seq $((2 * $(nproc)))); do
  (while :; do :; done) &
  load+=($!)
done
trap 'kill "${load[@]}" 2>/dev/null' EXIT

failed=0
log=$(mktemp -d)
for p in "${programs[@]}"; do
  name=$(basename "$p")
  pass=0
  for i in $(seq "$runs"); do
    if (cd "$dir" && QT_QPA_PLATFORM=offscreen "./$name" >"$log/$name.$i.log" 2>&1); then
      pass=$((pass + 1)); rm -f "$log/$name.$i.log"
    fi
  done
  echo "$name: $pass of $runs runs passed under load"
  [ "$pass" -eq "$runs" ] || failed=1
done
[ "$failed" -eq 0 ] && rm -rf "$log" || echo "logs of the failed runs: $log"
exit "$failed"
