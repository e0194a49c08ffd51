#!/usr/bin/env bash
# MIDI figures by hand: the time and peak memory of importing a large MIDI
# file (made here, about 1 MB: a melody, chords and drums), and the share of
# a collection's tunes that come back the same after a round trip through
# MIDI. Judges nothing.
#   bench/midi-figures.sh [collection] [bytes]
# The collection defaults to ../shared/corpus/rtttl.txt, when it is there;
# the tool to the optimised build (cmake --preset bench).
set -euo pipefail
cd "$(dirname "$0")/.."

collection=${1:-../shared/corpus/rtttl.txt}
bytes=${2:-1000000}
tool=${TOOL:-build/bench/bench/midi_figures}
[ -x "$tool" ] || { echo "no tool at $tool: build the target midi_figures first" >&2; exit 2; }
[ -x /usr/bin/time ] || { echo "needs /usr/bin/time (Debian package time)" >&2; exit 2; }

folder=$(mktemp -d)
trap 'rm -rf "$folder"' EXIT
"$tool" large "$folder/large.mid" "$bytes"
for run in 1 2 3; do
    /usr/bin/time -v "$tool" import "$folder/large.mid" 2>"$folder/time.txt" | tail -1
    grep -E "Elapsed|Maximum resident|User time|System time" "$folder/time.txt" | sed 's/^\s*/    /'
done
# The tool alone, importing nothing, for comparison of memory.
printf 'MThd' >"$folder/none.mid"
/usr/bin/time -v "$tool" import "$folder/none.mid" 2>"$folder/time.txt" | tail -1 || true
grep -E "Maximum resident" "$folder/time.txt" | sed 's/^\s*/    /'

if [ -f "$collection" ]; then
    "$tool" roundtrip "$collection" 2>"$folder/differences.txt"
    grep -v "no note sounds" "$folder/differences.txt" | head -20 || true
else
    echo "no collection at $collection: give one as the first argument" >&2
fi
