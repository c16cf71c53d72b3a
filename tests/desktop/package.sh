#!/usr/bin/env bash
# Builds the Debian package with CPack from the built program and checks it with dpkg-deb: its
# name, version and architecture; its dependencies on the Qt, ICU, platform-plugin, translation and
# font packages; and its files, exactly those of installed-files.txt under /usr.
#     package.sh BUILD-FOLDER VERSION
set -euo pipefail
build=$1
version=$2
here=$(cd "$(dirname "$0")" && pwd)

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; fail "cpack failed"; }
architecture=$(dpkg --print-architecture)
deb=$work/kotohana_${version}_$architecture.deb
[ -f "$deb" ] || { ls "$work"; fail "no $(basename "$deb")"; }
dpkg-deb -I "$deb"

[ "$(dpkg-deb -f "$deb" Package)" = kotohana ] || fail "Package is not kotohana"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "Version is not $version"
[ "$(dpkg-deb -f "$deb" Architecture)" = "$architecture" ] || fail "Architecture is not $architecture"

# One dependency a line, without its version.
depends=$(dpkg-deb -f "$deb" Depends | tr ',' '\n' | sed -E 's/\(.*\)//; s/^ +//; s/ +$//')
for wanted in libqt6core6 libqt6gui6 libqt6widgets6 libqt6charts6 libqt6svg6 'libicu[0-9]+' \
              qt6-qpa-plugins qt6-translations-l10n fonts-noto-cjk libc6 'libstdc\+\+6'; do
  grep -qxE "$wanted" <<<"$depends" || fail "Depends lacks $wanted: $(dpkg-deb -f "$deb" Depends)"
done
if [ "$(sort <<<"$depends" | uniq -d)" != "" ]; then fail "Depends names a package twice"; fi
[ "$(dpkg-deb -f "$deb" Recommends)" = qt6-wayland ] || fail "Recommends is not qt6-wayland (a Wayland session needs it)"

dpkg-deb -c "$deb" >"$work/contents"
files=$(grep -v '^d' "$work/contents" | awk '{print $6}' | LC_ALL=C sort)
if ! diff -u <(sed 's|^|./usr/|' "$here/installed-files.txt") <(echo "$files"); then
  fail "the package's files differ from installed-files.txt under /usr"
fi
grep -E '^-rwxr-xr-x root/root .* \./usr/bin/kotohana$' "$work/contents" >/dev/null || fail "usr/bin/kotohana is not an executable of root"
echo "$(basename "$deb"): $(wc -l <<<"$files") files"
