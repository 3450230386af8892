#!/bin/sh
# Usage: damage_pictures.sh ARTWORK_DIR OUT_DIR — deterministic damaged copies of the pictures.
set -eu
src=$1 out=$2
size=$(wc -c < "$src/picture_1.jpg")
head -c $((size / 3)) "$src/picture_1.jpg" > "$out/picture_1.jpg"
cp "$src/picture_2.jpg" "$out/picture_2.jpg"
dd if=/dev/zero of="$out/picture_2.jpg" bs=1 seek=20000 count=4000 conv=notrunc 2>/dev/null
: > "$out/picture_3.jpg"
yes 'not a picture at all' | head -c 50000 > "$out/picture_4.jpg"
head -c 600 "$src/picture_6.jpg" > "$out/picture_6.jpg"
