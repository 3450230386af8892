#!/usr/bin/env bash
# Set-up as machines with none, some or all of the packages see it. dpkg-query and apt-get are
# stand-ins early on PATH and the apt folder is a throwaway one, so the machine's own package
# state is never read or changed; each case checks what apt-get was asked and the exit code.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
setup="$here/../../tools/setup.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-}")
all=$(sed -n '/^packages=(/,/^)/p' "$setup" | sed '1d;$d' | tr -s ' \n' '\n' | sed '/^$/d')

mkdir -p "$work/bin"
# Answers as dpkg-query does: a status line for each package it knows, an error and exit 1
# when any is unknown. STANDIN_INSTALLED lists the installed ones.
cat > "$work/bin/dpkg-query" <<'S'
#!/usr/bin/env bash
shift 2; status=0
for p in "$@"; do
  if [[ " $STANDIN_INSTALLED " == *" $p "* ]]; then echo "$p install ok installed"
  else echo "dpkg-query: no packages found matching $p" >&2; status=1; fi
done
exit $status
S
# Logs each call; STANDIN_FAIL names the sub-command that fails.
cat > "$work/bin/apt-get" <<'S'
#!/usr/bin/env bash
echo "$*" >> "$STANDIN_LOG"
[ "$1" = "${STANDIN_FAIL:-}" ] && { echo "E: Unable to locate package" >&2; exit 100; }
[ "$1" = install ] || [ "$1" = update ]
S
chmod +x "$work/bin/"*

# run NAME INSTALLED HAS_SRC FAIL EXPECTED_EXIT EXPECTED_CALLS [EXPECTED_MESSAGE]
run() {
  local name=$1 installed=$2 has_src=$3 fail=$4 want_exit=$5 want_calls=$6 want_message=${7:-} apt
  apt="$work/$name/apt"
  mkdir -p "$apt/sources.list.d"
  echo "deb http://mirror.example.net/debian $codename main" > "$apt/sources.list"
  [ "$has_src" = yes ] && echo "deb-src http://mirror.example.net/debian $codename main" >> "$apt/sources.list"
  : > "$work/$name/calls"
  PATH="$work/bin:$PATH" SLIDE_APT_DIR="$apt" STANDIN_INSTALLED="$installed" STANDIN_FAIL="$fail" \
    STANDIN_LOG="$work/$name/calls" bash "$setup" > "$work/$name/out" 2>&1
  local got_exit=$? got_calls
  got_calls=$(sed -E 's/ -y -qq --no-install-recommends//; s/ -qq$//' "$work/$name/calls")
  [ "$got_exit" = "$want_exit" ] || { echo "FAIL $name: exit $got_exit, expected $want_exit"; failures=$((failures + 1)); }
  [ "$got_calls" = "$want_calls" ] || {
    echo "FAIL $name: apt-get calls differ"; diff <(echo "$want_calls") <(echo "$got_calls"); failures=$((failures + 1)); }
  local written=no
  [ -f "$apt/sources.list.d/slide-deb-src.sources" ] && written=yes
  [ "$written" = "$([ "$has_src" = yes ] && echo no || echo yes)" ] ||
    { echo "FAIL $name: source entries written: $written"; failures=$((failures + 1)); }
  if [ -n "$want_message" ] && ! grep -q "$want_message" "$work/$name/out"; then
    echo "FAIL $name: no '$want_message' in:"; sed 's/^/  /' "$work/$name/out"; failures=$((failures + 1))
  fi
}

all_line=$(echo $all)
some=$(echo "$all" | awk 'NR % 2')
rest=$(echo "$all" | awk '!(NR % 2)' | xargs)
run nothing-installed "" no "" 0 "update
install $all_line" "installing $(echo "$all" | wc -l) packages"
run some-installed "$(echo $some)" yes "" 0 "update
install $rest"
run all-installed "$all_line" yes "" 0 ""
run all-but-sources "$all_line" no "" 0 "update"
run install-fails "" yes install 1 "update
install $all_line" "installing the packages failed"
run update-fails "" yes update 1 "update" "updating the package index failed"

[ "$failures" = 0 ] && echo "setup: every machine handled" || echo "setup: $failures failures"
[ "$failures" = 0 ]
