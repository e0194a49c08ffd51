#!/usr/bin/env bash
# Play-to-sound time and memory while playing, measured through a private
# sound server with a null sink (tests/sound/sound-server.sh), so no
# speakers or desktop are needed. Builds an optimised program in
# build/sound-figures; see bench/sound_figures.cpp for how each is taken.
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build/sound-figures -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DRINGWRIGHT_TESTS=OFF -DRINGWRIGHT_BENCH=ON >/dev/null
cmake --build build/sound-figures --target sound_figures

server=$PWD/build/sound-figures/sound-server
sink=ringwright_figures
bash tests/sound/sound-server.sh start "$server" "$sink"
trap 'bash tests/sound/sound-server.sh stop "$server"' EXIT
export XDG_RUNTIME_DIR=$server/runtime HOME=$server/home
export PULSE_SERVER=unix:$server/runtime/pulse/native
# The program is a desktop one; it runs offscreen here, with its settings
# kept beside the private server.
export QT_QPA_PLATFORM=offscreen XDG_CONFIG_HOME=$server/config

build/sound-figures/bench/sound_figures latency "$sink.monitor"
build/sound-figures/bench/sound_figures memory
# The same through the real main window, pressing its Play button.
build/sound-figures/bench/sound_figures latency "$sink.monitor" window
build/sound-figures/bench/sound_figures memory window
