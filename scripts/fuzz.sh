#!/bin/sh
# Builds the fuzz targets with clang (ASan + UBSan + libFuzzer) in
# build-fuzz/ and runs the loader fuzzer.
#   scripts/fuzz.sh            run over the seed corpus, then fuzz for 10 minutes
#   scripts/fuzz.sh SECONDS    fuzz for that many seconds
# New inputs are kept in fuzz-out/loader/ (not committed).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKVF_SANITIZE=ON -DKVF_BUILD_FUZZ=ON -DKVF_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target kvf_fuzz_loader kvf_fuzz_seeds
seeds="$build/fuzz/seeds/loader"
"$build/fuzz/kvf_fuzz_seeds" "$seeds"
mkdir -p "$root/fuzz-out/loader"
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=1}
# Replay the corpus (every input once), then search for new inputs.
"$build/fuzz/kvf_fuzz_loader" -runs=0 "$seeds" "$root/fuzz-out/loader"
"$build/fuzz/kvf_fuzz_loader" -max_total_time="$seconds" -max_len=65536 -timeout=10 \
  -rss_limit_mb=4096 "$root/fuzz-out/loader" "$seeds"
