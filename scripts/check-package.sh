#!/usr/bin/env bash
# Checks the Debian package that scripts/package.sh made, as Debian would: lintian finds no
# error, the AppStream description and the desktop entry pass their validators, and the
# package holds the file manager's menus (the MIME types of "Open with", Dolphin's item), the
# icon at the theme's sizes, the copyright and the change log.
# Usage: scripts/check-package.sh [BUILD_DIR]   (default: build-package/)
set -euo pipefail
cd "$(dirname "$0")/.."
build_dir=${1:-build-package}
scripts/ensure-packages.sh lintian appstream desktop-file-utils
deb=$(ls "$build_dir"/chronodex_*.deb)
echo "-- lintian"
lintian --fail-on error --info --display-info "$deb"
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb -x "$deb" "$root"
echo "-- appstreamcli validate"
appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
echo "-- desktop-file-validate"
desktop-file-validate "$root/usr/share/applications/chronodex.desktop"
echo "-- contents"
fail=0
expect() { # FILE LINE: the package holds FILE, and FILE the line LINE when one is given
  if [ ! -f "$root/$1" ]; then echo "missing: /$1"; fail=1
  elif [ -n "${2:-}" ] && ! grep -qxF "$2" "$root/$1"; then echo "/$1 lacks: $2"; fail=1; fi
}
expect usr/share/applications/chronodex.desktop "MimeType=application/octet-stream;inode/directory;"
expect usr/share/kio/servicemenus/chronodex.desktop "MimeType=all/all;"
expect usr/share/kio/servicemenus/chronodex.desktop "Name=Change dates with Chronodex"
expect usr/share/kio/servicemenus/chronodex.desktop "Exec=chronodex %F"
for size in 16 22 24 32 48 64 128 256; do
  expect "usr/share/icons/hicolor/${size}x${size}/apps/chronodex.png"
  file "$root/usr/share/icons/hicolor/${size}x${size}/apps/chronodex.png" | grep -q ", $size x $size," ||
    { echo "the ${size}x${size} icon is not $size pixels square"; fail=1; }
done
expect usr/share/icons/hicolor/scalable/apps/chronodex.svg
expect usr/share/doc/chronodex/copyright
expect usr/share/doc/chronodex/changelog.gz
expect usr/share/man/man1/chronodex.1.gz
expect usr/lib/chronodex/Help.html
[ $fail -eq 0 ] && echo "The package holds what it should."
exit $fail
