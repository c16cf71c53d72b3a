#!/usr/bin/env bash
# The program on a real window system, many times in a row: a headless Wayland compositor
# (weston) or a virtual X display (Xvfb), each on a 1280×720 screen. Every run must paint the
# main window and end cleanly (the program itself, told to quit at its first paint), and go from
# the main window to a game and back (tst_windowsystem).
#     windowsystem.sh wayland|x PROGRAM TST_WINDOWSYSTEM [RUNS]
set -euo pipefail
kind=$1
program=$2
windows=$3
runs=${4:-10}

fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
server=""
cleanup() {
  if [ -n "$server" ]; then kill "$server" 2>/dev/null || true; wait "$server" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

case "$kind" in
  wayland)
    command -v weston >/dev/null || fail "weston is missing (bash tools/build.sh test installs it)"
    export XDG_RUNTIME_DIR=$work/runtime
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    # The desktop shell gives the screen a panel, as a user's desktop has one.
    weston --backend=headless-backend.so --socket=wayland-kotohana --width=1280 --height=720 \
      --idle-time=0 >"$work/server.log" 2>&1 &
    server=$!
    for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/wayland-kotohana" ] && break; sleep 0.1; done
    [ -S "$XDG_RUNTIME_DIR/wayland-kotohana" ] || { cat "$work/server.log" >&2; fail "weston did not start"; }
    export WAYLAND_DISPLAY=wayland-kotohana QT_QPA_PLATFORM=wayland
    unset DISPLAY
    ;;
  x)
    command -v Xvfb >/dev/null || fail "Xvfb is missing (bash tools/build.sh test installs it)"
    Xvfb -displayfd 3 -screen 0 1280x720x24 3>"$work/display" >"$work/server.log" 2>&1 &
    server=$!
    for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
    [ -s "$work/display" ] || fail "Xvfb did not start"
    export DISPLAY=:$(cat "$work/display") QT_QPA_PLATFORM=xcb
    unset WAYLAND_DISPLAY
    ;;
  *) fail "usage: $0 wayland|x PROGRAM TST_WINDOWSYSTEM [RUNS]" ;;
esac
export HOME=$work/home XDG_DATA_HOME=$work/home/data XDG_CONFIG_HOME=$work/home/config
mkdir -p "$HOME" "$work/data"
# The help tour off, as a user who has read it has it: its welcome waits for an answer.
printf '"ヘルプツアー",0\r\n' | iconv -f UTF-8 -t CP932 >"$work/data/設定.txt"

for run in $(seq "$runs"); do
  rc=0
  out=$(KOTOHANA_REPORT_FIRST_PAINT=quit timeout 60 "$program" "$work/data" 2>"$work/program.log") || rc=$?
  [ "$rc" -eq 0 ] || { cat "$work/program.log" >&2; fail "$kind run $run: the program ended with $rc"; }
  [ "$out" = painted ] || { cat "$work/program.log" >&2; fail "$kind run $run: no first paint"; }
  rc=0
  timeout 120 "$windows" >"$work/windows.log" 2>&1 || rc=$?
  [ "$rc" -eq 0 ] || { cat "$work/windows.log" >&2; fail "$kind run $run: tst_windowsystem ended with $rc"; }
done
echo "$kind: $runs runs painted, went to a game and back, and ended cleanly"
