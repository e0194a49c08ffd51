#!/usr/bin/env bash
# Drives an installed Ringwright through a first run, as an ordinary user on
# a virtual X display: the greeting, Help > Instructions, a Get from the
# clipboard, File > Save, Exit, and a second start. Run by check-package.sh
# inside the test system; it can also be run by hand on any machine with
# Xvfb, xdotool, xprop and xclip (and weston for the Wayland check):
#   check-session.sh [desktop entry] [data folder]
# Prints one "ok" or "FAIL" line per check and exits non-zero on a failure.
set -uo pipefail

entry=${1:-/usr/share/applications/org.ringwright.Ringwright.desktop}
datadir=${2:-/usr/share/ringwright}
display=${CHECK_DISPLAY:-:42}
app_id=org.ringwright.Ringwright
main_title='^Ringwright V2\.0$'
about_title='^About\.\.\.$'

failures=0
ok() { echo "ok   $*"; }
fail() {
    echo "FAIL $*"
    failures=$((failures + 1))
}
check() { # check <description> <command...>
    local what=$1
    shift
    if "$@"; then ok "$what"; else fail "$what"; fi
}

# Waits up to 20 s for a visible window whose title matches; prints its id.
wait_window() {
    local id
    for _ in $(seq 100); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.2
    done
    return 1
}
wait_file() {
    for _ in $(seq 100); do
        [ -s "$1" ] && return 0
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
# Keys go to the window through the keyboard, as a user would type them.
keys() {
    local window=$1
    shift
    xdotool windowfocus --sync "$window" 2>/dev/null || xdotool windowfocus "$window"
    sleep 0.3
    xdotool key --delay 150 "$@"
    sleep 0.5
}

work=$(mktemp -d)
cleanup() {
    [ -n "${app_pid:-}" ] && kill "$app_pid" 2>/dev/null
    [ -n "${clip_pid:-}" ] && kill "$clip_pid" 2>/dev/null
    [ -n "${weston_pid:-}" ] && kill "$weston_pid" 2>/dev/null
    [ -n "${x_pid:-}" ] && kill "$x_pid" 2>/dev/null
    rm -rf "$work"
}
trap cleanup EXIT

# A session of its own, as a desktop login would give.
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"

Xvfb "$display" -screen 0 1280x1024x24 -nolisten tcp >"$work/xvfb.log" 2>&1 &
x_pid=$!
export DISPLAY=$display
for _ in $(seq 50); do
    xdotool getdisplaygeometry >/dev/null 2>&1 && break
    sleep 0.2
done
export QT_QPA_PLATFORM=xcb

# An editor that records what it was asked to open, found first on PATH
# under the name the program tries first.
mkdir -p "$work/bin"
cat >"$work/bin/notepad" <<'EOF'
#!/bin/sh
printf '%s\n' "$@" >"$0.args.part"
mv "$0.args.part" "$0.args"
EOF
chmod 755 "$work/bin/notepad"
export PATH="$work/bin:$PATH"

# Started as the desktop entry says.
exec_line=$(sed -n 's/^Exec=//p' "$entry" | head -n 1)
check "desktop entry has a command ($exec_line)" test -n "$exec_line"
installed=$(command -v "${exec_line%% *}")
check "the command is the installed program ($installed)" test -x "$installed"
# The icon the entry names is installed in the hicolor theme.
icon=$(sed -n 's/^Icon=//p' "$entry" | head -n 1)
icons=$(ls "$(dirname "$entry")"/../icons/hicolor/*/apps/"$icon".* 2>/dev/null | wc -l)
check "the entry's icon $icon is installed in $icons sizes" test "$icons" -ge 2
# shellcheck disable=SC2086
$exec_line >"$work/app.log" 2>&1 &
app_pid=$!

# A first run greets the user before the main window appears.
if about=$(wait_window "$about_title"); then
    ok "first run shows the About window"
    check "the main window is not shown yet" \
        test -z "$(xdotool search --onlyvisible --name "$main_title" 2>/dev/null)"
    keys "$about" alt+o
else
    fail "first run shows the About window"
fi

if ! main=$(wait_window "$main_title"); then
    fail "the main window appears"
    cat "$work/app.log"
    exit 1
fi
ok "the main window appears"
# X11 desktops tie the window to its entry through the window class.
wm_class=$(xprop -id "$main" WM_CLASS 2>&1)
startup_class=$(sed -n 's/^StartupWMClass=//p' "$entry")
check "window class matches the entry's StartupWMClass ($wm_class)" \
    grep -q "\"$startup_class\"" <<<"$wm_class"
exe=$(readlink "/proc/$app_pid/exe")
check "running from the installed location ($exe)" test "$exe" = "$installed"

# Help > Instructions opens the installed guide in the editor.
keys "$main" alt+h i
if wait_file "$work/bin/notepad.args"; then
    opened=$(cat "$work/bin/notepad.args")
    check "Help > Instructions opens $datadir/readme.txt (opened: $opened)" \
        test "$(readlink -f "$opened")" = "$(readlink -f "$datadir/readme.txt")"
else
    fail "Help > Instructions starts the editor"
fi

# Get from the clipboard (the first-run choice), then File > Save into the
# first-run ringtone folder, which for a user is the home folder.
tune='Smoke:d=4,o=5,b=112:8c,8d,8e,8f,g'
printf '%s' "$tune" | xclip -selection clipboard -i &
clip_pid=$!
sleep 0.5
keys "$main" alt+g
sleep 1
check "Get emptied the clipboard" test -z "$(timeout 5 xclip -selection clipboard -o 2>/dev/null)"
keys "$main" alt+f s
if saveas=$(wait_window '^Save Keypress File As\.\.\.$'); then
    ok "File > Save opens the Save-As dialog"
    keys "$saveas" Return
else
    fail "File > Save opens the Save-As dialog"
fi
saved="$HOME/Smoke.KEY"
if wait_file "$saved"; then
    ok "first-run save wrote $saved: $(cat "$saved")"
    check "the saved file is the keypress form" grep -q '^Smoke' "$saved"
else
    fail "first-run save wrote $saved (home holds: $(ls "$HOME" | tr '\n' ' '))"
fi

# File > Exit writes the settings.
main=$(wait_window "$main_title")
keys "$main" alt+f x
check "File > Exit ends the program" wait_exit "$app_pid"
conf="${XDG_CONFIG_HOME:-$HOME/.config}/Ringwright/Ringwright.conf"
if [ -f "$conf" ]; then
    sed 's/^/     /' "$conf"
    check "settings remember the home folder" grep -qx "RingToneDirectory=$HOME" "$conf"
else
    fail "settings written to $conf"
fi

# A second start goes straight to the main window.
$exec_line >>"$work/app.log" 2>&1 &
app_pid=$!
if main=$(wait_window "$main_title"); then
    check "second start shows no About window" \
        test -z "$(xdotool search --onlyvisible --name "$about_title" 2>/dev/null)"
    keys "$main" alt+f x
    check "second run ends" wait_exit "$app_pid"
else
    fail "second start shows the main window"
fi

# Wayland compositors tie the window to its entry through its app id, which
# must name the desktop entry for the icon to show.
if command -v weston >/dev/null; then
    weston --backend=headless-backend.so --socket=wayland-check --idle-time=0 \
        >"$work/weston.log" 2>&1 &
    weston_pid=$!
    for _ in $(seq 50); do
        [ -S "$XDG_RUNTIME_DIR/wayland-check" ] && break
        sleep 0.2
    done
    QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=wayland-check WAYLAND_DEBUG=1 \
        $exec_line >"$work/wayland.log" 2>&1 &
    app_pid=$!
    for _ in $(seq 50); do
        grep -q 'set_app_id' "$work/wayland.log" && break
        sleep 0.2
    done
    app_id_line=$(grep -o 'set_app_id("[^"]*")' "$work/wayland.log" | head -n 1)
    check "on Wayland the window's app id names the entry ($app_id_line)" \
        test "$app_id_line" = "set_app_id(\"$app_id\")"
    kill "$app_pid" 2>/dev/null
    wait_exit "$app_pid"
    kill "$weston_pid" 2>/dev/null
    wait_exit "$weston_pid"
else
    echo "skip Wayland app id (no weston)"
fi

if [ -s "$work/app.log" ]; then
    echo "     program output:"
    sed 's/^/     | /' "$work/app.log"
fi
echo "session checks failed: $failures"
[ "$failures" -eq 0 ]
