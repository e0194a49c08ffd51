#!/usr/bin/env bash
# A private PulseAudio server whose only output is a null sink, for tests
# and measurements that play sound without speakers or a desktop.
#   sound-server.sh start DIR SINK   start it, with its socket in DIR/runtime
#   sound-server.sh stop DIR         stop it (nothing to do when it is gone)
# Clients reach it with PULSE_SERVER=unix:DIR/runtime/pulse/native (and
# XDG_RUNTIME_DIR=DIR/runtime, HOME=DIR/home), never the user's own server;
# the sink's monitor SINK.monitor records what is played.
set -euo pipefail
mode=$1
dir=$(realpath -m "$2")

stop() {
    [ -f "$dir/pid" ] || return 0
    pid=$(cat "$dir/pid")
    rm -f "$dir/pid"
    kill "$pid" 2>/dev/null || return 0
    for _ in $(seq 50); do
        kill -0 "$pid" 2>/dev/null || return 0
        sleep 0.1
    done
    kill -KILL "$pid" 2>/dev/null || true
}

case "$mode" in
start)
    sink=$3
    stop
    rm -rf "$dir/runtime"
    mkdir -p "$dir/runtime" "$dir/home"
    chmod 700 "$dir/runtime"
    export XDG_RUNTIME_DIR="$dir/runtime" HOME="$dir/home"
    export PULSE_SERVER="unix:$dir/runtime/pulse/native"
    # -n: none of the system's start-up script, so no real sound card is
    # looked for. It warns when run as root (as in CI) but serves anyway.
    # Without rewinds, a stream that starts while the monitor records keeps
    # its first milliseconds in the recording.
    setsid pulseaudio -n --daemonize=no --exit-idle-time=-1 --realtime=no \
        --high-priority=no --disable-shm=yes --log-target=stderr \
        --load="module-native-protocol-unix auth-anonymous=1" \
        --load="module-null-sink sink_name=$sink rate=44100 channels=1 format=s16le norewinds=1" \
        </dev/null >"$dir/server.log" 2>&1 &
    echo $! >"$dir/pid"
    for _ in $(seq 100); do
        if pactl list short sinks 2>/dev/null | grep -q "$sink"; then
            pactl set-default-sink "$sink"
            exit 0
        fi
        kill -0 "$(cat "$dir/pid")" 2>/dev/null || break
        sleep 0.1
    done
    echo "The sound server did not start:" >&2
    cat "$dir/server.log" >&2
    stop
    exit 1
    ;;
stop)
    stop
    ;;
*)
    echo "usage: $0 start DIR SINK | stop DIR" >&2
    exit 2
    ;;
esac
