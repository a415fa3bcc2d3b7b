#!/usr/bin/env bash
# The install rules and the Debian package: what they install, the package's
# name and dependencies, and that a command runs from the unpacked package.
#   tests/package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

DESTDIR="$work/root" cmake --install "$build" --prefix /usr > /dev/null
for file in usr/bin/partyclash usr/bin/partyclash-sim usr/share/applications/org.partyclash.PartyClash.desktop \
            usr/share/icons/hicolor/256x256/apps/partyclash.png usr/share/metainfo/org.partyclash.PartyClash.metainfo.xml \
            usr/share/man/man6/partyclash.6 usr/share/man/man6/partyclash-sim.6 \
            usr/share/partyclash/examples/CharaList/preset.txt usr/share/partyclash/examples/CharaList/img/arus.png; do
    [ -f "$work/root/$file" ] || { echo "not installed: $file"; exit 1; }
done

(cd "$build" && cpack -B "$work/package" > "$work/cpack.log" 2>&1) || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/package/*.deb)
[ "$(dpkg-deb -f "$deb" Package)" = partyclash ] || { echo "wrong package name"; exit 1; }
dpkg-deb -f "$deb" Depends | grep -q libqt6widgets6 || { echo "Qt is missing from Depends"; exit 1; }
dpkg-deb -x "$deb" "$work/unpacked"
ASAN_OPTIONS=detect_leaks=0 "$work/unpacked/usr/bin/partyclash-sim" --help > /dev/null
echo "package ok: $(basename "$deb")"
