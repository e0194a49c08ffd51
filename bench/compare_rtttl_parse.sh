#!/usr/bin/env bash
# Converts one long RTTTL tune with Ringwright and parses the very same file
# with the Node.js package rtttl-parse (version pinned in package.json), in
# one run, and prints the first and the median time of each and the ratio
# of the medians.
#   bench/compare_rtttl_parse.sh [NOTES [RUNS]]     (defaults: 100000 notes, 20 runs)
set -euo pipefail
cd "$(dirname "$0")/.."

notes=${1:-100000}
runs=${2:-20}

for tool in node npm cmake; do
    command -v "$tool" >/dev/null || { echo "$tool is needed" >&2; exit 1; }
done

cmake --preset bench >/dev/null
cmake --build --preset bench --target time_convert >/dev/null
(cd bench && npm install --no-audit --no-fund --no-package-lock --loglevel=error >/dev/null)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text="$work/ringtone.txt"
build/bench/bench/time_convert --write "$notes" "$text"

ours=$(build/bench/bench/time_convert "$text" "$runs")
peer=$(node bench/rtttl_parse_time.js "$text" "$runs")

field() { awk -v key="$1" '$1 == key { print $2 }'; }
row() { printf '%-32s %10s ms %14s ms   %s notes\n' "$1" \
    "$(field first_ms <<<"$2")" "$(field median_ms <<<"$2")" "$(field notes <<<"$2")"; }
peer_version=$(node -p 'require("./bench/node_modules/rtttl-parse/package.json").version')

echo "RTTTL text: $notes notes, tempo 125, $(wc -c <"$text") bytes"
printf '%-32s %13s %17s\n' "" "first run" "median of $runs"
row "Ringwright CNokia::Convert" "$ours"
row "rtttl-parse $peer_version parse" "$peer"
awk -v a="$(field median_ms <<<"$peer")" -v b="$(field median_ms <<<"$ours")" \
    'BEGIN { printf "Ringwright converts %.1f times as fast as rtttl-parse parses (medians)\n", a / b }'
if [ "$(field notes <<<"$ours")" != "$(field notes <<<"$peer")" ]; then
    echo "the two found different numbers of notes" >&2
    exit 1
fi
