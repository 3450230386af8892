#!/usr/bin/env bash
# Cross-builds the static libraries the Windows build links: libjpeg-turbo from Debian's
# source package and GoogleTest from the sources Debian's googletest package ships.
# Each result is cached under the given folder; a second run does nothing.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
out=${1:?usage: build-third-party.sh OUTPUT_DIR}
mkdir -p "$out"
out=$(cd "$out" && pwd)
toolchain="$root/cmake/mingw-w64.cmake"
generator=(-G Ninja)

jpeg_prefix="$out/libjpeg"
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  src="$out/src"
  mkdir -p "$src"
  if [ ! -d "$src"/libjpeg-turbo-2.1.5 ]; then
    (cd "$src" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
  fi
  jsrc=$(ls -d "$src"/libjpeg-turbo-2.1.5)
  # The decoder's error exit throws a C++ exception through the library's frames.
  cmake -S "$jsrc" -B "$out/libjpeg-build" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_C_FLAGS="-fexceptions" -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" \
    -DENABLE_SHARED=OFF -DENABLE_STATIC=ON -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF \
    -DREQUIRE_SIMD=ON -DWITH_SIMD=ON -Wno-dev >/dev/null
  cmake --build "$out/libjpeg-build" >/dev/null
  cmake --install "$out/libjpeg-build" >/dev/null
  grep -q 'JPEG_LIB_VERSION  *62' "$jpeg_prefix/include/jconfig.h"
fi

gtest_prefix="$out/googletest"
if [ ! -f "$gtest_prefix/lib/libgtest.a" ]; then
  cmake -S /usr/src/googletest -B "$out/googletest-build" "${generator[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$gtest_prefix" -DBUILD_GMOCK=OFF -Dgtest_disable_pthreads=OFF \
    -DCMAKE_CXX_FLAGS="-static" >/dev/null
  cmake --build "$out/googletest-build" >/dev/null
  cmake --install "$out/googletest-build" >/dev/null
fi
