#!/usr/bin/env bash
# Installs what the builds and the Wine harness need on a Debian 12 machine, as root.
# Idempotent: packages already present are left alone, and a deb-src entry is added only once.
set -euo pipefail

packages=(
  cmake make ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  nasm dpkg-dev
  googletest libgtest-dev libbenchmark-dev libjpeg62-turbo-dev
  wine wine64 xvfb xserver-xephyr xauth x11-utils xdotool imagemagick fonts-ipafont-gothic bc
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

need_src=1
if grep -rqsE '^(deb-src|Types:.*deb-src)' /etc/apt/sources.list /etc/apt/sources.list.d/; then
  need_src=0
fi
if [ "$need_src" = 1 ]; then
  cat > /etc/apt/sources.list.d/slide-deb-src.sources <<'SRC'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SRC
fi

if [ "${#missing[@]}" -gt 0 ] || [ "$need_src" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
