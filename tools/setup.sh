#!/usr/bin/env bash
# Installs what the builds and the Wine harness need on a Debian 12 machine, as root.
# Idempotent: packages already present are left alone, and source entries are added only when
# none are configured. SLIDE_APT_DIR names another apt folder than /etc/apt (the tests use it).
set -euo pipefail

packages=(
  cmake make ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  nasm dpkg-dev
  googletest libgtest-dev libbenchmark-dev libjpeg62-turbo-dev
  wine wine64 xvfb xserver-xephyr xauth x11-utils xdotool imagemagick fonts-ipafont-gothic
  python3 libx11-6 libxrender1
  wixl msitools osslsigncode openssl
)
apt_dir=${SLIDE_APT_DIR:-/etc/apt}

# Says which step failed and what to run by hand, then stops.
fail() {
  local step=$1 command=$2 log=${3:-}
  echo "setup: $step failed." >&2
  [ -n "$log" ] && [ -s "$log" ] && tail -n 15 "$log" | sed 's/^/  | /' >&2
  echo "setup: run it by hand as root to see why: $command" >&2
  exit 1
}

# One query for all of them: make run and make check pass through here every time. dpkg-query
# exits 1 when any of them is unknown to it, as on a fresh machine, so its status lines are read
# and its exit code is not.
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
if ! has_deb_src_entries "$apt_dir"; then
  codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
  entries=$(deb_src_entries "$apt_dir" "$codename")
  if [ -z "$entries" ]; then
    echo "setup: no package source for the release '$codename' under $apt_dir to derive source entries from" >&2
    echo "setup: add a 'deb-src' entry for it to $apt_dir/sources.list.d by hand, then run again" >&2
    exit 1
  fi
  echo "setup: adding source entries for '$codename' to $apt_dir/sources.list.d/slide-deb-src.sources"
  printf '%s\n' "$entries" > "$apt_dir/sources.list.d/slide-deb-src.sources" ||
    fail "writing the source entries" "printf ... > $apt_dir/sources.list.d/slide-deb-src.sources"
  need_src=1
fi

[ "${#missing[@]}" -gt 0 ] || [ "$need_src" = 1 ] || exit 0
export DEBIAN_FRONTEND=noninteractive
log=$(mktemp)
trap 'rm -f "$log"' EXIT
echo "setup: updating the package index"
apt-get update -qq >"$log" 2>&1 || fail "updating the package index" "apt-get update" "$log"
[ "${#missing[@]}" -gt 0 ] || exit 0
echo "setup: installing ${#missing[@]} packages (this takes several minutes): ${missing[*]}"
apt-get install -y -qq --no-install-recommends "${missing[@]}" >"$log" 2>&1 ||
  fail "installing the packages" "apt-get install --no-install-recommends ${missing[*]}" "$log"
