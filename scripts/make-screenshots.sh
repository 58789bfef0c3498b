#!/bin/sh
# Remakes the user guide's pictures (docs/help/images/*-en.png and *-sv.png)
# from the real windows, under Xvfb, with the sample surveys: the main
# window, the navigator and every dialog.
#
#   scripts/make-screenshots.sh [BUILD_DIR]    (default: build)
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-build}" && pwd)
cmake --build "$build" --target kvf-screenshots samples
out="$root/docs/help/images"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$XDG_RUNTIME_DIR" && chmod 700 "$XDG_RUNTIME_DIR"
for run in "en en_GB.UTF-8 staff-survey-en.kvf" "sv sv_SE.UTF-8 medarbetarenkat-sv.kvf"; do
  set -- $run
  LC_ALL=$2 LANG=$2 QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1280x1024x24" \
    "$build/docs/screenshots/kvf-screenshots" "$1" "$build/samples/$3" "$out"
done
echo "pictures written to $out"
