#!/usr/bin/env bash
# Installs the build into a temporary root as a system-wide installation would lay it out, and
# checks that every file is there and that the desktop entry and the metainfo are valid.
# Usage: check_installed_files.sh <build directory>
set -euo pipefail
build=$1
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT

DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null

app=org.tadjust.TAdjust
for file in usr/bin/t-adjust usr/bin/t-adjust-sim usr/bin/t-adjust-lintable usr/bin/t-adjust-history \
    usr/share/applications/$app.desktop usr/share/metainfo/$app.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$app.svg usr/share/icons/hicolor/256x256/apps/$app.png; do
  [[ -f "$root/$file" ]] || { echo "not installed: /$file"; exit 1; }
done
for program in t-adjust t-adjust-sim t-adjust-lintable t-adjust-history; do
  [[ -x "$root/usr/bin/$program" ]] || { echo "not executable: /usr/bin/$program"; exit 1; }
done
file "$root/usr/share/icons/hicolor/256x256/apps/$app.png" | grep -q 'PNG image data, 256 x 256' ||
  { echo "the PNG icon is not 256 x 256"; exit 1; }

desktop-file-validate "$root/usr/share/applications/$app.desktop"
grep -qx 'Name=T-adjust' "$root/usr/share/applications/$app.desktop"
grep -q '^Comment\[pl\]=' "$root/usr/share/applications/$app.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml"
# The metainfo, the desktop entry and the icon found together, as software centres find them.
appstreamcli validate-tree --no-net "$root"
echo "installed files valid"
