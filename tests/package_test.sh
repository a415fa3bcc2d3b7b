#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The install rules: what they install, and that the installed partyclash-sim
# runs and links no Qt library.
#   tests/package_test.sh BUILD_DIR
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

DESTDIR="$work/root" cmake --install "$build" --prefix /usr > /dev/null
files=(usr/bin/partyclash usr/bin/partyclash-sim usr/share/applications/org.partyclash.PartyClash.desktop
       usr/share/icons/hicolor/scalable/apps/partyclash.svg usr/share/metainfo/org.partyclash.PartyClash.metainfo.xml
       usr/share/man/man6/partyclash.6 usr/share/man/man6/partyclash-sim.6
       usr/share/partyclash/examples/CharaList/preset.txt usr/share/partyclash/examples/CharaList/img/arus.png)
for size in 16 24 32 48 64 128 256; do
    files+=("usr/share/icons/hicolor/${size}x${size}/apps/partyclash.png")
done
for file in "${files[@]}"; do
    [ -f "$work/root/$file" ] || { echo "not installed: $file"; exit 1; }
done
for size in 16 24 32 48 64 128 256; do
    file "$work/root/usr/share/icons/hicolor/${size}x${size}/apps/partyclash.png" | grep -q "$size x $size" ||
        { echo "the ${size} px icon is not ${size} px"; exit 1; }
done
ASAN_OPTIONS=detect_leaks=0 "$work/root/usr/bin/partyclash-sim" --help > /dev/null
if ldd "$work/root/usr/bin/partyclash-sim" | grep -E 'libQt|libX|libGL|libEGL|libxcb'; then
    echo "partyclash-sim links a window-system library"
    exit 1
fi
echo "install rules ok"
