#!/usr/bin/env bash
# The longest freeze of each step (Get, every display form, Save, Export)
# and the peak memory of the real main window, for the largest texts it
# accepts. Runs offscreen unless DISPLAY is set; settings and files go to a
# scratch folder, never to the user's.
#   bench/window_timings.sh [CASE...]   (default: all cases)
#   cases: zeros (32,800-character default duration), euro (a long header
#   of three-byte characters), blanks (a blank default that every note
#   renders), octave4 (an error line for every note), plain (plain notes)
set -euo pipefail
cd "$(dirname "$0")/.."

cases=("$@")
[ ${#cases[@]} -gt 0 ] || cases=(zeros euro blanks octave4 plain)

cmake --preset default >/dev/null
cmake --build --preset default --target window_timings >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_CONFIG_HOME="$work/config" HOME="$work/home" XDG_RUNTIME_DIR="$work/runtime"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR" "$work/tones"
chmod 700 "$XDG_RUNTIME_DIR"
[ -n "${DISPLAY:-}" ] || export QT_QPA_PLATFORM=offscreen

for c in "${cases[@]}"; do
    echo "== $c"
    /usr/bin/time -f 'peak memory        %M KiB' \
        build/default/bench/window/window_timings "$c" "$work/tones"
done
