#!/usr/bin/env bash
# Compiles every source of the program for Windows, syntax only, with Debian's MinGW-w64: Qt for
# Windows cannot be installed here, but whether our code compiles for Windows can be checked.
# The Windows files of platform/ (…_win.cpp) take the place of the POSIX ones (…_posix.cpp);
# tests, the benchmark and the fuzz targets are not part of the program and run on Linux only.
#
# Against what: Qt's own headers as Debian installs them, ICU's and xxHash's. The compiler
# defines _WIN32 itself, and Qt's headers then take their Windows side (Q_OS_WIN) as they do on
# Windows. What these headers cannot tell honestly is only what Qt's build for Linux wrote into
# qconfig.h and the qt*-config.h files (which features Qt was built with): those describe Qt for
# Linux, and the program uses none of them but through Qt's public API. MinGW's and ICU's
# headers sit in folders of their own, so that no Linux system header (/usr/include) is ever
# seen: ICU's and xxHash's come in through a folder of links holding only them.
#
# moc's output is not compiled (the classes it completes are checked where they are declared):
# a source that includes its own "X.moc" finds an empty one. A source that does not compile
# fails the script, and CI.
set -euo pipefail
cd "$(dirname "$0")/.."

compiler=x86_64-w64-mingw32-g++-posix
if ! command -v "$compiler" >/dev/null; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y --no-install-recommends g++-mingw-w64-x86-64-posix
fi

qt=$(qtpaths6 --query QT_INSTALL_HEADERS 2>/dev/null || echo /usr/include/x86_64-linux-gnu/qt6)
libraries=$(mktemp -d)
trap 'rm -rf "$libraries"' EXIT
ln -s /usr/include/unicode "$libraries/unicode"
ln -s /usr/include/xxhash.h "$libraries/xxhash.h"
{ grep -rhoE '^#include "[^"/]+\.moc"' platform records stats data ui games app || true; } | cut -d'"' -f2 | while read -r moc; do
  : > "$libraries/$moc"
done

flags=(-std=c++20 -fsyntax-only -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor -Werror
  -DKOTOHANA_APP_ID=\"io.github.kotohana.kotohana\" -I. -isystem "$libraries")
for module in QtCore QtGui QtWidgets QtCharts QtSvg QtDBus; do
  flags+=(-isystem "$qt/$module")
done
flags+=(-isystem "$qt")

mapfile -t sources < <(find platform records stats data ui games app -name '*.cpp' ! -name '*_posix.cpp' | sort)
echo "windows-check: ${#sources[@]} sources with $compiler"
failed=$(mktemp)
for source in "${sources[@]}"; do
  ("$compiler" "${flags[@]}" "$source" || echo "$source" >> "$failed") &
  while [ "$(jobs -rp | wc -l)" -ge "$(nproc)" ]; do
    wait -n
  done
done
wait
if [ -s "$failed" ]; then
  echo "windows-check: these do not compile for Windows:" >&2
  sort "$failed" >&2
  rm -f "$failed"
  exit 1
fi
rm -f "$failed"
echo "windows-check: every source compiles for Windows"
