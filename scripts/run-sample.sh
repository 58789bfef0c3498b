#!/bin/sh
# Installs what is needed, builds, and shows the bundled sample survey in
# the viewer.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-packages.sh"
"$root/scripts/build.sh"
sample="$root/build/samples/staff-survey-en.kvf"
exec "$root/build/src/app/kvf-viewer" "$sample"
