#!/bin/sh
# Builds the core and platform tests with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer in build-fuzz/ (shared with the fuzz targets)
# and runs them.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build="$root/build-fuzz"
CC=clang CXX=clang++ cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKVF_SANITIZE=ON -DKVF_BUILD_FUZZ=ON -DKVF_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" --target kvfcore_tests kvfplatform_tests
export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Qt and fontconfig keep some process-lifetime allocations: no leak checks here
# (the fuzzer checks leaks of the reader itself).
export ASAN_OPTIONS=detect_leaks=0
export XDG_CONFIG_HOME="$build/config-home" XDG_RUNTIME_DIR="$build/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$build/tests/kvfcore_tests" --gtest_brief=1
"$build/tests/kvfplatform_tests" --gtest_brief=1
