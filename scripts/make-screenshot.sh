#!/usr/bin/env bash
# Renders the main window with a small list loaded into docs/main-window.png:
# builds the picture helper in BUILD_DIR (default build) and runs it offscreen.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
[ -f "$BUILD_DIR/build.ninja" ] ||
  cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$BUILD_DIR" --target main_window_picture
mkdir -p docs
QT_QPA_PLATFORM=offscreen "$BUILD_DIR/tools/main_window_picture" docs/main-window.png
