#!/usr/bin/env bash
# Installs the built program into a fresh prefix, as `cmake --install` does for a user, and checks
# it there: exactly the files of installed-files.txt; a desktop entry and a metainfo file that
# desktop-file-validate and appstreamcli accept; icon PNGs as large as their folder says; and the
# menu entry's command starting the installed program, which writes the delivered files into the
# per-user data folder and nothing into the install folder.
#     install.sh BUILD-FOLDER DELIVERED-FOLDER VERSION
set -euo pipefail
build=$1
delivered=$2
version=$3
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in desktop-file-validate appstreamcli; do
  command -v "$tool" >/dev/null || fail "$tool is missing (bash tools/build.sh test installs it)"
done

work=$(mktemp -d)
program=""
cleanup() {
  if [ -n "$program" ]; then kill "$program" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
prefix=$work/prefix
cmake --install "$build" --prefix "$prefix" >/dev/null

installed() { (cd "$prefix" && find . -type f -printf '%P\n' | LC_ALL=C sort); }
if ! diff -u "$here/installed-files.txt" <(installed); then
  fail "the installed files differ from installed-files.txt"
fi
[ -x "$prefix/bin/kotohana" ] || fail "bin/kotohana is not executable"

entry=$(echo "$prefix"/share/applications/*.desktop)
metainfo=$(echo "$prefix"/share/metainfo/*.metainfo.xml)
id=$(basename "$entry" .desktop)

# desktop-file-validate fails on errors; a warning is a fault too. Its one hint, that Education and
# Game are both main categories (the entry is listed under each), is wanted.
report=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $report"
if grep -E ': (error|warning):' <<<"$report"; then fail "desktop-file-validate warns"; fi
echo "desktop-file-validate: ${report:-no remarks}"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli rejects the metainfo file"

field() { sed -n "s/^$1=//p" "$entry"; }
[ "$(field Name)" = "コトハナ" ] || fail "Name is '$(field Name)'"
[ "$(field Categories)" = "Education;Game;" ] || fail "Categories is '$(field Categories)'"
if [ -z "$(field Comment)" ] || [ -z "$(field 'Comment\[ja\]')" ]; then
  fail "an English and a Japanese Comment are wanted"
fi
[ "$(field Icon)" = "$id" ] || fail "Icon is '$(field Icon)', not the application id $id"
# Qt names the windows' class after the program; a desktop on X11 matches them to the entry by it.
[ "$(field StartupWMClass)" = kotohana ] || fail "StartupWMClass is '$(field StartupWMClass)'"
grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's id is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" || fail "the metainfo does not launch $id.desktop"
grep -q "<release version=\"$version\"" "$metainfo" || fail "the metainfo names no release $version"
grep -q "<project_license>MIT AND CC-BY-SA-3.0</project_license>" "$metainfo" || fail "the metainfo's licence"

for png in "$prefix"/share/icons/hicolor/*x*/apps/"$id".png; do
  folder=$(basename "$(dirname "$(dirname "$png")")")
  [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" = "89504e470d0a1a0a" ] || fail "$png is no PNG"
  read -r width height < <(head -c 24 "$png" | tail -c 8 | od -An -tu4 --endian=big)
  [ "${width}x${height}" = "$folder" ] || fail "$png is ${width}x${height}"
done

# The menu entry's command, run as a desktop runs it: found on the PATH, no argument. The data go
# to the per-user folder under a fresh home.
read -r -a command <<<"$(field Exec)"
if [ "${#command[@]}" -ne 1 ] || [ "${command[0]}" != kotohana ]; then fail "Exec is '$(field Exec)'"; fi
home=$work/home
data=$home/.local/share/kotohana
mkdir -p "$home"
env -u XDG_DATA_HOME HOME="$home" PATH="$prefix/bin:$PATH" QT_QPA_PLATFORM=offscreen \
  "${command[0]}" >"$work/program.log" 2>&1 &
program=$!
missing() {
  local name
  for name in "$delivered"/*; do
    [ -e "$data/$(basename "$name")" ] || return 0
  done
  return 1
}
for _ in $(seq 600); do
  missing || break
  kill -0 "$program" 2>/dev/null || { cat "$work/program.log"; fail "the installed program ended at start"; }
  sleep 0.1
done
if missing; then
  ls -la "$data" || true
  fail "the installed program did not write the delivered files into $data"
fi
kill -0 "$program" 2>/dev/null || { cat "$work/program.log"; fail "the installed program ended at start"; }
kill "$program"
wait "$program" 2>/dev/null || true
program=""
if ! diff -u "$here/installed-files.txt" <(installed); then
  fail "the program wrote into its install folder"
fi
echo "installed into $prefix: $(installed | wc -l) files; the program filled $data"
