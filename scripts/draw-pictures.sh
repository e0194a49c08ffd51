#!/usr/bin/env bash
# Redraws the pictures in resources/ from scripts/draw-pictures.cpp.
# Needs the Qt development packages (bash scripts/setup.sh installs them).
set -euo pipefail
cd "$(dirname "$0")/.."
tool=$(mktemp -d)
trap 'rm -rf "$tool"' EXIT
g++ -std=c++17 -Wall -Wextra -Wpedantic -fPIC -o "$tool/draw-pictures" scripts/draw-pictures.cpp \
    $(pkg-config --cflags --libs Qt6Gui)
mkdir -p resources/icons resources/pictures
QT_QPA_PLATFORM=offscreen "$tool/draw-pictures" resources
echo "Pictures written to resources/icons and resources/pictures."
