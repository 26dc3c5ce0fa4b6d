#!/usr/bin/env bash
# Rewrites the committed seed corpus of the fuzz targets: the sample loan made
# by the makesample tool, and the loan files, texts and doubles written by
# fuzz/makeseeds.cpp through our own codec. Run from anywhere; it builds the
# two tools in build-asan and build-fuzz (configured by tools/hardening.sh).
set -euo pipefail
cd "$(dirname "$0")/.."
build=${QH_BUILD_DIR:-build-asan}
fuzzbuild=${QH_FUZZ_BUILD_DIR:-build-fuzz}
cmake --build "$build" -j2 --target makesample >/dev/null
cmake --build "$fuzzbuild" -j2 --target fuzz_makeseeds >/dev/null
rm -rf fuzz/corpus/loanfile fuzz/corpus/numtext
mkdir -p fuzz/corpus/loanfile fuzz/corpus/numtext
"$build/makesample" fuzz/corpus/loanfile/sample.qhv
"$fuzzbuild/fuzz_makeseeds" fuzz/corpus/loanfile fuzz/corpus/numtext
echo "seeds: $(ls fuzz/corpus/loanfile | wc -l) loan files, $(ls fuzz/corpus/numtext | wc -l) texts and doubles"
