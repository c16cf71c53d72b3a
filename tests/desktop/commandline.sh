#!/usr/bin/env bash
# Every program the project ships answers --help and refuses what it does not understand, before
# it writes anything; the record generator never replaces an existing file unless told to.
#     commandline.sh KOTOHANA KOTOHANA_GENDATA KOTOHANA_BENCH
set -euo pipefail
fail() { echo "FAIL: $*" >&2; exit 1; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"
export QT_QPA_PLATFORM=offscreen HOME=$work XDG_DATA_HOME=$work/data

for program in "$@"; do
  name=$(basename "$program")
  out=$(timeout 30 "$program" --help) || fail "$name --help ended with $?"
  grep -q "^usage: $name" <<<"$out" || fail "$name --help printed no usage: $out"
  rc=0
  timeout 30 "$program" --no-such-option >/dev/null 2>&1 || rc=$?
  [ "$rc" -eq 2 ] || fail "$name --no-such-option ended with $rc, not 2"
done
[ -z "$(ls -A "$work" | grep -v '^data$' || true)" ] || fail "a program wrote into the folder: $(ls -A "$work")"

gendata=$2
printf 'mine\r\n' >データ.txt
rc=0
"$gendata" 10 >/dev/null 2>&1 || rc=$?
[ "$rc" -ne 0 ] || fail "kotohana_gendata replaced an existing データ.txt without --force"
[ "$(cat データ.txt)" = $'mine\r' ] || fail "kotohana_gendata changed an existing データ.txt"
"$gendata" --force 10 >/dev/null || fail "kotohana_gendata --force failed"
[ "$(wc -l <データ.txt)" -eq 10 ] || fail "kotohana_gendata --force 10 did not write 10 records"
echo "command lines answered"
