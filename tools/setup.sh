#!/usr/bin/env bash
# Installs what the builds and the Wine harness need on a Debian 12 machine, as root.
# Idempotent: packages already present are left alone, and source entries are added only when
# none are configured.
set -euo pipefail

packages=(
  cmake make ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  nasm dpkg-dev
  googletest libgtest-dev libbenchmark-dev libjpeg62-turbo-dev
  wine wine64 xvfb xserver-xephyr xauth x11-utils xdotool imagemagick fonts-ipafont-gothic
  python3 libx11-6 libxrender1
)

# One query for all of them: make run and make check pass through here every time.
# dpkg-query fails when it has never heard of a package, as on a fresh machine: what it did
# print is still the list of those installed.
installed=" $({ dpkg-query -W -f='${Package} ${Status}\n' "${packages[@]}" 2>/dev/null || true; } |
  awk '/ install ok installed$/ { printf "%s ", $1 }')"
missing=()
for p in "${packages[@]}"; do
  [[ $installed == *" $p "* ]] || missing+=("$p")
done

# libjpeg-turbo is cross-built from its source package, so apt needs source entries. They are
# derived from the machine's own binary entries, for its own release.
here=$(cd "$(dirname "$0")" && pwd)
source "$here/deb-src-entries.sh"
need_src=0
if ! has_deb_src_entries /etc/apt; then
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  entries=$(deb_src_entries /etc/apt "$codename")
  if [ -z "$entries" ]; then
    echo "setup: no package source for the release '$codename' to derive source entries from" >&2
    exit 1
  fi
  printf '%s\n' "$entries" > /etc/apt/sources.list.d/slide-deb-src.sources
  need_src=1
fi

if [ "${#missing[@]}" -gt 0 ] || [ "$need_src" = 1 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  if [ "${#missing[@]}" -gt 0 ]; then
    apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
  fi
fi
