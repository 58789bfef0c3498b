#!/bin/sh
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) in
# build-fuzz/ and runs each one: first over its seed corpus, then searching
# for new inputs for SECONDS seconds.
#   scripts/fuzz.sh            10 minutes per target
#   scripts/fuzz.sh SECONDS    that many seconds per target
# Targets: the .kvf loader (seeds written by kvf_fuzz_seeds) and the .reg
# settings parser (seeds in fuzz/corpus/regtext). New inputs are kept in
# fuzz-out/<target>/ (not committed).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKVF_SANITIZE=ON -DKVF_BUILD_FUZZ=ON -DKVF_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target kvf_fuzz_loader kvf_fuzz_seeds kvf_fuzz_regtext
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}

run() {  # run NAME SEEDS
  out="$root/fuzz-out/$1"
  mkdir -p "$out"
  echo "-- $1: replaying the corpus, then fuzzing for $seconds s"
  "$build/fuzz/kvf_fuzz_$1" -runs=0 "$2" "$out"
  "$build/fuzz/kvf_fuzz_$1" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
    -rss_limit_mb=4096 -print_final_stats=1 "$out" "$2" 2>&1 | tail -n 3
}

seeds="$build/fuzz/seeds/loader"
"$build/fuzz/kvf_fuzz_seeds" "$seeds"
run loader "$seeds"
run regtext "$root/fuzz/corpus/regtext"
