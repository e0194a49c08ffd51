#!/usr/bin/env bash
# Makes the Debian packages of a built tree in a scratch folder and has
# lintian check each of them, informational tags included: fails on any
# error or warning, on a missing hardening feature, or when the command
# line's package would pull in Qt or lacks libsndfile.
#   dist/linux/lint-packages.sh [build folder]
set -euo pipefail

build=$(readlink -f "${1:-$(dirname "$0")/../../build/default}")
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT

cpack --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log" >&2; exit 1; }
status=0
shopt -s nullglob
debs=("$out"/*.deb)
[ ${#debs[@]} -gt 0 ] || { echo "cpack made no package" >&2; exit 1; }
for deb in "${debs[@]}"; do
    # Root is warned about on every run; it says nothing of the package.
    tags=$(lintian -I --tag-display-limit 0 "$deb" 2>&1 | grep -v 'running with root privileges' || true)
    # The command line's dependencies, found by shlibdeps, take in
    # libsndfile for the sound forms and never Qt.
    if [[ $(basename "$deb") == ringwright-convert_* ]]; then
        depends=$(dpkg-deb -f "$deb" Depends)
        if ! grep -q 'libsndfile1' <<<"$depends" || grep -qi 'qt' <<<"$depends"; then
            tags+=$'\nE: ringwright-convert depends on: '"$depends"
        fi
    fi
    if grep -q '^[EW]:\|^I: .* hardening-' <<<"$tags"; then
        echo "FAIL $(basename "$deb")"
        echo "$tags"
        status=1
    else
        echo "ok   $(basename "$deb")"
        [ -z "$tags" ] || echo "$tags"
    fi
done
exit $status
