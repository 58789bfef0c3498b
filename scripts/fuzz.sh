#!/bin/sh
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) in
# build-fuzz/ and runs each one: first over its seed corpus, then searching
# for new inputs for SECONDS seconds.
#   scripts/fuzz.sh            10 minutes per target
#   scripts/fuzz.sh SECONDS    that many seconds per target
# Targets: the .kvf loader and the whole session a document opens into
# (user blocks from a settings text, selections, the navigator, drawing to
# the screen and to metafiles), both seeded by kvf_fuzz_seeds, and the .reg
# settings parser (seeds in fuzz/corpus/regtext), the rich-text reader of
# comments (seeds in fuzz/corpus/rtf), and the importer's CSV reader and
# codebook parser (fuzz/corpus/csv, fuzz/corpus/codebook). New inputs are
# kept in fuzz-out/<target>/ (not committed).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKVF_SANITIZE=ON -DKVF_BUILD_FUZZ=ON -DKVF_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target kvf_fuzz_loader kvf_fuzz_seeds kvf_fuzz_regtext kvf_fuzz_session kvf_fuzz_rtf \
  kvf_fuzz_csv kvf_fuzz_codebook
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
export LSAN_OPTIONS=${LSAN_OPTIONS:-suppressions=$root/fuzz/lsan-suppressions.txt:print_suppressions=0}
export QT_QPA_PLATFORM=offscreen

# A finding (crash, leak, timeout, out-of-memory) fails the script: the
# fuzzer's exit status is kept, its last lines and the offending input (as a
# hex dump, so that it survives in a CI log) are printed, and the input is
# kept in fuzz-out/<target>-findings/.
status=0
run() {  # run NAME SEEDS
  out="$root/fuzz-out/$1"
  findings="$root/fuzz-out/$1-findings"
  rm -rf "$findings"
  mkdir -p "$out" "$findings"
  log="$out/last-run.log"
  echo "-- $1: replaying the corpus, then fuzzing for $seconds s"
  if "$build/fuzz/kvf_fuzz_$1" -runs=0 -artifact_prefix="$findings/" "$2" "$out" >"$log" 2>&1 &&
    "$build/fuzz/kvf_fuzz_$1" -max_total_time="$seconds" -max_len="${KVF_FUZZ_MAX_LEN:-262144}" -timeout=10 \
      -rss_limit_mb=4096 -print_final_stats=1 -artifact_prefix="$findings/" "$out" "$2" >>"$log" 2>&1; then
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$log" | tail -n 2
  else
    status=1
    echo "!! $1 found a problem:"
    tail -n 40 "$log"
    for finding in "$findings"/*; do
      [ -f "$finding" ] || continue
      echo "!! input $finding ($(wc -c <"$finding") bytes):"
      od -A x -t x1z -v "$finding" | head -n 200
    done
  fi
}
seeds="$build/fuzz/seeds/loader"
sessionSeeds="$build/fuzz/seeds/session"
"$build/fuzz/kvf_fuzz_seeds" "$seeds" "$sessionSeeds"
run loader "$seeds"
run session "$sessionSeeds"
run regtext "$root/fuzz/corpus/regtext"
run rtf "$root/fuzz/corpus/rtf"
run csv "$root/fuzz/corpus/csv"
run codebook "$root/fuzz/corpus/codebook"
exit $status
