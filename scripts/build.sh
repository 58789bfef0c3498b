#!/bin/sh
# Configures and builds the project in build/ (Release with debug info).
# Without arguments it builds everything (programs, samples, tests,
# benchmarks); with arguments only those targets and what they need:
#   scripts/build.sh kvf-viewer kvf
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
if [ "$#" -eq 0 ]; then
  cmake --build "$root/build" -j "$(nproc)"
else
  cmake --build "$root/build" -j "$(nproc)" --target "$@"
fi
