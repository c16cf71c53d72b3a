#!/usr/bin/env bash
# Pictures of every page of the main window and of every game window, idle and during a play,
# at the default and at the smallest window size, over a sample data folder:
#     bash tools/screenshots.sh [OUTPUT-FOLDER]      (default: screenshots/)
# Runs the real windows under a virtual X display (Xvfb), so that what is saved is what a
# person would see; installs Xvfb when it is missing. Builds into build/ first.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshots}

if ! command -v Xvfb >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends xvfb fonts-noto-cjk
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release
cmake --build build -j"$(nproc)" --target kotohana_screenshots

display=:97
Xvfb "$display" -screen 0 1600x1000x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill $xvfb' EXIT
sleep 1
DISPLAY=$display QT_QPA_PLATFORM=xcb ./build/bench/kotohana_screenshots "$out"
