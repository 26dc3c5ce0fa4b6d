#!/usr/bin/env bash
# Hardening run: the whole test suite built with the address and
# undefined-behaviour sanitizers, then the fuzz targets for a bounded time
# each, starting from the committed seeds. Fails on any test failure,
# sanitizer report or fuzz finding. Run from the repository root.
#
#   QH_FUZZ_SECONDS   seconds each fuzzer runs (default 45)
#   QH_ASAN_DIR       sanitizer build folder (default build-asan)
#   QH_FUZZ_DIR       fuzz build folder (default build-fuzz)
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
asan_dir=${QH_ASAN_DIR:-build-asan}
fuzz_dir=${QH_FUZZ_DIR:-build-fuzz}
fuzz_seconds=${QH_FUZZ_SECONDS:-45}

step_start=$SECONDS
step() {
  echo "== $* (after $((SECONDS - step_start)) s)"
}

# --- packages: the usual ones, plus clang with its libFuzzer runtime ---------
bash tools/deps.sh clang libclang-rt-14-dev

# --- (a) the test suite under ASan and UBSan --------------------------------
# -O1 keeps the instrumented widget code quick enough to build and run; the
# benchmark and the demo hosts are not built.
step "sanitizer build in $asan_dir"
cmake -S . -B "$asan_dir" -DQH_SANITIZE=ON -DQH_BUILD_TESTS=ON -DQH_BUILD_BENCH=OFF \
      -DCMAKE_BUILD_TYPE=Debug "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g1" >/dev/null
mapfile -t test_targets < <(cmake --build "$asan_dir" --target help \
                            | sed -n 's/^\.\.\. \(test_[a-z]*\)$/\1/p')
if [ ${#test_targets[@]} -eq 0 ]; then
  echo "hardening: no test programs found in $asan_dir" >&2
  exit 1
fi
cmake --build "$asan_dir" -j2 --target "${test_targets[@]}"

step "test suite under the sanitizers"
export ASAN_OPTIONS="halt_on_error=1:abort_on_error=0:detect_leaks=1:strict_init_order=1:check_initialization_order=1"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
# Only leaks inside system libraries are suppressed; see the file.
export LSAN_OPTIONS="suppressions=$root/tools/lsan.supp:print_suppressions=0"
(cd "$asan_dir" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2 --timeout 300)

# --- (b) the fuzz targets ----------------------------------------------------
step "fuzz build in $fuzz_dir"
CC=clang CXX=clang++ cmake -S . -B "$fuzz_dir" -DQH_FUZZ=ON -DQH_BUILD_TESTS=OFF \
      -DQH_BUILD_BENCH=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$fuzz_dir" -j2 --target fuzz_loanfile fuzz_numtext fuzz_statement

# --- (c) fuzzing, each target from a copy of its seeds -----------------------
step "fuzzing, ${fuzz_seconds} s per target"
work=$(mktemp -d "${TMPDIR:-/tmp}/qh-fuzz.XXXXXX")
export ASAN_OPTIONS="halt_on_error=1:detect_leaks=1"
pids=()
names=(loanfile numtext statement)
for name in "${names[@]}"; do
  mkdir -p "$work/$name/corpus" "$work/$name/findings"
  cp fuzz/corpus/$name/* "$work/$name/corpus/"
  dict=()
  [ -f "fuzz/$name.dict" ] && dict=(-dict="fuzz/$name.dict")
  "$fuzz_dir/fuzz_$name" -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$work/$name/findings/" "${dict[@]}" \
      "$work/$name/corpus" >"$work/$name/log" 2>&1 &
  pids+=($!)
done
failed=0
for i in "${!names[@]}"; do
  name=${names[$i]}
  if wait "${pids[$i]}"; then
    echo "fuzz_$name: $(grep -E '^Done [0-9]+ runs' "$work/$name/log" || echo done), no finding"
  else
    failed=1
    echo "fuzz_$name: FINDING; log and input kept in $work/$name" >&2
    grep -E -A30 'fuzz_[a-z]+: |ERROR: |runtime error' "$work/$name/log" | head -60 >&2 || true
    ls -l "$work/$name/findings" >&2 || true
  fi
done
if [ "$failed" -ne 0 ]; then
  exit 1
fi
rm -rf "$work"
step "hardening passed"
