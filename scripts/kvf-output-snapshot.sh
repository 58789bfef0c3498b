#!/bin/sh
# Writes the output of every kvf command on the sample surveys (and one
# synthetic document) into a folder, one file per run with its exit code, so
# that two builds can be compared byte by byte:
#
#   scripts/kvf-output-snapshot.sh OLD_BUILD /tmp/old
#   scripts/kvf-output-snapshot.sh build /tmp/new
#   diff -r /tmp/old /tmp/new
#
# A refactoring that must not change what users see keeps the two identical.
set -u
build=$(cd "$1" && pwd)
out=$2
kvf="$build/src/cli/kvf"
make="$build/tools/kvf-make/kvf-make"
rm -rf "$out"
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config"
export QT_QPA_PLATFORM=offscreen
"$make" --synthetic 120 30 "$work/synthetic.kvf" >/dev/null

run() {
  name=$1
  shift
  "$kvf" "$@" >"$out/$name.out" 2>"$work/err"
  echo $? >"$out/$name.rc"
  sed "s|$work|WORK|g" "$work/err" >"$out/$name.err"
}

n=0
for doc in "$build/samples/staff-survey-en.kvf" "$build/samples/medarbetarenkat-sv.kvf" "$work/synthetic.kvf"; do
  n=$((n + 1))
  for lang in en_US.UTF-8 sv_SE.UTF-8; do
    l=${lang%%_*}
    for sel in "" "--keep 0:1,2 --keep 2:0" "--keep 1:0 --flex 1 --flex-on-selection" "--keep 0:" "--row-order 1 --seed 7" "--row-order 2 --seed 3 --max-rows 20"; do
      s=$(echo "$sel" | tr -c 'a-z0-9\n' '_')
      # shellcheck disable=SC2086
      {
        LANG=$lang run "$n-$l-select$s" select "$doc" $sel
        LANG=$lang run "$n-$l-copydata$s" copy-data "$doc" $sel
        LANG=$lang run "$n-$l-copyrow$s" copy-row "$doc" --row 1 $sel
        LANG=$lang run "$n-$l-indexvalues$s" index-values "$doc" $sel
        LANG=$lang run "$n-$l-detail$s" detail "$doc" --row 2 --column 3 $sel
        LANG=$lang run "$n-$l-detailh$s" detail "$doc" --row -2 --column 0 $sel
      }
    done
    LANG=$lang run "$n-$l-dump" dump "$doc"
    for ext in emf wmf svg png; do
      rm -f "$work/o.$ext" "$work/h.$ext"
      LANG=$lang run "$n-$l-overview-$ext" overview "$doc" --keep 0:1 --out "$work/o.$ext"
      cp "$work/o.$ext" "$out/$n-$l-overview.$ext" 2>/dev/null
      LANG=$lang run "$n-$l-headers-$ext" overview "$doc" --headers-only --out "$work/h.$ext"
      cp "$work/h.$ext" "$out/$n-$l-headers.$ext" 2>/dev/null
    done
    LANG=$lang run "$n-$l-screen" overview "$doc" --screen --out "$work/s.png"
    cp "$work/s.png" "$out/$n-$l-screen.png" 2>/dev/null
    LANG=$lang run "$n-$l-badout" overview "$doc" --out "$work/nofolder/x.emf"
  done
done
for lang in en_US.UTF-8 sv_SE.UTF-8; do
  LANG=$lang run "settings-$lang" settings
  LANG=$lang run "usage-$lang" frobnicate
  LANG=$lang run "missing-$lang" dump "$work/none.kvf"
  printf 'not a kvf' >"$work/bad.kvf"
  LANG=$lang run "bad-$lang" dump "$work/bad.kvf"
done
echo "Wrote $(ls "$out" | wc -l) files to $out"
