#!/usr/bin/env bash
# The engine's whole cycle (convert, the three renderings, clear) against the
# one-pass converter of bench/OnePass.h, alternated in pairs on the same
# generated RTTTL text: warm (the median of RUNS cycles in one process) and a
# first conversion in a fresh process. Prints each pair's ratio and the
# medians; first checks that both give the same three forms byte for byte.
#   bench/cycle_figures.sh [NOTES [PAIRS [RUNS]]]   (defaults: 100000 notes, 11 pairs, 20 runs)
set -euo pipefail
cd "$(dirname "$0")/.."

notes=${1:-100000}
pairs=${2:-11}
runs=${3:-20}

cmake --preset bench >/dev/null
cmake --build --preset bench --target cycle_time >/dev/null
tool=build/bench/bench/cycle_time

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
text="$work/ringtone.txt"
"$tool" --write "$notes" "$text"
"$tool" --forms engine "$text" >"$work/engine.forms"
"$tool" --forms onepass "$text" >"$work/onepass.forms"
cmp "$work/engine.forms" "$work/onepass.forms"

field() { awk -v key="$1" '$1 == key { print $2 }'; }
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for kind in warm first; do
    : >"$work/$kind.ratios"
    : >"$work/$kind.engine"
    : >"$work/$kind.onepass"
    for _ in $(seq "$pairs"); do
        if [ "$kind" = warm ]; then n=$runs; key=median_ms; else n=1; key=first_ms; fi
        e=$("$tool" engine "$text" "$n" | field "$key")
        o=$("$tool" onepass "$text" "$n" | field "$key")
        echo "$e" >>"$work/$kind.engine"
        echo "$o" >>"$work/$kind.onepass"
        awk -v a="$e" -v b="$o" 'BEGIN { print a / b }' >>"$work/$kind.ratios"
    done
    printf '%-6s engine %8s ms   one-pass %8s ms   ratio of pairs, median %s\n' "$kind" \
        "$(median <"$work/$kind.engine")" "$(median <"$work/$kind.onepass")" \
        "$(median <"$work/$kind.ratios")"
done
echo "heap at the peak of a conversion, bytes per note (the text included):" \
    "engine $("$tool" engine "$text" 1 | field peak_B_per_note)," \
    "one-pass $("$tool" onepass "$text" 1 | field peak_B_per_note)"
