#!/bin/sh
# Installs what is needed, builds, and shows the bundled sample survey in
# the viewer. Without a display (no DISPLAY or WAYLAND_DISPLAY, as over ssh)
# it draws the sample's overview to build/sample-overview.png with kvf and
# prints the sheet's summary instead.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh"
# Only the programs and the samples; tests and benchmarks are left for test.sh.
"$root/scripts/build.sh" kvf-viewer kvf kvf-make samples
sample="$root/build/samples/staff-survey-en.kvf"
if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/src/app/kvf-viewer" "$sample"
fi
echo "No display: drawing the overview of $sample instead."
"$root/build/src/cli/kvf" overview "$sample" --out "$root/build/sample-overview.png"
echo "Overview picture: $root/build/sample-overview.png"
exec "$root/build/src/cli/kvf" select "$sample"
