#!/usr/bin/env bash
# Time to the first paint of the real main window (the program's own main())
# against a bare Qt Widgets main window built the same way: each process ends
# as soon as its window is painted, so its whole time is the time to first
# paint; the bare window runs a second time showing one label, whose time
# includes loading the fonts that any window with text loads, and a third
# time showing the label at the program's own size. Alternated runs, offscreen unless DISPLAY is set, settings of a
# run after the first in a scratch folder; prints each pair and the medians
# of wall and processor time (user + system, as the shell's `times` counts
# a finished child) and of the pairs' ratios.
#   bench/first_paint.sh [PAIRS]   (default: 11)
set -euo pipefail
cd "$(dirname "$0")/.."

pairs=${1:-11}
cmake --preset default >/dev/null
cmake --build --preset default --target first_paint_program first_paint_bare >/dev/null
program=build/default/bench/window/first_paint_program
bare=build/default/bench/window/first_paint_bare

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME/tones" "$XDG_RUNTIME_DIR" "$XDG_CONFIG_HOME/Ringwright"
chmod 700 "$XDG_RUNTIME_DIR"
echo 'Tone:d=4,o=5,b=125:c,d,e' >"$HOME/tones/tone.txt"
# A remembered folder: not a first run, so no About window comes first.
printf '[Settings]\nRingToneDirectory=%s\n' "$HOME/tones" >"$XDG_CONFIG_HOME/Ringwright/Ringwright.conf"
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen

run() { # wall and processor seconds of one whole run
    local start end
    start=$(date +%s%N)
    (
        "$@" >/dev/null 2>&1 || true
        times
    ) | awk 'NR == 2 { split($1, u, /[ms]/); split($2, s, /[ms]/); print u[1] * 60 + u[2] + s[1] * 60 + s[2] }' >"$work/cpu"
    end=$(date +%s%N)
    echo "$(((end - start) / 1000)) $(cat "$work/cpu")"
}
median() { sort -g | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
# A warm-up for the file cache, which also tells the program's window size.
read -r _ _ _ width height < <("$program" 2>/dev/null || true)
"$bare" >/dev/null 2>&1 || true
: >"$work/pairs"
for _ in $(seq "$pairs"); do
    read -r pw pc < <(run "$program")
    read -r bw bc < <(run "$bare")
    read -r lw lc < <(run "$bare" --label)
    read -r sw sc < <(run "$bare" --label "$width" "$height")
    echo "$pw $pc $bw $bc $lw $lc $sw $sc" >>"$work/pairs"
done
col() { awk -v e="$1" '{ print '"$1"' }' "$work/pairs" | median; }
echo "medians of $pairs alternated pairs, the whole process to the first paint:"
printf 'wall   program %6.1f ms   bare window %6.1f ms   ratio of pairs %s\n' \
    "$(col '$1 / 1000')" "$(col '$3 / 1000')" "$(col '$1 / $3')"
printf 'cpu    program %6.1f ms   bare window %6.1f ms   ratio of pairs %s\n' \
    "$(col '$2 * 1000')" "$(col '$4 * 1000')" "$(col '($4 > 0 ? $2 / $4 : 0)')"
echo "against the bare window showing one label (its fonts loaded):"
printf 'wall   program %6.1f ms   label window %6.1f ms   ratio of pairs %s\n' \
    "$(col '$1 / 1000')" "$(col '$5 / 1000')" "$(col '$1 / $5')"
printf 'cpu    program %6.1f ms   label window %6.1f ms   ratio of pairs %s\n' \
    "$(col '$2 * 1000')" "$(col '$6 * 1000')" "$(col '($6 > 0 ? $2 / $6 : 0)')"
echo "against the bare window showing one label at the program's size (${width}x$height):"
printf 'wall   program %6.1f ms   sized window %6.1f ms   ratio of pairs %s\n' \
    "$(col '$1 / 1000')" "$(col '$7 / 1000')" "$(col '$1 / $7')"
printf 'cpu    program %6.1f ms   sized window %6.1f ms   ratio of pairs %s\n' \
    "$(col '$2 * 1000')" "$(col '$8 * 1000')" "$(col '($8 > 0 ? $2 / $8 : 0)')"
