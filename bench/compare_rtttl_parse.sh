#!/usr/bin/env bash
# Converts one long RTTTL tune with Ringwright and parses the very same file
# with the Node.js package rtttl-parse (version pinned in package.json), in
# one run, and prints both median times and their ratio.
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
our_notes=$(field notes <<<"$ours")
peer_notes=$(field notes <<<"$peer")
our_ms=$(field median_ms <<<"$ours")
peer_ms=$(field median_ms <<<"$peer")

echo "RTTTL text: $notes notes, tempo 125, $(wc -c <"$text") bytes; median of $runs runs each"
printf '%-34s %10s ms  (%s notes)\n' "Ringwright CNokia::Convert" "$our_ms" "$our_notes"
printf '%-34s %10s ms  (%s notes)\n' "rtttl-parse $(node -p 'require("./bench/node_modules/rtttl-parse/package.json").version') parse" \
    "$peer_ms" "$peer_notes"
awk -v a="$peer_ms" -v b="$our_ms" 'BEGIN { printf "Ringwright is %.1f times as fast\n", a / b }'
if [ "$our_notes" != "$peer_notes" ]; then
    echo "the two found different numbers of notes" >&2
    exit 1
fi
