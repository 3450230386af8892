#!/usr/bin/env bash
# The source-package entries set-up derives from sample package sources: each case is an
# apt folder of sample files and the entries expected from it for the release bookworm.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/../../tools/deb-src-entries.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0

# case NAME EXPECTED_HAS(yes|no) EXPECTED_ENTRIES; the files are already in $work/NAME.
check() {
  local name=$1 has=$2 expected=$3 got found=no
  got=$(deb_src_entries "$work/$name" bookworm)
  has_deb_src_entries "$work/$name" && found=yes
  if [ "$got" != "$expected" ]; then
    echo "FAIL $name: entries differ"; diff <(echo "$expected") <(echo "$got"); failures=$((failures + 1))
  fi
  if [ "$found" != "$has" ]; then
    echo "FAIL $name: source entries present should read $has, reads $found"; failures=$((failures + 1))
  fi
}
sample() { mkdir -p "$work/$1/sources.list.d"; cat > "$work/$1/$2"; }

# deb822 with a mirror, two stanzas, a third-party archive and a disabled file name.
sample deb822 sources.list.d/debian.sources <<'S'
Types: deb
# a comment inside the stanza
URIs: http://mirror.example.net/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb
URIs: http://mirror.example.net/debian-security
Suites: bookworm-security
Components: main
S
sample deb822 sources.list.d/vendor.sources <<'S'
Types: deb
URIs: https://vendor.example.com/apt
Suites: nodistro
Components: main
S
sample deb822 sources.list.d/old.sources.disabled <<'S'
Types: deb-src
URIs: http://old.example.org/debian
Suites: bookworm
Components: main
S
check deb822 no "Types: deb-src
URIs: http://mirror.example.net/debian
Suites: bookworm bookworm-updates
Components: main contrib
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg

Types: deb-src
URIs: http://mirror.example.net/debian-security
Suites: bookworm-security
Components: main"

# One-line form through a proxy, with options, comments, another release and a deb-src
# entry that is commented out.
sample oneline sources.list <<'S'
# deb-src http://proxy.example.net:3142/debian bookworm main
deb [arch=amd64 signed-by=/etc/apt/keyrings/local.gpg] http://proxy.example.net:3142/debian bookworm main non-free-firmware
deb http://proxy.example.net:3142/debian-security bookworm-security main  # security
deb http://proxy.example.net:3142/debian bullseye main
S
check oneline no "Types: deb-src
URIs: http://proxy.example.net:3142/debian
Suites: bookworm
Components: main non-free-firmware
Signed-By: /etc/apt/keyrings/local.gpg

Types: deb-src
URIs: http://proxy.example.net:3142/debian-security
Suites: bookworm-security
Components: main"

# Source entries already there, in either form, are found; a disabled stanza is not.
sample both sources.list.d/debian.sources <<'S'
Types: deb deb-src
URIs: http://mirror.example.net/debian
Suites: bookworm
Components: main
S
check both yes "Types: deb-src
URIs: http://mirror.example.net/debian
Suites: bookworm
Components: main"
sample listed sources.list <<'S'
deb-src http://mirror.example.net/debian bookworm main
S
check listed yes ""
sample disabled sources.list.d/debian.sources <<'S'
Enabled: no
Types: deb deb-src
URIs: http://mirror.example.net/debian
Suites: bookworm
Components: main
S
check disabled no ""

# Nothing configured at all.
mkdir -p "$work/empty"
check empty no ""

[ "$failures" = 0 ] && echo "deb-src entries: all cases pass"
[ "$failures" = 0 ]
