#!/usr/bin/env bash
# Pictures of every page of the main window and of every game window, idle and during a play,
# at the size they open at and at the smallest window size, over a sample data folder, on a
# light desktop and again on a dark one (OUTPUT-FOLDER/dark):
#     bash tools/screenshots.sh [OUTPUT-FOLDER]      (default: screenshots/)
# Runs the real windows under a virtual X display (Xvfb), so that what is saved is what a
# person would see; installs Xvfb when it is missing. Builds into build/ first. A second run on
# a 1280×720 screen, the smallest supported (1920×1080 at 150 %), saves pictures of the whole
# screen into OUTPUT-FOLDER/1280x720 (and 1280x720-dark): every window is to lie wholly on it.
set -euo pipefail
cd "$(dirname "$0")/.."
out=${1:-screenshots}

if ! command -v Xvfb >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends xvfb fonts-noto-cjk
fi
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKOTOHANA_WERROR=ON
cmake --build build -j"$(nproc)" --target kotohana_screenshots

xvfb=
numbers=$(mktemp)
trap '[ -z "$xvfb" ] || kill $xvfb; rm -f "$numbers"' EXIT
# shoot WIDTHxHEIGHT ARGUMENT...: the pictures on a virtual screen of that size. The server
# takes a display number no other one uses and says which.
shoot() {
  : >"$numbers"
  Xvfb -displayfd 3 -screen 0 "$1x24" 3>"$numbers" >/dev/null 2>&1 &
  xvfb=$!
  while [ ! -s "$numbers" ]; do
    kill -0 $xvfb
    sleep 0.1
  done
  DISPLAY=:$(cat "$numbers") QT_QPA_PLATFORM=xcb ./build/bench/kotohana_screenshots "${@:2}"
  kill $xvfb
  wait $xvfb || true
  xvfb=
}
shoot 1600x1000 "$out"
shoot 1600x1000 "$out/dark" --dark
shoot 1280x720 "$out/1280x720" --whole-screen
shoot 1280x720 "$out/1280x720-dark" --whole-screen --dark
