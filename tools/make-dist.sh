#!/usr/bin/env bash
# Usage: make-dist.sh SLIDE_SCR OUT_DIR
# Writes OUT_DIR/slide-<version>.zip: slide.scr, README.txt for Windows users and SHA256SUMS
# of both. The version is the VERSION file's; every file carries the commit's time, so the
# same commit gives the same archive.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
scr=${1:?usage: make-dist.sh SLIDE_SCR OUT_DIR}
out=${2:?usage: make-dist.sh SLIDE_SCR OUT_DIR}
version=$(head -n 1 "$root/VERSION")
if [[ ! $version =~ ^[0-9]+(\.[0-9]+){1,3}$ ]]; then
  echo "make-dist: VERSION must hold two to four numbers, not '$version'" >&2
  exit 1
fi
[ -f "$scr" ] || { echo "make-dist: no $scr; build it first" >&2; exit 1; }
mkdir -p "$out"
out=$(cd "$out" && pwd)
archive="$out/slide-$version.zip"
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

cp "$scr" "$stage/slide.scr"
# Windows users open README.txt in Notepad: CR LF line ends.
sed "s/@VERSION@/$version/; s/\$/\r/" "$root/tools/dist/README.txt" > "$stage/README.txt"
(cd "$stage" && sha256sum slide.scr README.txt > SHA256SUMS)
stamp=$(TZ=UTC git -C "$root" log -1 --format=%cd --date=format-local:"%Y-%m-%d %H:%M:%S UTC" 2>/dev/null ||
  date -u +"%Y-%m-%d %H:%M:%S UTC")
rm -f "$archive"
(cd "$stage" && cmake -E tar cf "$archive" --format=zip --mtime="$stamp" slide.scr README.txt SHA256SUMS)
echo "wrote $archive ($(stat -c %s "$archive") bytes):"
sed 's/^/  /' "$stage/SHA256SUMS"
