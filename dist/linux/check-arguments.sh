#!/usr/bin/env bash
# The program as the desktop and the shell start it: --version and --help
# answer without any display; "ringwright FILE" on a virtual X display gets
# the file (a .321 file as Composer notes, without conversion errors) and
# remembers its folder; without a home the program starts, says nothing and
# writes no settings.
#   check-arguments.sh PROGRAM
# Needs Xvfb and xdotool for the display part; exits 77 (skipped) without.
set -uo pipefail
program=$(realpath "$1")
main_title='^Ringwright V2\.0$'

failures=0
check() { # check <description> <command...>
    local what=$1
    shift
    if "$@"; then echo "ok   $what"; else echo "FAIL $what"; failures=$((failures + 1)); fi
}

work=$(mktemp -d)
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null
    [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# No display at all for these two.
version=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --version 2>&1)
check "--version prints the version and exits ($version)" test "$version" = "Ringwright 2.0"
help=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$program" --help 2>&1)
check "--help prints the usage and exits" grep -q '^Usage: .*ringwright \[options\] \[FILE\]$' <<<"$help"
two=$(env QT_QPA_PLATFORM=offscreen "$program" a b 2>&1)
check "two files are refused with status 1" test $? -eq 1 -a -n "$two"

command -v Xvfb >/dev/null && command -v xdotool >/dev/null || {
    echo "skip the window checks (no Xvfb or xdotool)"
    [ "$failures" -eq 0 ] && exit 77
    exit 1
}

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
# A free display number, chosen by the server itself, unless one is given.
if [ -n "${CHECK_DISPLAY:-}" ]; then
    Xvfb "$CHECK_DISPLAY" -screen 0 1024x768x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
    x_pid=$!
    display=$CHECK_DISPLAY
else
    Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
    x_pid=$!
    for _ in $(seq 50); do
        [ -s "$work/display" ] && break
        sleep 0.1
    done
    display=:$(head -n 1 "$work/display")
fi
export DISPLAY=$display QT_QPA_PLATFORM=xcb
for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.2
done

wait_window() { # prints the id of the first visible window titled $1
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        [ -n "$id" ] && echo "$id" && return 0
        sleep 0.2
    done
    return 1
}
wait_exit() {
    for _ in $(seq 100); do
        kill -0 "$1" 2>/dev/null || return 0
        sleep 0.2
    done
    return 1
}
# File > Exit, as a user would choose it.
exit_program() {
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.3
    xdotool key --delay 150 alt+f x
    wait_exit "$app_pid"
}

# A user who chose RTTTL in step 1 before; the file's folder is not the
# remembered one.
export HOME="$work/home" XDG_CONFIG_HOME="$work/config"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/Ringwright" "$work/tones" "$work/old"
printf 'x' >"$work/old/a.TXT"
conf="$XDG_CONFIG_HOME/Ringwright/Ringwright.conf"
printf '[Settings]\nRingToneDirectory=%s\nSourceType=0\nShowType=0\nFromFile=True\n' \
    "$work/old" >"$conf"
printf 'Tone:Tempo=100:4c2 8d2 4-\r\n' >"$work/tones/tone.321"

"$program" "$work/tones/tone.321" >"$work/app.log" 2>&1 &
app_pid=$!
if main=$(wait_window "$main_title"); then
    sleep 1
    check "a .321 file converts without errors" \
        test -z "$(xdotool search --onlyvisible --name '^Conversion Errors$' 2>/dev/null)"
    check "File > Exit ends the program" exit_program "$main"
    check "the file's folder is remembered" grep -qx "RingToneDirectory=$work/tones" "$conf"
    check "step 1 shows Composer" grep -qx "SourceType=1" "$conf"
else
    check "the main window appears" false
fi

# Without a home: no settings read or written, nothing said.
before=$(stat -c %Y /.config/Ringwright/Ringwright.conf 2>/dev/null || echo none)
env -u HOME -u XDG_CONFIG_HOME "$program" >"$work/nohome.log" 2>&1 &
app_pid=$!
if about=$(wait_window '^About\.\.\.$'); then
    xdotool windowfocus --sync "$about" 2>/dev/null
    xdotool key --delay 150 alt+o
fi
if main=$(wait_window "$main_title"); then
    check "without a home File > Exit ends the program" exit_program "$main"
    after=$(stat -c %Y /.config/Ringwright/Ringwright.conf 2>/dev/null || echo none)
    check "without a home no settings are written ($before, $after)" test "$before" = "$after"
    # Qt's sound service may say it found no sound server; the program itself
    # says nothing.
    check "without a home nothing is said" \
        test -z "$(grep -v '^PulseAudioService: ' "$work/nohome.log")"
else
    check "without a home the main window appears" false
fi

for log in "$work/app.log" "$work/nohome.log"; do
    [ -s "$log" ] && sed 's/^/     | /' "$log"
done
echo "argument checks failed: $failures"
[ "$failures" -eq 0 ]
