#!/bin/sh
# Measures how long the viewer takes, under Xvfb, from the start of loading
# the largest legal document (1,000 respondents x 1,000 questions, made by
# kvf-make --synthetic) to its first painted sheet. The viewer reports the
# time itself when KVF_SHEET_TIMING is set. Exits 1 when it takes a second
# or more, or when no sheet was painted within 30 seconds.
#
#   scripts/measure-first-sheet.sh [BUILD_DIR]    (default: build)
set -eu
build=$(cd "${1:-build}" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/tools/kvf-make/kvf-make" --synthetic 1000 1000 "$work/largest.kvf" >/dev/null
export XDG_CONFIG_HOME="$work/config"
export KVF_SHEET_TIMING=1
# The inner shell starts the viewer, waits for its line and ends it.
: >"$work/viewer.err"
# shellcheck disable=SC2016
xvfb-run -a -s "-screen 0 1280x1024x24" sh -c '
  "$1" "$2" 2>>"$3/viewer.err" &
  viewer=$!
  i=0
  while [ $i -lt 300 ] && ! grep -q "first sheet painted" "$3/viewer.err"; do
    sleep 0.1
    i=$((i + 1))
  done
  kill $viewer 2>/dev/null || true
  wait $viewer 2>/dev/null || true
' sh "$build/src/app/kvf-viewer" "$work/largest.kvf" "$work"
line=$(grep "first sheet painted" "$work/viewer.err" || true)
if [ -z "$line" ]; then
  echo "no sheet was painted; the viewer wrote:" >&2
  cat "$work/viewer.err" >&2
  exit 1
fi
ms=$(echo "$line" | sed 's/.*painted \([0-9.]*\) ms.*/\1/')
echo "first sheet of 1000 x 1000 answers painted $ms ms after loading started (target < 1000 ms)"
awk -v ms="$ms" 'BEGIN { exit (ms < 1000) ? 0 : 1 }'
