#!/usr/bin/env bash
# Proves the Debian package on a fresh Debian 12 system: installs it with apt,
# runs check-session.sh there as an ordinary user (first run, instructions,
# save, settings, Wayland app id), purges it, and compares the system's file
# list with the one before, outside the user's home. Run by hand as root
# (it mounts file systems and takes minutes); not part of the test suite.
#
#   dist/linux/check-package.sh [package.deb]
#
# BASE=/path/to/bookworm-root  start from a copy of an existing minimal
#                              bookworm tree (debootstrap --variant=minbase);
#                              otherwise debootstrap makes one (needs network).
# KEEP=1                       keep the test system afterwards.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
deb=$(readlink -f "${1:-$here/../../build/default/ringwright_2.0_amd64.deb}")
[ "$(id -u)" -eq 0 ] || { echo "run as root (it mounts and chroots)" >&2; exit 2; }
[ -f "$deb" ] || {
    echo "no package $deb: build it with 'cpack' in build/default" >&2
    exit 2
}

root=$(mktemp -d /var/tmp/ringwright-check.XXXXXX)
mounted=()
finish() {
    local i
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do
        umount "${mounted[i]}" || umount -l "${mounted[i]}"
    done
    if [ "${KEEP:-0}" = 1 ]; then
        echo "test system kept in $root"
    else
        rm -rf --one-file-system "$root"
    fi
}
trap finish EXIT

echo "== test system in $root"
if [ -n "${BASE:-}" ]; then
    cp -a "$BASE/." "$root/"
else
    debootstrap --variant=minbase bookworm "$root" http://deb.debian.org/debian
fi
cp /etc/resolv.conf "$root/etc/resolv.conf"
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount -t sysfs sysfs "$root/sys" && mounted+=("$root/sys")
mount --bind /dev "$root/dev" && mounted+=("$root/dev")
mount --bind /dev/pts "$root/dev/pts" && mounted+=("$root/dev/pts")
mount -t tmpfs tmpfs "$root/dev/shm" && mounted+=("$root/dev/shm")

in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    DEBIAN_FRONTEND=noninteractive LANG=C.UTF-8 "$@"; }
as_user() { # as_user <name> <command...>
    local user=$1
    shift
    chroot --userspec="$user:$user" "$root" /usr/bin/env -i \
        PATH=/usr/local/bin:/usr/bin:/bin HOME="/home/$user" USER="$user" \
        LANG=C.UTF-8 "$@"
}

# The file list of the system, without what changes on its own: the users'
# homes, temporary files, logs and apt's download caches.
snapshot() {
    (cd "$root" && find . -xdev \
        \( -path ./home -o -path ./tmp -o -path ./var/tmp -o -path ./var/log \
        -o -path ./var/cache/apt -o -path ./var/lib/apt/lists \
        -o -path ./proc -o -path ./sys -o -path ./dev -o -path ./run \) -prune \
        -o -print | sort) >"$1"
}

session() { # session <user>: a first run of the installed program
    local user=$1
    in_root useradd --create-home --shell /bin/bash "$user"
    install -m 755 "$here/check-session.sh" "$root/tmp/check-session.sh"
    echo "== session as $user"
    as_user "$user" bash /tmp/check-session.sh
}

echo "== tools for the check"
in_root apt-get update -qq --error-on=any
in_root apt-get install -y -qq --no-install-recommends \
    xvfb xauth xdotool x11-utils xclip weston >/dev/null

echo "== apt-get install ./$(basename "$deb")"
cp "$deb" "$root/tmp/"
before_pkgs=$(in_root dpkg-query -W -f='${Package}\n' | sort)
in_root apt-get install -y "/tmp/$(basename "$deb")" >"$root/tmp/install.log" 2>&1 || {
    cat "$root/tmp/install.log"
    echo "FAIL apt-get install"
    exit 1
}
grep -E '^[0-9]+ upgraded' "$root/tmp/install.log" | sed 's/^/   /'
in_root dpkg-query -W -f='${Package} ${Version} ${db:Status-Abbrev}\n' ringwright
echo "   pulled in: $(comm -13 <(echo "$before_pkgs") \
    <(in_root dpkg-query -W -f='${Package}\n' | sort) | grep -vx ringwright | wc -l) packages;" \
    "recommends installed: $(in_root dpkg-query -W -f='${Package} ' qt6-wayland fonts-liberation 2>/dev/null)"
echo "   Depends: $(in_root dpkg-query -W -f='${Depends}' ringwright)"
echo "   Recommends: $(in_root dpkg-query -W -f='${Recommends}' ringwright)"

failed=0
session alice || failed=1

echo "== apt-get purge ringwright"
in_root apt-get purge -y -qq ringwright >/dev/null
left=$(cd "$root" && find . -xdev \( -path ./home -o -path ./tmp \) -prune \
    -o -iname '*ringwright*' -print)
if [ -z "$left" ]; then
    echo "ok   nothing named ringwright is left outside /home and /tmp"
else
    echo "FAIL left behind:"
    echo "$left"
    failed=1
fi
snapshot "$root/tmp/before.list"

# A second round on a system that already holds the dependencies shows
# exactly what installing, using and purging the package leaves behind.
echo "== install, use and purge again"
in_root apt-get install -y -qq "/tmp/$(basename "$deb")" >/dev/null
session bob || failed=1
in_root apt-get purge -y -qq ringwright >/dev/null
snapshot "$root/tmp/after.list"
if diff -u "$root/tmp/before.list" "$root/tmp/after.list" >"$root/tmp/files.diff"; then
    echo "ok   purge leaves the file list as it was (outside the users' homes)"
else
    echo "FAIL the file list changed:"
    cat "$root/tmp/files.diff"
    failed=1
fi
echo "   what the user keeps in /home/bob:"
(cd "$root/home/bob" && find . -type f ! -name '.bash*' ! -name .profile | sort | sed 's/^/     /')

if [ "$failed" -eq 0 ]; then
    echo "== package check passed"
else
    echo "== package check FAILED"
fi
exit "$failed"
