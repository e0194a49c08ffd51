#!/usr/bin/env bash
# The main window's longest stall while Save as Sound writes a long MP3:
# runs the window test that measures it RUNS times and prints each run and
# the median and largest stall. The test ticks every 10 ms, so a figure
# includes that tick.
#   bench/save_stall.sh [RUNS] [MINUTES]   (defaults: 10 runs of 60 minutes)
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-10}
export RINGWRIGHT_SOUND_MINUTES=${2:-60}
cmake --preset default >/dev/null
cmake --build --preset default --target CRingToneExportSoundTest >/dev/null
test=build/default/tests/mainwindow/CRingToneExportSoundTest

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME="$work" XDG_CONFIG_HOME="$work/config" QT_QPA_PLATFORM=offscreen
stalls=()
for ((i = 1; i <= runs; i++)); do
    line=$("$test" windowAnswersWhileALongSoundIsWritten 2>&1 | grep -o 'took .*' || true)
    [ -n "$line" ] || { echo "run $i: the test printed no figure" >&2; exit 1; }
    echo "run $i: $line"
    stalls+=("$(sed -E 's/.*longest stall was ([0-9]+) ms.*/\1/' <<<"$line")")
done
sorted=($(printf '%s\n' "${stalls[@]}" | sort -n))
echo "longest stall over $runs runs of $RINGWRIGHT_SOUND_MINUTES minutes:" \
    "median ${sorted[$((runs / 2))]} ms, largest ${sorted[$((runs - 1))]} ms"
