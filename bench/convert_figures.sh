#!/usr/bin/env bash
# ringwright-convert --lines --to keys and --lines --check over a collection
# against the one-pass converter of bench/OnePass.h doing the same work
# (cycle_time --lines), the whole process each: processor time (user +
# system, as the shell's `times` counts a finished child) in alternated pairs, the medians and the median of
# the pairs' ratios. First checks that the keypress lines are byte for byte
# the same on every line the one-pass converter reads.
#   bench/convert_figures.sh [COLLECTION [PAIRS]]   (defaults: 10,000 generated tunes, 11 pairs)
set -euo pipefail
cd "$(dirname "$0")/.."

pairs=${2:-11}
cmake --preset bench >/dev/null
cmake --build --preset bench --target ringwright-convert cycle_time >/dev/null
program=build/bench/convert/ringwright-convert
onepass=build/bench/bench/cycle_time

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
collection=${1:-}
if [ -z "$collection" ]; then
    collection="$work/collection.txt"
    "$onepass" --write-lines 10000 "$collection"
fi

"$program" --lines --to keys "$collection" >"$work/engine.keys" 2>/dev/null || true
"$onepass" --lines keys "$collection" >"$work/onepass.keys"
paste -d '\n' "$work/onepass.keys" "$work/engine.keys" |
    awk 'NR % 2 { o = $0; next } o != "(not read)" { print o > "'"$work/o"'"; print $0 > "'"$work/e"'" }'
cmp "$work/o" "$work/e"
echo "$(wc -l <"$collection") tunes in $collection; keypress lines the same on the" \
    "$(wc -l <"$work/o") the one-pass converter reads"

cpu() { # processor seconds of one whole run, output thrown away
    (
        "$@" >/dev/null 2>&1 || true
        times
    ) | awk 'NR == 2 { split($1, u, /[ms]/); split($2, s, /[ms]/); print u[1] * 60 + u[2] + s[1] * 60 + s[2] }'
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
for mode in keys check; do
    if [ "$mode" = keys ]; then args=(--lines --to keys); else args=(--lines --check); fi
    : >"$work/e.t"; : >"$work/o.t"; : >"$work/r"
    for _ in $(seq "$pairs"); do
        e=$(cpu "$program" "${args[@]}" "$collection")
        o=$(cpu "$onepass" --lines "$mode" "$collection")
        echo "$e" >>"$work/e.t"
        echo "$o" >>"$work/o.t"
        awk -v a="$e" -v b="$o" 'BEGIN { print (b > 0 ? a / b : "inf") }' >>"$work/r"
    done
    printf '%-18s ringwright-convert %5s s   one-pass %5s s   ratio of pairs, median %s\n' \
        "${args[*]}" "$(median <"$work/e.t")" "$(median <"$work/o.t")" "$(median <"$work/r")"
done
