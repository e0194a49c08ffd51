#!/usr/bin/env bash
# Fit to Phone through the command line, as a user runs it: for each
# collection of one tune per line, the tunes, those with notes to fit, and
# the share of those the phone takes as they are and after --fit. The same
# figures as fit_figures (which also checks that the melody is kept), from
# ringwright-convert --lines --fit --json alone.
#   bench/fit-figures.sh collection.txt...
# A file whose name holds "composer" or ends in ".321" is read as Composer.
# PROGRAM names the program (default: the optimised build, cmake --preset bench).
set -euo pipefail
program=${PROGRAM:-$(dirname "$0")/../build/bench/convert/ringwright-convert}
[ $# -gt 0 ] || { echo "usage: bench/fit-figures.sh collection.txt..." >&2; exit 2; }
[ -x "$program" ] || { echo "no program at $program: build it first" >&2; exit 2; }

printf '%-22s %7s %9s %10s %9s\n' file tunes readable before after
for collection in "$@"; do
    from=rtttl
    case $collection in *composer* | *.321) from=composer ;; esac
    # A tune as read is enterable when Fit changes nothing but pauses at its
    # end: no shift, fold, mend or drop, and at most 50 notes. After --fit
    # it is when the fitted ringtone converts without a problem and fits.
    # Status 1 only says some tune had problems.
    { "$program" --lines --fit --json --from "$from" "$collection" 2>/dev/null || [ $? -eq 1 ]; } |
        jq -rs '
            [.[] | select(.fit != null and .fit.kept > 0)] as $readable
            | ($readable | length) as $n
            | def share(f): if $n == 0 then 0 else 100 * ([$readable[] | select(f)] | length) / $n end;
            [$n,
             share(.fit.octaves == 0 and .fit.folded == 0 and .fit.mended == 0
                   and .fit.dropped == 0 and .fit.of <= 50),
             share(.errors == [] and .remaining != null)]
            | @tsv' |
        while IFS=$'\t' read -r readable before after; do
            printf '%-22s %7d %9d %9.1f%% %8.1f%%\n' "${collection##*/}" \
                "$(grep -cv '^[ \r]*$' "$collection")" "$readable" "$before" "$after"
        done
done
