#!/usr/bin/env bash
# Usage: make-dist.sh SLIDE_SCR ICON OUT_DIR
# Writes into OUT_DIR:
#   slide-<version>-x64.msi   the Windows Installer package (tools/make-msi.sh)
#   slide-<version>.zip       slide.scr, that MSI, README.txt for Windows users, and SHA256SUMS
#                             of the three
#   winget/                   the three manifest files of the Windows package manager
# The version is the VERSION file's; every file in the archive carries the commit's time.
# With SIGN_PFX and SIGN_PASSWORD_FILE (and optionally SIGN_TIMESTAMP_URL) slide.scr is signed
# before it is packed and the MSI after it is built (tools/authenticode-sign.sh); the
# checksums and the manifest's hash are those of the signed files.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
usage="usage: make-dist.sh SLIDE_SCR ICON OUT_DIR"
scr=${1:?$usage}
icon=${2:?$usage}
out=${3:?$usage}
version=$(head -n 1 "$root/VERSION")
if [[ ! $version =~ ^[0-9]+(\.[0-9]+){1,3}$ ]]; then
  echo "make-dist: VERSION must hold two to four numbers, not '$version'" >&2
  exit 1
fi
[ -f "$scr" ] || { echo "make-dist: no $scr; build it first" >&2; exit 1; }
signing=0
if [ -n "${SIGN_PFX:-}${SIGN_PASSWORD_FILE:-}" ]; then
  [ -n "${SIGN_PFX:-}" ] && [ -n "${SIGN_PASSWORD_FILE:-}" ] ||
    { echo "make-dist: signing takes both SIGN_PFX and SIGN_PASSWORD_FILE" >&2; exit 1; }
  SIGN_PFX=$(realpath "$SIGN_PFX") SIGN_PASSWORD_FILE=$(realpath "$SIGN_PASSWORD_FILE")
  export SIGN_PFX SIGN_PASSWORD_FILE
  signing=1
fi
mkdir -p "$out"
out=$(cd "$out" && pwd)
archive="$out/slide-$version.zip"
msi_name="slide-$version-x64.msi"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

if [ "$signing" = 1 ]; then
  "$root/tools/authenticode-sign.sh" "$scr" "$stage/slide.scr"
  "$root/tools/make-msi.sh" "$stage/slide.scr" "$icon" "$version" "$stage/unsigned.msi"
  "$root/tools/authenticode-sign.sh" "$stage/unsigned.msi" "$stage/$msi_name"
  rm "$stage/unsigned.msi"
  echo "make-dist: slide.scr and $msi_name are signed with $(basename "$SIGN_PFX")"
else
  cp "$scr" "$stage/slide.scr"
  "$root/tools/make-msi.sh" "$stage/slide.scr" "$icon" "$version" "$stage/$msi_name"
  echo "make-dist: no certificate given (SIGN_PFX, SIGN_PASSWORD_FILE): slide.scr and $msi_name are unsigned"
fi
cp "$stage/$msi_name" "$out/$msi_name"

# Windows users open README.txt in Notepad: CR LF line ends.
sed "s/@VERSION@/$version/g; s/\$/\r/" "$root/tools/dist/README.txt" > "$stage/README.txt"
(cd "$stage" && sha256sum slide.scr "$msi_name" README.txt > SHA256SUMS)
stamp=$(TZ=UTC git -C "$root" log -1 --format=%cd --date=format-local:"%Y-%m-%d %H:%M:%S UTC" 2>/dev/null ||
  date -u +"%Y-%m-%d %H:%M:%S UTC")
rm -f "$archive"
(cd "$stage" && cmake -E tar cf "$archive" --format=zip --mtime="$stamp" slide.scr "$msi_name" README.txt SHA256SUMS)

# The manifests from their templates: the version, the MSI's hash and its product code.
product_code=$(msiinfo export "$out/$msi_name" Property | tr -d '\r' | awk -F'\t' '$1 == "ProductCode" { print $2 }')
msi_sha256=$(sha256sum "$out/$msi_name" | cut -c1-64)
rm -rf "$out/winget"
mkdir -p "$out/winget"
for template in "$root"/packaging/winget/*.yaml; do
  sed "s/@VERSION@/$version/g; s/@PRODUCT_CODE@/$product_code/g; s/@MSI_SHA256@/$msi_sha256/g; s/@MSI_NAME@/$msi_name/g" \
    "$template" > "$out/winget/$(basename "$template")"
done

echo "wrote $archive ($(stat -c %s "$archive") bytes), $out/$msi_name and $out/winget/:"
sed 's/^/  /' "$stage/SHA256SUMS"
