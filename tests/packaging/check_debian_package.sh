#!/usr/bin/env bash
# Builds the Debian package from this build's install rules (cpack -G DEB), checks that its
# dependencies were computed, unpacks it into a temporary root and runs t-adjust-lintable from
# there. When apt-get is at hand, it also checks that the package would install.
# Usage: check_debian_package.sh <build directory>
set -euo pipefail
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work" >"$work/cpack.log" 2>&1 ||
  { cat "$work/cpack.log"; exit 1; }
packages=("$work"/t-adjust_*.deb)
[[ ${#packages[@]} -eq 1 && -f "${packages[0]}" ]] || { echo "no t-adjust_*.deb"; exit 1; }
package=${packages[0]}

depends=$(dpkg-deb --field "$package" Depends)
echo "Depends: $depends"
for library in libqt6widgets6 libqt6serialport6 libqt6sql6 libqt6core6 libc6; do
  [[ "$depends" == *"$library"* ]] || { echo "Depends lacks $library"; exit 1; }
done

dpkg-deb --extract "$package" "$work/root"
for program in t-adjust t-adjust-sim t-adjust-lintable t-adjust-history; do
  [[ -x "$work/root/usr/bin/$program" ]] || { echo "the package lacks /usr/bin/$program"; exit 1; }
done
# Only system libraries are linked dynamically: no library path is needed.
"$work/root/usr/bin/t-adjust-lintable" 6 7 0 1000 --json >"$work/table.json"
grep -q '"InputLimitHighRaw": 47918' "$work/table.json" ||
  { cat "$work/table.json"; echo "unexpected table"; exit 1; }

# The write history's tool reads an empty history through the SQLite driver the package asks for.
[[ "$depends" == *libqt6sql6-sqlite* ]] || { echo "Depends lacks libqt6sql6-sqlite"; exit 1; }
"$work/root/usr/bin/t-adjust-history" --db "$work/missing.sqlite" verify 2>/dev/null && exit 1
sqlite3 "$work/empty.sqlite" "PRAGMA user_version = 1; CREATE TABLE writes (id INTEGER PRIMARY KEY, \
  sequence, written_at, completed_at, user, host, program_version, process_id, port, model, \
  product_code, serial_number, tag, outcome, as_found, sent, as_left, changes, prev_hash, hash)"
"$work/root/usr/bin/t-adjust-history" --db "$work/empty.sqlite" verify | grep -q '^ok: 0 entries' ||
  { echo "t-adjust-history does not read a history"; exit 1; }

if command -v apt-get >/dev/null; then
  apt-get install --simulate "$package" >"$work/apt.log" 2>&1 || { cat "$work/apt.log"; exit 1; }
fi
echo "package $(basename "$package") runs"
