#!/usr/bin/env bash
# Builds everything as a Debug build with the address and undefined-behaviour sanitizers into
# build-debug/ and runs every test there: the program's own checks (Q_ASSERT) and the
# sanitizers' run only in such a build. The packages come from "tools/build.sh test".
set -euo pipefail
cd "$(dirname "$0")/.."

cmake -S . -B build-debug -DCMAKE_BUILD_TYPE=Debug -DKOTOHANA_SANITIZE=ON -DKOTOHANA_WERROR=ON
cmake --build build-debug -j"$(nproc)"
# The install and package tests check what a release build installs; the window-system runs
# check the release program on real displays.
ctest --test-dir build-debug --output-on-failure -E 'install|package|windowsystem'
