#!/bin/sh
# Installs what is needed, builds, and runs every test:
#   1. the sanitizer build (clang, ASan + UBSan) of the core and platform tests,
#   2. the fuzzers over their seed corpora plus a short time-boxed run each,
#   3. the whole test suite (ctest) of the regular build.
# KVF_FUZZ_SECONDS sets the length of the fuzz run (per target, default 45).
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh"

echo "== Sanitizer build (ASan + UBSan)"
"$root/scripts/sanitize.sh"

echo "== Fuzzers (loader, session, settings parser, rich text, CSV reader, codebook)"
"$root/scripts/fuzz.sh" "${KVF_FUZZ_SECONDS:-45}"

echo "== Regular build and the whole test suite"
"$root/scripts/build.sh"
cd "$root/build"
ctest --output-on-failure -j "$(nproc)" --timeout 900
