# Functions shared by the Wine harness scripts; sourced, not run.

# Starts Xvfb of size WxH and the given colour depth on the first free display number
# from 90 and exports DISPLAY and xvfb_pid.
start_xvfb() {
  local size=$1 depth=$2 n
  for n in $(seq 90 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] && continue
    Xvfb ":$n" -screen 0 "${size}x${depth}" -nolisten tcp -noreset >/dev/null 2>&1 &
    xvfb_pid=$!
    local tries
    for tries in $(seq 1 50); do
      if xdpyinfo -display ":$n" >/dev/null 2>&1; then
        export DISPLAY=":$n"
        return 0
      fi
      kill -0 "$xvfb_pid" 2>/dev/null || break
      sleep 0.1
    done
    kill "$xvfb_pid" >/dev/null 2>&1
    xvfb_pid=
  done
  return 1
}

# A REG_MULTI_SZ value of one string, in the hex(7) form of a version 5 .reg file.
multi_sz() {
  printf '%s' "$1" | iconv -f UTF-8 -t UTF-16LE | od -An -v -tx1 |
    tr -s ' \n' ',' | sed 's/^,//; s/,$//; s/$/,00,00,00,00/; s/^/hex(7):/'
}

# Writes the prefix's settings: the Japanese dialog font mapped to IPAPGothic, no window
# manager wait, a virtual desktop of the display's size with a plain background, no crash dialog.
# With the size "none" there is no virtual desktop: Wine then takes its monitors from X.
write_prefix_settings() {
  local size=$1 reg link desktop=
  [ "$size" = none ] || desktop="[HKEY_CURRENT_USER\\Software\\Wine\\Explorer]
\"Desktop\"=\"Default\"

[HKEY_CURRENT_USER\\Software\\Wine\\Explorer\\Desktops]
\"Default\"=\"$size\"
"
  # The UI fonts fall back to IPAPGothic for Japanese text (message boxes use them).
  link=$(multi_sz "ipagp.ttf,IPAPGothic")
  reg=$(mktemp --suffix=.reg)
  cat > "$reg.utf8" <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"ＭＳ Ｐゴシック"="IPAPGothic"
"MS PGothic"="IPAPGothic"
"ＭＳ ゴシック"="IPAGothic"
"MS Gothic"="IPAGothic"

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"
"Decorated"="Y"

$desktop
[HKEY_CURRENT_USER\\Control Panel\\Colors]
"Background"="58 110 165"

[HKEY_CURRENT_USER\\Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink]
"Tahoma"=$link
"Microsoft Sans Serif"=$link
"MS Shell Dlg"=$link
"MS Shell Dlg 2"=$link
REG
  { printf '\xff\xfe'; iconv -f UTF-8 -t UTF-16LE "$reg.utf8"; } > "$reg"
  wine regedit /S "$reg" </dev/null >/dev/null 2>&1
  rm -f "$reg" "$reg.utf8"
}

# Creates the private prefix once (about 10 s), then only refreshes its settings. Starts a
# persistent wineserver and boots the prefix with its output away from the caller, so that
# Wine's background processes never hold the caller's pipes open.
ensure_prefix() {
  local size=$1
  wineserver -p >/dev/null 2>&1 </dev/null
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    wineboot -i </dev/null >/dev/null 2>&1 || return 1
  fi
  write_prefix_settings "$size"
  # The desktop reads its size when it starts: restart so the settings just written count.
  wineserver -k >/dev/null 2>&1
  wineserver -w >/dev/null 2>&1
  wineserver -p >/dev/null 2>&1 </dev/null
  wine cmd /c exit </dev/null >/dev/null 2>&1
  return 0
}
