#!/usr/bin/env bash
# Times ringwright-convert over a whole collection, one ringtone per line, as
# a user runs it: the process start included, the output thrown away. Prints
# the median and the spread of RUNS runs of each invocation; judges nothing.
#   bench/convert_collection.sh [collection] [program]
# The collection defaults to the 10,076-tune archive beside the project, when
# it is there; the program to the optimised build (cmake --preset bench).
set -euo pipefail
cd "$(dirname "$0")/.."

collection=${1:-../shared/corpus/rtttl-picaxe.txt}
program=${2:-build/bench/convert/ringwright-convert}
runs=${RUNS:-11}
if [ ! -f "$collection" ]; then
    echo "no collection at $collection: give one as the first argument" >&2
    exit 0
fi
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 2; }

echo "$(wc -l <"$collection") lines in $collection, $runs runs each"
measure() { # measure <label> <arguments...>
    local label=$1 i start end
    shift
    local times=()
    "$program" "$@" "$collection" >/dev/null 2>&1 || true # warm the file cache
    for ((i = 0; i < runs; i++)); do
        start=$(date +%s%N)
        "$program" "$@" "$collection" >/dev/null 2>&1 || true
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
    done
    sorted=($(printf '%s\n' "${times[@]}" | sort -n))
    printf '%-22s median %4d ms   min %4d   max %4d\n' "$label" \
        "${sorted[$((runs / 2))]}" "${sorted[0]}" "${sorted[$((runs - 1))]}"
}
measure "--lines --to keys" --lines --to keys
measure "--lines --check" --lines --check
measure "--lines --json" --lines --json
