#!/usr/bin/env bash
# check-package.sh DEB: checks the Debian package without installing it. Its files are where
# the desktop looks for them and pass the desktop's own validators, lintian finds nothing it
# should not, and the program unpacked from it runs.
set -euo pipefail
deb=$(realpath "$1")
top=$(cd "$(dirname "$0")/../.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "check-package: $*" >&2; exit 1; }

dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./||' > "$scratch/contents"
for file in usr/bin/umbrascope usr/share/applications/umbrascope.desktop \
  usr/share/mime/packages/umbrascope.xml usr/share/man/man1/umbrascope.1.gz \
  usr/share/icons/hicolor/scalable/apps/umbrascope.svg \
  usr/share/doc/umbrascope/copyright usr/share/doc/umbrascope/changelog.gz; do
  grep -qx "$file" "$scratch/contents" || fail "$file is missing"
done
for size in 16 24 32 48 64 128 256; do
  grep -qx "usr/share/icons/hicolor/${size}x${size}/apps/umbrascope.png" "$scratch/contents" ||
    fail "the ${size}px icon is missing"
done
grep -q '^usr/share/metainfo/.*\.metainfo\.xml$' "$scratch/contents" || fail "no AppStream data"
# Debian has the license's text once for every package.
! grep -q '^usr/share/doc/umbrascope/LICENSE$' "$scratch/contents" || fail "LICENSE is shipped"
dpkg-deb --field "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks Qt"

root=$scratch/root
dpkg-deb -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/umbrascope.desktop"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
mkdir -p "$scratch/mime/packages"
cp "$root/usr/share/mime/packages/umbrascope.xml" "$scratch/mime/packages/"
XDG_DATA_DIRS=$scratch update-mime-database "$scratch/mime" 2>&1 | tee "$scratch/mime.log"
[[ ! -s $scratch/mime.log && -f $scratch/mime/application/x-umbrascope-project.xml &&
  -f $scratch/mime/application/x-umbrascope-session.xml ]] || fail "the MIME types do not hold"

# lintian: no error and no warning (its remarks are in docs/decisions/0018).
lintian --fail-on error,warning "$deb"

program=$root/usr/bin/umbrascope
"$program" --version > "$scratch/version"
grep -qx 'Umbrascope [0-9.]*' <(head -1 "$scratch/version") || fail "--version: $(cat "$scratch/version")"
grep -q 'GNU GPL version 3 or later' "$scratch/version" || fail "--version names no license"
"$program" --import-json "$top/tests/fixtures/projects/evening.json" "$scratch/evening.usp"
"$program" --dump "$scratch/evening.usp" --at 60000 > "$scratch/dump.json"
grep -q '"SessionName": *"Вечерний сеанс"' "$scratch/dump.json" || fail "--dump: $(head -c 300 "$scratch/dump.json")"
echo "check-package: $(basename "$deb") holds"
