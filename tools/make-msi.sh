#!/usr/bin/env bash
# Usage: make-msi.sh SLIDE_SCR ICON VERSION OUT_MSI
# Builds the 64-bit, per-machine Windows Installer package from packaging/slide.wxs.
# Windows Installer compares three numbers (at most 255.255.65535); VERSION gives two or
# three of them, or a fourth that is 0. The product code follows from the version alone, so
# every build of one version carries the same code, and a new version a new one.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: make-msi.sh SLIDE_SCR ICON VERSION OUT_MSI"
scr=${1:?$usage} icon=${2:?$usage} version=${3:?$usage} msi=${4:?$usage}

if [[ ! $version =~ ^([0-9]+)\.([0-9]+)(\.([0-9]+))?(\.0+)?$ ]] ||
   (( 10#${BASH_REMATCH[1]} > 255 || 10#${BASH_REMATCH[2]} > 255 || 10#${BASH_REMATCH[4]:-0} > 65535 )); then
  echo "make-msi: Windows Installer takes a version of up to 255.255.65535 (a fourth number only as 0), not '$version'" >&2
  exit 1
fi
msi_version=$((10#${BASH_REMATCH[1]})).$((10#${BASH_REMATCH[2]})).$((10#${BASH_REMATCH[4]:-0}))
for f in "$scr" "$icon"; do
  [ -f "$f" ] || { echo "make-msi: no $f" >&2; exit 1; }
done

# A name-based GUID in a namespace of this package's own: its upgrade code.
upgrade_code=$(sed -n 's/.*UpgradeCode="\([^"]*\)".*/\1/p' "$root/packaging/slide.wxs")
product_code=$(python3 -c 'import sys, uuid
print(str(uuid.uuid5(uuid.UUID(sys.argv[1]), "product " + sys.argv[2])).upper())' "$upgrade_code" "$msi_version")

mkdir -p "$(dirname "$msi")"
msi=$(cd "$(dirname "$msi")" && pwd)/$(basename "$msi")
# wixl finds source files by names relative to the folder it runs in, and no absolute ones.
sources=$(mktemp -d)
trap 'rm -rf "$sources"' EXIT
cp "$scr" "$sources/slide.scr"
cp "$icon" "$sources/slide.ico"
(cd "$sources" && wixl -a x64 -o "$msi" -D Version="$msi_version" -D ProductCode="$product_code" \
  "$root/packaging/slide.wxs")
