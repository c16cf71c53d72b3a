#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine is missing, builds, then either starts the
# program ("run") or runs every test ("test").
set -euo pipefail
cd "$(dirname "$0")/.."

mode=${1:-}
case "$mode" in
  run)  packages="build-essential cmake qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev libicu-dev libxxhash-dev qt6-translations-l10n fonts-noto-cjk qt6-wayland" ;;
  # The kill test is Python; the fuzz targets (tools/fuzz.sh) need clang and its libFuzzer and
  # sanitizer runtimes, which the clang package only recommends. The install test validates the
  # desktop entry and the metainfo file; for the package test CPack finds the libraries the
  # program needs with dpkg-shlibdeps (dpkg-dev, which build-essential brings). The layout
  # guard measures Japanese texts in the font the program shows them in. CI checks the code's
  # layout with clang-format (tools/format-check.sh).
  # The window-system test runs the program on a headless Wayland compositor (weston, with Qt's
  # Wayland plugin) and a virtual X display (Xvfb).
  test) packages="build-essential cmake qt6-base-dev qt6-charts-dev qt6-svg-dev libqt6opengl6-dev libgl-dev libicu-dev libxxhash-dev qt6-translations-l10n fonts-noto-cjk python3 clang libclang-rt-14-dev clang-format desktop-file-utils appstream weston qt6-wayland xvfb" ;;
  *) echo "usage: $0 run|test" >&2; exit 2 ;;
esac

missing=""
for p in $packages; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing="$missing $p"
  fi
done
if [ -n "$missing" ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  # shellcheck disable=SC2086
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends $missing
fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DKOTOHANA_WERROR=ON
cmake --build build -j"$(nproc)"

if [ "$mode" = run ]; then
  exec ./build/kotohana
else
  ctest --test-dir build --output-on-failure
fi
